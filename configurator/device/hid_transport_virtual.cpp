#include "device/HidTransportVirtual.h"

#include <chrono>
#include <utility>

#include "device/DeviceLink.h"
#include "device/MouseIdentity.h"

const char16_t kVirtualMousePath[] = u"\\\\?\\HID#VID_" ORVA_MOUSE_VENDOR_TEXT u"&PID_" ORVA_MOUSE_PRODUCT_TEXT
    u"#VIRTUAL#{4d1e55b2-f16f-11cf-88cb-001111000030}";

namespace {

// A watch comes back at least this often, so that StopWatching is quick.
constexpr int kWatchSliceMs = 250;
constexpr int kReconnectPauseMs = 250;

}  // namespace

HidTransportVirtual::HidTransportVirtual(std::string hostPort) : hostPort_(std::move(hostPort)) {
    client_.SetTimeout(kFeatureTransferTimeoutMs);
}

HidTransportVirtual::~HidTransportVirtual() {
    StopWatching();
}

bool HidTransportVirtual::EnsureConnected() {
    return client_.IsConnected() || client_.Connect(hostPort_);
}

std::vector<std::u16string> HidTransportVirtual::ListInterfaces() {
    bool present = false;
    if (!EnsureConnected() || !client_.QueryPresent(present) || !present)
        return {};
    return {kVirtualMousePath};
}

HidHandle HidTransportVirtual::Open(const std::u16string& path) {
    bool present = false;
    uint32_t arrivals = 0;
    if (path != kVirtualMousePath || !EnsureConnected() ||
        !client_.QueryPresence(present, arrivals) || !present)
        return kNoHandle;
    // The handle is the arrival it was opened at.
    return static_cast<HidHandle>(arrivals);
}

bool HidTransportVirtual::GetIds(HidHandle handle, uint16_t& vendorId, uint16_t& productId) {
    if (handle <= 0)
        return false;
    vendorId = kMouseVendorId;
    productId = kMouseProductId;
    return true;
}

DeviceResult HidTransportVirtual::SetFeature(HidHandle handle, const uint8_t* report,
                                             size_t length) {
    // A transfer that ran out of time dropped the connection; the handle itself stays good until
    // the mouse comes back, as a real one does after a timed-out request.
    if (handle <= 0 || !EnsureConnected())
        return DeviceFault::kNoMouse;
    client_.BindToArrival(static_cast<uint32_t>(handle));
    const auto began = std::chrono::steady_clock::now();
    if (client_.SetFeature(report, length))
        return DeviceResult::Ok();
    return WhyFailed(handle, began);
}

DeviceResult HidTransportVirtual::GetFeature(HidHandle handle, uint8_t* report, size_t length) {
    if (handle <= 0 || !EnsureConnected())
        return DeviceFault::kNoMouse;
    client_.BindToArrival(static_cast<uint32_t>(handle));
    const auto began = std::chrono::steady_clock::now();
    if (client_.GetFeature(report, length))
        return DeviceResult::Ok();
    return WhyFailed(handle, began);
}

DeviceResult HidTransportVirtual::WhyFailed(HidHandle handle,
                                            std::chrono::steady_clock::time_point began) {
    // The client drops the connection when the exchange itself failed: out of time, or the
    // server gone with the mouse. A refusal comes as an answer on a connection that stays.
    if (!client_.IsConnected()) {
        const auto waited = std::chrono::steady_clock::now() - began;
        // The socket's own limit may end a little early by the clock's grain.
        const auto limit = std::chrono::milliseconds(TransferLimitMs() * 9 / 10);
        return waited >= limit ? DeviceFault::kTimedOut : DeviceFault::kNoMouse;
    }
    // Refused because the handle's mouse is no longer there (unplugged, or back as another
    // arrival), or by the mouse itself.
    bool present = false;
    uint32_t arrivals = 0;
    if (!client_.QueryPresence(present, arrivals) || !present ||
        arrivals != static_cast<uint32_t>(handle))
        return DeviceFault::kNoMouse;
    return DeviceFault::kSendFailed;
}

void HidTransportVirtual::Close(HidHandle) {}

void HidTransportVirtual::SetTransferLimit(int ms) {
    HidTransport::SetTransferLimit(ms);
    client_.SetTimeout(ms);
}

std::vector<std::u16string> HidTransportVirtual::ProcessNames() {
    return ListRunningProcessNames();
}

bool HidTransportVirtual::StartWatching(ChangeCallback callback) {
    StopWatching();
    stopWatching_ = false;
    watcher_ = std::thread([this, callback = std::move(callback)] { Watch(callback); });
    return true;
}

void HidTransportVirtual::StopWatching() {
    stopWatching_ = true;
    if (watcher_.joinable())
        watcher_.join();
}

void HidTransportVirtual::Watch(ChangeCallback callback) {
    const auto notify = [&](uint32_t event) {
        callback(DeviceChangeNotice{event, kDeviceTypeInterface, kVirtualMousePath});
    };
    vmouse::VirtualMouseClient watcher;
    bool knownPresent = false;
    uint32_t knownArrivals = 0;
    bool connected = false;
    while (!stopWatching_) {
        if (!connected) {
            // A server that is not (yet) there is a mouse that is not plugged in.
            bool present = false;
            uint32_t arrivals = 0;
            if (!watcher.Connect(hostPort_) || !watcher.QueryPresence(present, arrivals)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(kReconnectPauseMs));
                continue;
            }
            connected = true;
            if (present && !knownPresent)
                notify(kDeviceArrival);
            knownPresent = present;
            knownArrivals = arrivals;
            continue;
        }
        bool present = false;
        uint32_t arrivals = 0;
        if (!watcher.WaitForChange(knownPresent, knownArrivals, kWatchSliceMs, present, arrivals)) {
            connected = false;
            if (knownPresent)
                notify(kDeviceRemoveComplete);
            knownPresent = false;
            continue;
        }
        // Gone and back between two answers still counts as a removal and an arrival.
        if (knownPresent && (!present || arrivals != knownArrivals))
            notify(kDeviceRemoveComplete);
        if (present && (!knownPresent || arrivals != knownArrivals))
            notify(kDeviceArrival);
        knownPresent = present;
        knownArrivals = arrivals;
    }
}
