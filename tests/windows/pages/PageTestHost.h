#pragma once
// What the page tests stand in for the main window: a plain top-level window holding a page,
// five profiles, a macro collection, and a device link to the virtual mouse's model in this
// process (or to no mouse at all). A second thread plays the user while the test thread runs the
// pages' modal pop-ups.

#include <windows.h>

#include <array>
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "FakeHid.h"
#include "device/DeviceLink.h"
#include "macros/MacroCollection.h"
#include "pages/PageHost.h"
#include "skin/ZelWnd.h"

class CPageTestHost : public PageHost, public CZelWnd {
  public:
    enum class Mouse { kPresent, kAbsent };
    explicit CPageTestHost(Mouse mouse = Mouse::kPresent);
    ~CPageTestHost() override;

    // The window the page lives in, shown without activation at the left top of the screen,
    // by default large enough for a page.
    bool Open(int width = 800, int height = 360);
    // Places a page created as this window's child where the main window puts pages.
    void PlacePage(CZelWnd& page);

    Profile& CurrentProfile() noexcept override { return profiles[current]; }
    Profile& ProfileAt(int slot) noexcept override { return profiles[slot]; }
    DeviceLink& Link() noexcept override { return link; }
    MacroCollection& Macros() noexcept override { return macros; }
    void MacrosChanged() noexcept override {}
    HWND MainWindow() const noexcept override { return Hwnd(); }

    ProfileSet profiles;
    int current = 0;
    FakeTransport transport;
    DeviceLink link{transport, transport.clock};
    MacroCollection macros;
    // Control notifications that pages passed on to the main window.
    std::vector<std::pair<int, LPARAM>> passedOn;

  protected:
    bool OnControlNotification(int code, LPARAM value) noexcept override;
};

// The user, on a thread of their own: real input and reading windows of the test thread, which
// meanwhile pumps its messages (also inside modal runs) until the user is done.
class CUser {
  public:
    explicit CUser(std::function<void()> actions);
    ~CUser();
    // Pumps the test thread's messages until the user is done; false at the deadline.
    bool WaitUntilDone(int milliseconds);
    bool Done() const { return done_; }

  private:
    std::atomic<bool> done_{false};
    std::thread thread_;
};

// Windows of this process seen from the user's thread.
HWND WaitForWindow(const wchar_t* title, int milliseconds = 5000);
// The text of a control as the query message answers it (safe across threads).
std::wstring ControlText(HWND control);
