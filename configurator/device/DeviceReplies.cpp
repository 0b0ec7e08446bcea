#include "device/DeviceReplies.h"

bool IsAck(const uint8_t* reply, size_t length, uint8_t reportId) {
    return reply != nullptr && length >= 2 && reply[0] == reportId && reply[1] == 1;
}

std::optional<uint8_t> DecodeActiveProfile(const uint8_t* reply, size_t length) {
    if (reply == nullptr || length < 2 || reply[0] != kReportCommand)
        return std::nullopt;
    return reply[1];
}

std::optional<DeviceInfo> DecodeDeviceInfo(const uint8_t* reply, size_t length) {
    if (reply == nullptr || length < 3)
        return std::nullopt;
    DeviceInfo info;
    info.firmwareVersion = static_cast<int16_t>(reply[1] | (reply[2] << 8));
    return info;
}

std::optional<uint32_t> DecodeSurfaceQuality(const uint8_t* reply, size_t length) {
    if (reply == nullptr || length < 6 || reply[1] != 1)
        return std::nullopt;
    return static_cast<uint32_t>(reply[2]) | (static_cast<uint32_t>(reply[3]) << 8) |
           (static_cast<uint32_t>(reply[4]) << 16) | (static_cast<uint32_t>(reply[5]) << 24);
}
