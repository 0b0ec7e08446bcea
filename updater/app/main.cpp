// Updater.exe: writes the firmware image named in config.ini into the mouse.

#include <windows.h>

#include "app/UpdaterApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    CUpdaterApp app;
    return app.Run(commandLine != nullptr ? commandLine : L"");
}
