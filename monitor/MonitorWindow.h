#pragma once
// The least stand-in for the outside monitor program: one hidden top-level window with the
// title the updater looks for, ending the program when it receives WM_CLOSE.

#include <windows.h>

class CMonitorWindow {
  public:
    static constexpr const wchar_t* kTitle = L"Velmor ORVA 7100 Mouse Monitor";

    // Creates the window; false when it cannot be made.
    bool Create(HINSTANCE instance);
    // Runs the message loop until the window is closed; returns the exit code.
    int Run();

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    HWND window_ = nullptr;
};
