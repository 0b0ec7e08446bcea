#include "device/MouseCommands.h"

#include <array>
#include <vector>

#include "profiles/DeviceImage.h"

namespace {

using ShortReport = std::array<uint8_t, kShortReportLength>;

constexpr uint8_t kSubImageHeader = 0x00;
constexpr uint8_t kSubSelect = 0x02;
constexpr uint8_t kSubQueryActive = 0x03;
constexpr uint8_t kSubDeviceInfo = 0x04;
constexpr uint8_t kLiftTest = 0x00;
constexpr uint8_t kLiftSave = 0x01;
constexpr uint8_t kSurfaceStart = 0x00;
constexpr uint8_t kSurfaceRead = 0x01;

bool Send(DeviceLink& link, const ShortReport& report) {
    return link.SendFeature(report.data(), report.size());
}

// Sends an 8-byte report and waits for its acknowledge on `ackId`.
bool SendAcked(DeviceLink& link, const ShortReport& report, uint8_t ackId) {
    return Send(link, report) && WaitForAck(link, ackId);
}

bool LiftCommand(DeviceLink& link, uint8_t mode, uint8_t value) {
    if (!link.EnsureOpen())
        return false;
    return SendAcked(link, {kReportLift, mode, value}, kReportLift);
}

bool WriteChunk(DeviceLink& link, const DeviceImage& image, uint16_t imageLength, uint8_t chunk,
                uint8_t slot) {
    const ShortReport header = {kReportCommand,
                                kSubImageHeader,
                                static_cast<uint8_t>(imageLength & 0xFF),
                                static_cast<uint8_t>(imageLength >> 8),
                                chunk,
                                slot};
    if (!SendAcked(link, header, kReportCommand))
        return false;
    std::vector<uint8_t> data(kChunkReportLength);
    data[0] = kReportImageChunk;
    std::copy(image.begin() + chunk * kChunkLength, image.begin() + (chunk + 1) * kChunkLength,
              data.begin() + 1);
    return link.SendFeature(data.data(), data.size()) && WaitForAck(link, kReportCommand);
}

}  // namespace

bool WaitForAck(DeviceLink& link, uint8_t reportId) {
    if (!link.EnsureOpen())
        return false;
    // The buffer is not cleared between attempts: only byte 0 and 1 of the reply decide.
    ShortReport buffer = {reportId};
    for (int attempt = 0; attempt < kAckAttempts; ++attempt) {
        if (link.GetFeature(buffer.data(), buffer.size()) &&
            IsAck(buffer.data(), buffer.size(), reportId))
            return true;
        link.Clock().SleepMs(kAckSleepMs);
    }
    return false;
}

bool SetActiveProfile(DeviceLink& link, uint8_t index) {
    if (!link.EnsureOpen())
        return false;
    // The mouse reads the second report as the operand of the select.
    return SendAcked(link, {kReportCommand, kSubSelect}, kReportCommand) &&
           SendAcked(link, {kReportCommand, index}, kReportCommand);
}

bool GetActiveProfile(DeviceLink& link, uint8_t& index) {
    if (!link.EnsureOpen() || !SendAcked(link, {kReportCommand, kSubQueryActive}, kReportCommand))
        return false;
    ShortReport reply = {kReportCommand};
    if (!link.GetFeature(reply.data(), reply.size()))
        return false;
    const std::optional<uint8_t> active = DecodeActiveProfile(reply.data(), reply.size());
    if (!active)
        return false;
    index = *active;
    return true;
}

bool ReadDeviceInfo(DeviceLink& link, DeviceInfo& info) {
    if (!link.EnsureOpen() || !SendAcked(link, {kReportCommand, kSubDeviceInfo}, kReportCommand))
        return false;
    std::array<uint8_t, kDeviceInfoLength> reply = {kReportDeviceInfo};
    if (!link.GetFeature(reply.data(), reply.size()))
        return false;
    const std::optional<DeviceInfo> decoded = DecodeDeviceInfo(reply.data(), reply.size());
    if (!decoded)
        return false;
    info = *decoded;
    return true;
}

bool WriteProfileImage(DeviceLink& link, Profile& profile) {
    if (!link.EnsureOpen())
        return false;
    const std::optional<DeviceImage> image = BuildDeviceImage(profile);
    if (!image)
        return false;
    const uint16_t length = profile.imageLength;
    if (!WriteChunk(link, *image, length, 0, profile.index))
        return false;
    if (static_cast<int16_t>(length) <= static_cast<int16_t>(kChunkLength))
        return true;
    return WriteChunk(link, *image, length, 1, profile.index);
}

bool TestLiftDistance(DeviceLink& link, uint8_t value) {
    return LiftCommand(link, kLiftTest, value);
}

bool SaveLiftDistance(DeviceLink& link, uint8_t value) {
    return LiftCommand(link, kLiftSave, value);
}

bool StartSurfaceCapture(DeviceLink& link) {
    if (!link.EnsureOpen())
        return false;
    return SendAcked(link, {kReportSurface, kSurfaceStart}, kReportSurface);
}

bool ReadSurfaceQuality(DeviceLink& link, uint32_t& count) {
    if (!link.EnsureOpen() || !Send(link, {kReportSurface, kSurfaceRead}))
        return false;
    ShortReport reply = {kReportSurface};
    if (!link.GetFeature(reply.data(), reply.size()))
        return false;
    const std::optional<uint32_t> decoded = DecodeSurfaceQuality(reply.data(), reply.size());
    if (!decoded)
        return false;
    count = *decoded;
    return true;
}
