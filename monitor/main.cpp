// ORVA_Monitor.EXE stand-in: the updater closes it before a firmware transfer and starts it
// again afterwards, knowing it only by its window title and file name.

#include <windows.h>

#include "MonitorWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // One monitor at a time, as the updater expects to find one window by its title.
    if (FindWindowW(nullptr, CMonitorWindow::kTitle) != nullptr)
        return 0;
    CMonitorWindow monitor;
    if (!monitor.Create(instance))
        return 1;
    return monitor.Run();
}
