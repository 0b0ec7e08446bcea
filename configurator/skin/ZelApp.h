#pragma once
// CZelApp: the application object. Run() starts the common controls (version 6 through the
// program's manifest), COM and GDI+, calls InitInstance, runs the message loop when it returns
// true, then ExitInstance, frees the skin cache and shuts GDI+ down.

#include <windows.h>

class CZelApp {
  public:
    CZelApp() = default;
    virtual ~CZelApp();
    CZelApp(const CZelApp&) = delete;
    CZelApp& operator=(const CZelApp&) = delete;

    int Run() noexcept;

    // Starts and stops the libraries on their own, for programs and tests that keep their own
    // loop. Stop also frees the skin cache, which must go before GDI+ does.
    bool StartLibraries() noexcept;
    void StopLibraries() noexcept;

    // A message loop with the framework's pre-translation; returns WM_QUIT's code.
    static int MessageLoop() noexcept;

  protected:
    // Start-up. Return false to end the program without a message loop (a program whose main
    // window runs modally does its whole work here).
    virtual bool InitInstance() noexcept { return true; }
    virtual int ExitInstance() noexcept { return 0; }

  private:
    ULONG_PTR gdiplusToken_ = 0;
    bool comStarted_ = false;
};
