#include "app/MousePresence.h"

#include "app/AppMessages.h"
#include "device/DeviceChange.h"
#include "device/HidTransportWin32.h"
#include "device/MouseCommands.h"
#include "device/TransportFactory.h"

MousePresence::MousePresence(PresenceHost& host) : host_(host) {
    transport_ = CreateHidTransport();
    if (!transport_) {
        // A virtual-mouse address that does not parse: the real HID is the way.
        transport_ = std::make_unique<HidTransportWin32>();
    }
    link_ = std::make_unique<DeviceLink>(*transport_, clock_);
}

MousePresence::~MousePresence() {
    Stop();
}

bool MousePresence::Start(HWND window) noexcept {
    const DeviceResult registered =
        TraceDeviceResult("RegisterMouseNotifications", RegisterMouseNotifications(window));
    // Transports whose arrivals do not come as the system's notifications (the virtual mouse)
    // report them on a thread of their own: the window's thread takes them from the queue.
    DeviceNoticeQueue* queue = &notices_;
    watching_ = transport_->StartWatching([window, queue](const DeviceChangeNotice& notice) {
        queue->Push(notice);
        PostMessageW(window, WM_DEVICE_NOTICE, 0, 0);
    });
    if (const std::optional<int32_t> version = ReadFirmwareUnasked()) {
        host_.ShowFirmwareVersion(version);
    }
    return registered.ok();
}

void MousePresence::Stop() noexcept {
    if (watching_) {
        transport_->StopWatching();
        watching_ = false;
    }
}

void MousePresence::OnDeviceChange(WPARAM event, LPARAM data) noexcept {
    DeviceChangeNotice notice;
    if (ReadDeviceChange(static_cast<uintptr_t>(event), static_cast<intptr_t>(data), notice)) {
        OnNotice(notice);
    }
}

void MousePresence::OnQueuedNotices() noexcept {
    for (const DeviceChangeNotice& notice : notices_.TakeAll()) {
        OnNotice(notice);
    }
}

std::optional<int32_t> MousePresence::ReadFirmwareUnasked() noexcept {
    ScopedTransferLimit limit(*link_, kUnaskedTransferLimitMs);
    DeviceInfo info;
    if (link_->EnsureOpen() && ReadDeviceInfo(*link_, info)) {
        return info.firmwareVersion;
    }
    return std::nullopt;
}

void MousePresence::OnNotice(const DeviceChangeNotice& notice) noexcept {
    // Nobody asked for the arrival's read: it waits no longer than the poll does.
    ScopedTransferLimit limit(*link_, kUnaskedTransferLimitMs);
    const DeviceChangeResult result = HandleDeviceChange(*link_, notice);
    switch (result.action) {
        case DeviceChangeAction::kArrived:
            if (result.firmwareVersion) {
                host_.ShowFirmwareVersion(result.firmwareVersion);
            }
            break;
        case DeviceChangeAction::kRemoved:
            host_.ShowFirmwareVersion(std::nullopt);
            break;
        default:
            break;
    }
}

void MousePresence::OnPollTimer() noexcept {
    // The firmware updater this program started owns the mouse until it ends; then the mouse
    // is taken up again as at an arrival (an updater that flashed makes it arrive anyway).
    if (link_->IsHeld()) {
        updaterHeldLink_ = true;
        return;
    }
    if (updaterHeldLink_) {
        updaterHeldLink_ = false;
        host_.ShowFirmwareVersion(ReadFirmwareUnasked());
    }
    // While Apply runs, or a pop-up, message box or file dialog of this program is open, a
    // switch would reload the pages under it and its OK would write into another profile.
    const PollDecision decision = poll_.Tick(*link_, host_.PollMustWait(), host_.Profiles());
    if (decision.switchToSlot >= 0 || decision.applySettings) {
        host_.FollowMouseProfile(decision.switchToSlot);
    }
}
