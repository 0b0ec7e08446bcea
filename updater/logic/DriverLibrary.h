#pragma once
// The six calls of the driver library through which alone the updater reaches the mouse.
// The program binds them from hiddriver.dll; tests put a simulated mouse behind them.

#include <cstddef>
#include <cstdint>

// The main window's handle, passed through to the library untouched.
using WindowHandle = void*;

class IDriverLibrary {
  public:
    virtual ~IDriverLibrary() = default;

    virtual void OpenDevMonitor(WindowHandle window, unsigned arrivalMessage,
                                unsigned removalMessage) = 0;
    // Nonzero when the mouse was opened.
    virtual int OpenFeatureDevice() = 0;
    // Sends one whole report, byte 0 its id. Nonzero when sent.
    virtual int SetFeature(uint8_t* report, size_t length) = 0;
    // Reads one report; byte 0 holds the id on entry. Nonzero when read.
    virtual int GetFeature(uint8_t* report, size_t length) = 0;
    virtual void CloseDevMonitor() = 0;
    virtual void CloseFeatureDevice() = 0;
};

// Message numbers the library is given for its device watching; the updater handles neither.
constexpr unsigned kDevMonitorArrivalMessage = 1325;
constexpr unsigned kDevMonitorRemovalMessage = 1326;
