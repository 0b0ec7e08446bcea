#pragma once
// Decoding of what the mouse hands back. Replies are untrusted: each decoder checks the length
// and the bytes it relies on and says no rather than guessing.

#include <cstddef>
#include <cstdint>
#include <optional>

constexpr uint8_t kReportCommand = 0x03;
constexpr uint8_t kReportDeviceInfo = 0x04;
constexpr uint8_t kReportImageChunk = 0x05;
constexpr uint8_t kReportLift = 0x0A;
constexpr uint8_t kReportSurface = 0x0B;

constexpr size_t kShortReportLength = 8;
constexpr size_t kDeviceInfoLength = 64;
constexpr size_t kChunkLength = 1024;
constexpr size_t kChunkReportLength = 1 + kChunkLength;

struct DeviceInfo {
    int32_t firmwareVersion = 0;  // version times 100, signed 16-bit on the wire
};

// An acknowledge poll answered "done": byte 0 the report id, byte 1 = 1.
bool IsAck(const uint8_t* reply, size_t length, uint8_t reportId);
// The active slot from the reply to a query; byte 0 must be 0x03.
std::optional<uint8_t> DecodeActiveProfile(const uint8_t* reply, size_t length);
// Bytes 1-2, little-endian, signed; byte 0 does not matter.
std::optional<DeviceInfo> DecodeDeviceInfo(const uint8_t* reply, size_t length);
// The count of bytes 2-5, little-endian, when byte 1 is 1.
std::optional<uint32_t> DecodeSurfaceQuality(const uint8_t* reply, size_t length);
