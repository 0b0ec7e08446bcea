#pragma once
// A plain top-level window that holds one settings page the way the main window does, with
// profiles, a macro collection and a device link without a mouse.

#include <windows.h>

#include <array>
#include <memory>
#include <vector>

#include "device/DeviceClock.h"
#include "device/DeviceLink.h"
#include "device/HidTransport.h"
#include "macros/MacroCollection.h"
#include "pages/PageHost.h"
#include "skin/ZelWnd.h"

class NoMouseTransport : public HidTransport {
  public:
    std::vector<std::u16string> ListInterfaces() override { return {}; }
    HidHandle Open(const std::u16string&) override { return kNoHandle; }
    bool GetIds(HidHandle, uint16_t&, uint16_t&) override { return false; }
    DeviceResult SetFeature(HidHandle, const uint8_t*, size_t) override {
        return DeviceFault::kNoMouse;
    }
    DeviceResult GetFeature(HidHandle, uint8_t*, size_t) override { return DeviceFault::kNoMouse; }
    void Close(HidHandle) override {}
    std::vector<std::u16string> ProcessNames() override { return {}; }
};

class NoWaitClock : public DeviceClock {
  public:
    void SleepMs(int) override {}
    int64_t NowMs() override { return 0; }
};

class CPlainPageHost : public CZelWnd, public PageHost {
  public:
    CPlainPageHost();
    ~CPlainPageHost() override;

    // The host window at the screen's top left, large enough for a page.
    bool Open();
    // Places a page created as this window's child where the main window puts pages.
    void PlacePage(CZelWnd& page);

    Profile& CurrentProfile() noexcept override { return profiles[0]; }
    Profile& ProfileAt(int slot) noexcept override { return profiles[slot]; }
    DeviceLink& Link() noexcept override { return link; }
    MacroCollection& Macros() noexcept override { return macros; }
    void MacrosChanged() noexcept override {}
    HWND MainWindow() const noexcept override { return Hwnd(); }

    ProfileSet profiles;
    MacroCollection macros;
    // Control notifications that pages passed on to the main window.
    std::vector<std::pair<int, LPARAM>> passedOn;

  protected:
    bool OnControlNotification(int code, LPARAM value) noexcept override;

  private:
    NoMouseTransport transport;
    NoWaitClock clock;
    DeviceLink link;
};
