#include "device/DeviceLink.h"

#include <utility>

namespace {

char16_t Upper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Upper(a[i]) != Upper(b[i]))
            return false;
    }
    return true;
}

}  // namespace

bool IsMouseInterfaceName(std::u16string_view name) {
    const size_t product = name.find(kMouseProductText);
    if (product == std::u16string_view::npos || product == 0)
        return false;
    const size_t vendor = name.find(kMouseVendorText);
    return vendor != std::u16string_view::npos && vendor >= 1;
}

DeviceLink::DeviceLink(HidTransport& transport, DeviceClock& clock)
    : transport_(transport), clock_(clock) {}

DeviceLink::~DeviceLink() {
    Invalidate();
}

HidHandle DeviceLink::FindMouse() {
    for (const std::u16string& path : transport_.ListInterfaces()) {
        const HidHandle handle = transport_.Open(path);
        if (handle == kNoHandle)
            continue;
        uint16_t vendor = 0;
        uint16_t product = 0;
        if (transport_.GetIds(handle, vendor, product) && vendor == kMouseVendorId &&
            product == kMouseProductId)
            return handle;
        transport_.Close(handle);
    }
    return kNoHandle;
}

bool DeviceLink::EnsureOpen() {
    if (isOpen_)
        return true;
    if (IsHeld())
        return false;
    handle_ = FindMouse();
    isOpen_ = handle_ != kNoHandle;
    activity_ += isOpen_ ? 1 : 0;
    return isOpen_;
}

DeviceResult DeviceLink::SendFeature(const uint8_t* report, size_t length) {
    if (!isOpen_ || handle_ == kNoHandle)
        return DeviceFault::kNoMouse;
    const DeviceResult sent = transport_.SetFeature(handle_, report, length);
    activity_ += sent ? 1 : 0;
    return sent;
}

DeviceResult DeviceLink::GetFeature(uint8_t* report, size_t length) {
    if (!isOpen_ || handle_ == kNoHandle)
        return DeviceFault::kNoMouse;
    const DeviceResult read = transport_.GetFeature(handle_, report, length);
    activity_ += read ? 1 : 0;
    return read;
}

void DeviceLink::HoldWhile(std::function<bool()> stillHeld) {
    Invalidate();
    heldWhile_ = std::move(stillHeld);
}

bool DeviceLink::IsHeld() {
    if (heldWhile_ && !heldWhile_())
        heldWhile_ = nullptr;
    return static_cast<bool>(heldWhile_);
}

void DeviceLink::Invalidate() {
    isOpen_ = false;
    // Closing the stale handle keeps repeated plug cycles from leaking one handle each.
    if (handle_ != kNoHandle)
        transport_.Close(handle_);
    handle_ = kNoHandle;
}

bool DeviceLink::IsUpdaterRunning() {
    for (const std::u16string& name : transport_.ProcessNames()) {
        if (EqualsIgnoringCase(name, u"Updater.exe"))
            return true;
    }
    return false;
}
