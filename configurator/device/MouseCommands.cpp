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

DeviceResult Open(DeviceLink& link) {
    return link.EnsureOpen() ? DeviceResult::Ok() : DeviceFault::kNoMouse;
}

DeviceResult Send(DeviceLink& link, const ShortReport& report) {
    return link.SendFeature(report.data(), report.size());
}

// Sends an 8-byte report and waits for its acknowledge on `ackId`.
DeviceResult SendAcked(DeviceLink& link, const ShortReport& report, uint8_t ackId) {
    const DeviceResult sent = Send(link, report);
    return sent ? WaitForAck(link, ackId) : sent;
}

// Reads the reply to a query into `reply` (byte 0 its report id) and decodes it.
template <typename Reply, typename Decoded, typename Decode>
DeviceResult ReadReply(DeviceLink& link, Reply& reply, Decoded& out, Decode decode) {
    const DeviceResult read = link.GetFeature(reply.data(), reply.size());
    if (!read)
        return read;
    const auto decoded = decode(reply.data(), reply.size());
    if (!decoded)
        return DeviceFault::kWrongReply;
    out = *decoded;
    return DeviceResult::Ok();
}

DeviceResult LiftCommand(DeviceLink& link, uint8_t mode, uint8_t value) {
    DeviceResult result = Open(link);
    if (result)
        result = SendAcked(link, {kReportLift, mode, value}, kReportLift);
    return result;
}

DeviceResult WriteChunk(DeviceLink& link, const DeviceImage& image, uint16_t imageLength,
                        uint8_t chunk, uint8_t slot) {
    const ShortReport header = {kReportCommand,
                                kSubImageHeader,
                                static_cast<uint8_t>(imageLength & 0xFF),
                                static_cast<uint8_t>(imageLength >> 8),
                                chunk,
                                slot};
    const DeviceResult headed = SendAcked(link, header, kReportCommand);
    if (!headed)
        return headed;
    std::vector<uint8_t> data(kChunkReportLength);
    data[0] = kReportImageChunk;
    std::copy(image.begin() + chunk * kChunkLength, image.begin() + (chunk + 1) * kChunkLength,
              data.begin() + 1);
    const DeviceResult sent = link.SendFeature(data.data(), data.size());
    return sent ? WaitForAck(link, kReportCommand) : sent;
}

DeviceResult WriteImage(DeviceLink& link, Profile& profile) {
    if (!link.EnsureOpen())
        return DeviceFault::kNoMouse;
    const std::optional<DeviceImage> image = BuildDeviceImage(profile);
    if (!image)
        return DeviceFault::kImageTooLarge;
    const uint16_t length = profile.imageLength;
    const DeviceResult first = WriteChunk(link, *image, length, 0, profile.index);
    if (!first || static_cast<int16_t>(length) <= static_cast<int16_t>(kChunkLength))
        return first;
    return WriteChunk(link, *image, length, 1, profile.index);
}

}  // namespace

DeviceResult WaitForAck(DeviceLink& link, uint8_t reportId) {
    if (!link.EnsureOpen())
        return DeviceFault::kNoMouse;
    // The buffer is not cleared between attempts: only byte 0 and 1 of the reply decide.
    ShortReport buffer = {reportId};
    DeviceResult last;
    for (int attempt = 0; attempt < kAckAttempts; ++attempt) {
        last = link.GetFeature(buffer.data(), buffer.size());
        if (last && IsAck(buffer.data(), buffer.size(), reportId))
            return last;
        if (last)
            last = DeviceFault::kNoAcknowledge;
        link.Clock().SleepMs(kAckSleepMs);
    }
    return last;
}

DeviceResult SetActiveProfile(DeviceLink& link, uint8_t index) {
    DeviceResult result = Open(link);
    // The mouse reads the second report as the operand of the select.
    if (result)
        result = SendAcked(link, {kReportCommand, kSubSelect}, kReportCommand);
    if (result)
        result = SendAcked(link, {kReportCommand, index}, kReportCommand);
    return TraceDeviceResult("SetActiveProfile", result);
}

DeviceResult GetActiveProfile(DeviceLink& link, uint8_t& index) {
    DeviceResult result = Open(link);
    if (result)
        result = SendAcked(link, {kReportCommand, kSubQueryActive}, kReportCommand);
    ShortReport reply = {kReportCommand};
    if (result)
        result = ReadReply(link, reply, index, DecodeActiveProfile);
    return TraceDeviceResult("GetActiveProfile", result);
}

DeviceResult ReadDeviceInfo(DeviceLink& link, DeviceInfo& info) {
    DeviceResult result = Open(link);
    if (result)
        result = SendAcked(link, {kReportCommand, kSubDeviceInfo}, kReportCommand);
    std::array<uint8_t, kDeviceInfoLength> reply = {kReportDeviceInfo};
    if (result)
        result = ReadReply(link, reply, info, DecodeDeviceInfo);
    return TraceDeviceResult("ReadDeviceInfo", result);
}

DeviceResult WriteProfileImage(DeviceLink& link, Profile& profile) {
    return TraceDeviceResult("WriteProfileImage", WriteImage(link, profile));
}

DeviceResult TestLiftDistance(DeviceLink& link, uint8_t value) {
    return TraceDeviceResult("TestLiftDistance", LiftCommand(link, kLiftTest, value));
}

DeviceResult SaveLiftDistance(DeviceLink& link, uint8_t value) {
    return TraceDeviceResult("SaveLiftDistance", LiftCommand(link, kLiftSave, value));
}

DeviceResult StartSurfaceCapture(DeviceLink& link) {
    DeviceResult result = Open(link);
    if (result)
        result = SendAcked(link, {kReportSurface, kSurfaceStart}, kReportSurface);
    return TraceDeviceResult("StartSurfaceCapture", result);
}

DeviceResult ReadSurfaceQuality(DeviceLink& link, uint32_t& count) {
    DeviceResult result = Open(link);
    if (result)
        result = Send(link, {kReportSurface, kSurfaceRead});
    ShortReport reply = {kReportSurface};
    if (result)
        result = ReadReply(link, reply, count, DecodeSurfaceQuality);
    return TraceDeviceResult("ReadSurfaceQuality", result);
}
