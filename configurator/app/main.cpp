// ORVA7100.exe: the configurator of the ORVA 7100 mouse.
#include <windows.h>

#include "app/ORVAApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    CORVAApp app;
    return app.Run();
}
