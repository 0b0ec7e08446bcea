#pragma once
// The updater's application object: runs once, decides from its command line which notices to
// show, and runs the transfer window with the monitor program closed meanwhile.

#include <windows.h>

#include <string>
#include <string_view>

#include "app/ScopedWin.h"

class CUpdaterApp {
  public:
    CUpdaterApp() = default;
    CUpdaterApp(const CUpdaterApp&) = delete;
    CUpdaterApp& operator=(const CUpdaterApp&) = delete;

    // The program's whole run; returns its exit code.
    int Run(std::wstring_view commandLine);

  private:
    static constexpr const wchar_t* kMutexName = L"Kelti_Gaming_Mouse_Firmware_Update";

    bool ClaimSingleInstance();
    void RunTransferWindow();
    // Ending without an update: the monitor program is started if it is not running.
    void EndWithoutUpdate();

    ScopedHandle mutex_;
};
