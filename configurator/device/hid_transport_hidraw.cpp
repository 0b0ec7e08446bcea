#include "device/HidTransportHidraw.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

namespace {

std::u16string ToU16(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

std::string ToNarrow(const std::u16string& text) {
    std::string result;
    for (char16_t c : text) {
        if (c > 0x7F)
            return {};  // hidraw paths are plain ASCII
        result.push_back(static_cast<char>(c));
    }
    return result;
}

// hidrawN in number order, as the kernel made them.
int NodeNumber(const std::string& name) {
    const std::string digits = name.substr(6);
    if (digits.empty() || digits.size() > 6 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    return std::stoi(digits);
}

// The kernel's answer to a failed feature ioctl, by what it means for the mouse.
DeviceResult FromErrno(int error) {
    const auto code = static_cast<uint32_t>(error);
    switch (error) {
        case ETIMEDOUT:
            return {DeviceFault::kTimedOut, code};
        case ENODEV:
        case ENXIO:
        case ESHUTDOWN:
            return {DeviceFault::kNoMouse, code};
        default:
            return {DeviceFault::kSendFailed, code};
    }
}

}  // namespace

HidTransportHidraw::HidTransportHidraw(std::string devFolder) : devFolder_(std::move(devFolder)) {}

std::vector<std::u16string> HidTransportHidraw::ListInterfaces() {
    std::vector<std::pair<int, std::string>> nodes;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(devFolder_, error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("hidraw", 0) == 0 && NodeNumber(name) >= 0)
            nodes.emplace_back(NodeNumber(name), entry.path().string());
    }
    std::sort(nodes.begin(), nodes.end());
    std::vector<std::u16string> paths;
    for (const auto& node : nodes)
        paths.push_back(ToU16(node.second));
    return paths;
}

HidHandle HidTransportHidraw::Open(const std::u16string& path) {
    const std::string narrow = ToNarrow(path);
    if (narrow.empty())
        return kNoHandle;
    const int fd = open(narrow.c_str(), O_RDWR | O_CLOEXEC);
    return fd < 0 ? kNoHandle : static_cast<HidHandle>(fd);
}

bool HidTransportHidraw::GetIds(HidHandle handle, uint16_t& vendorId, uint16_t& productId) {
    hidraw_devinfo info{};
    if (handle < 0 || ioctl(static_cast<int>(handle), HIDIOCGRAWINFO, &info) < 0)
        return false;
    vendorId = static_cast<uint16_t>(info.vendor);
    productId = static_cast<uint16_t>(info.product);
    return true;
}

DeviceResult HidTransportHidraw::SetFeature(HidHandle handle, const uint8_t* report,
                                            size_t length) {
    if (handle < 0)
        return DeviceFault::kNoMouse;
    if (length == 0 || length > 4096)
        return DeviceFault::kSendFailed;
    std::vector<uint8_t> buffer(report, report + length);
    const int sent = ioctl(static_cast<int>(handle), HIDIOCSFEATURE(length), buffer.data());
    if (sent < 0)
        return FromErrno(errno);
    return static_cast<size_t>(sent) == length ? DeviceResult::Ok() : DeviceFault::kSendFailed;
}

DeviceResult HidTransportHidraw::GetFeature(HidHandle handle, uint8_t* report, size_t length) {
    if (handle < 0)
        return DeviceFault::kNoMouse;
    if (length == 0 || length > 4096)
        return DeviceFault::kSendFailed;
    std::vector<uint8_t> buffer(length, 0);
    buffer[0] = report[0];
    const int got = ioctl(static_cast<int>(handle), HIDIOCGFEATURE(length), buffer.data());
    if (got < 0)
        return FromErrno(errno);
    if (got == 0)
        return DeviceFault::kWrongReply;
    // A short reply fills what it has; the rest of the report reads as zero.
    std::copy(buffer.begin(), buffer.end(), report);
    return DeviceResult::Ok();
}

void HidTransportHidraw::Close(HidHandle handle) {
    if (handle >= 0)
        close(static_cast<int>(handle));
}

std::vector<std::u16string> HidTransportHidraw::ProcessNames() {
    return ListRunningProcessNames();
}

std::vector<std::u16string> ListRunningProcessNames() {
    std::vector<std::u16string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string pid = entry.path().filename().string();
        if (pid.empty() ||
            !std::all_of(pid.begin(), pid.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        std::ifstream comm(entry.path() / "comm");
        std::string name;
        if (std::getline(comm, name))
            names.push_back(ToU16(name));
    }
    return names;
}
