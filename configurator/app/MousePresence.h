#pragma once
// The mouse as the main window follows it: the one link and the transport under it, arrivals
// and removals (the system's notifications, or a watcher thread's handed over through a queue),
// the firmware version read at start and arrival, the 500 ms poll of the active profile, and the
// hold while a firmware updater this program started owns the mouse.

#include <windows.h>

#include <array>
#include <memory>
#include <optional>

#include "app/logic/DeviceNoticeQueue.h"
#include "app/logic/ProfilePoll.h"
#include "device/DeviceLink.h"

// What the presence asks of the window it serves.
class PresenceHost {
  public:
    virtual ~PresenceHost() = default;
    // The firmware version the mouse reported; none shows "-.--".
    virtual void ShowFirmwareVersion(std::optional<int32_t> version) noexcept = 0;
    // The mouse made another profile active (slot 0 .. 4, or -1 for none of ours); the
    // current profile's Windows settings are applied after the switch.
    virtual void FollowMouseProfile(int slot) noexcept = 0;
    // True while the poll must wait: Apply runs, or a dialog of the program is open.
    virtual bool PollMustWait() noexcept = 0;
    virtual const ProfileSet& Profiles() noexcept = 0;
};

class MousePresence {
  public:
    explicit MousePresence(PresenceHost& host);
    ~MousePresence();
    MousePresence(const MousePresence&) = delete;
    MousePresence& operator=(const MousePresence&) = delete;

    // Registers the window for notifications (false when the system refuses), starts a
    // transport's own watcher and reads the firmware version.
    bool Start(HWND window) noexcept;
    void Stop() noexcept;

    void OnDeviceChange(WPARAM event, LPARAM data) noexcept;
    // The watcher queued arrivals or removals (WM_DEVICE_NOTICE).
    void OnQueuedNotices() noexcept;
    void OnPollTimer() noexcept;

    DeviceLink& Link() noexcept { return *link_; }

  private:
    void OnNotice(const DeviceChangeNotice& notice) noexcept;
    // The firmware version read without the user asking, or none.
    std::optional<int32_t> ReadFirmwareUnasked() noexcept;

    PresenceHost& host_;
    DeviceNoticeQueue notices_;
    std::unique_ptr<HidTransport> transport_;
    SystemDeviceClock clock_;
    std::unique_ptr<DeviceLink> link_;
    ProfilePoll poll_;
    bool watching_ = false;
    bool updaterHeldLink_ = false;
};
