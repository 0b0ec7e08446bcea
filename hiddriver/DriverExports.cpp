// hiddriver.dll: the six calls through which the firmware updater reaches the mouse. All use
// the caller-cleans C convention. With ORVA7100_VIRTUAL_MOUSE=HOST:PORT set to a loopback address
// they talk to the virtual mouse, otherwise to the mouse through Windows HID.

#include <windows.h>

#include <memory>
#include <mutex>
#include <string>

#include "FeatureChannel.h"
#include "VirtualChannel.h"
#include "WinHidChannel.h"

namespace {

// The library's one open device. The updater calls from its window thread and from its
// transfer worker, one after the other; the lock keeps an overlap harmless.
struct DriverState {
    std::mutex lock;
    std::unique_ptr<IFeatureChannel> channel;
    HWND monitorWindow = nullptr;
};

DriverState& State() {
    static DriverState state;
    return state;
}

std::unique_ptr<IFeatureChannel> MakeChannel() {
    char value[256];
    const DWORD length = GetEnvironmentVariableA("ORVA7100_VIRTUAL_MOUSE", value, sizeof value);
    // Only a server on this machine stands in for the mouse (see IsLoopbackAddress).
    if (length > 0 && length < sizeof value &&
        vmouse::IsLoopbackAddress(std::string(value, length)))
        return std::make_unique<CVirtualChannel>(std::string(value, length));
    return std::make_unique<CWinHidChannel>();
}

}  // namespace

extern "C" {

// Device watching is not needed by the updater, which looks for the mouse itself: the call
// and its message numbers are accepted and nothing is posted.
__declspec(dllexport) int __cdecl Open_DevMonitor(HWND window, UINT, UINT) {
    std::lock_guard<std::mutex> guard(State().lock);
    State().monitorWindow = window;
    return 1;
}

__declspec(dllexport) void __cdecl Close_DevMonitor(void) {
    std::lock_guard<std::mutex> guard(State().lock);
    State().monitorWindow = nullptr;
}

__declspec(dllexport) int __cdecl Open_FeatureDevice(void) {
    std::lock_guard<std::mutex> guard(State().lock);
    DriverState& state = State();
    state.channel.reset();
    std::unique_ptr<IFeatureChannel> channel = MakeChannel();
    if (!channel->Open())
        return 0;
    state.channel = std::move(channel);
    return 1;
}

__declspec(dllexport) void __cdecl Close_FeatureDevice(void) {
    std::lock_guard<std::mutex> guard(State().lock);
    State().channel.reset();
}

__declspec(dllexport) int __cdecl SetFeature(unsigned char* report, int length) {
    std::lock_guard<std::mutex> guard(State().lock);
    DriverState& state = State();
    if (report == nullptr || length <= 0 || !state.channel)
        return 0;
    return state.channel->SetFeature(report, static_cast<size_t>(length)) ? 1 : 0;
}

__declspec(dllexport) int __cdecl GetFeature(unsigned char* report, int length) {
    std::lock_guard<std::mutex> guard(State().lock);
    DriverState& state = State();
    if (report == nullptr || length <= 0 || !state.channel)
        return 0;
    return state.channel->GetFeature(report, static_cast<size_t>(length)) ? 1 : 0;
}

}  // extern "C"
