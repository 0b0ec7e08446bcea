#pragma once
// The outside monitor program, known only by its window title and its file name.

#include <windows.h>

#include <string>

class CMonitorProgram {
  public:
    static constexpr const wchar_t* kWindowTitle = L"Velmor ORVA 7100 Mouse Monitor";

    // Its top-level window, or null when it is not running.
    static HWND Find();
    // Asks it to close without waiting.
    static void PostClose();
    // Asks it to close and gives it a second to do so.
    static void CloseAndWait();
    // Starts it from `path`; failures are not reported.
    static void Start(const std::wstring& path);
};
