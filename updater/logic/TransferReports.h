#pragma once
// The feature reports of a firmware transfer, each built in a zero-filled buffer with its
// report id in byte 0.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

constexpr uint8_t kCommandReportId = 0x20;
constexpr uint8_t kParameterReportId = 0x21;
constexpr uint8_t kDataReportId = 0x22;

constexpr size_t kCommandReportBytes = 8;
constexpr size_t kParameterReportBytes = 9;
constexpr size_t kDataReportBytes = 1025;
constexpr size_t kStatusReportBytes = 8;

// Steps of a transfer, in the order they are sent.
enum class TransferStep : uint8_t {
    kStart = 0,
    kImageLength = 1,
    kPrepare = 2,
    kBlockHeader = 3,
    kBlockData = 4,
};

using CommandReport = std::array<uint8_t, kCommandReportBytes>;
using ParameterReport = std::array<uint8_t, kParameterReportBytes>;
using DataReport = std::array<uint8_t, kDataReportBytes>;
using StatusReport = std::array<uint8_t, kStatusReportBytes>;

class TransferReports {
  public:
    // Announces a step and the length of the report that follows it (9 or 1025).
    static CommandReport Command(TransferStep step);
    static ParameterReport Start();
    static ParameterReport ImageLength(uint32_t length);
    static ParameterReport Prepare();
    static ParameterReport BlockHeader(uint16_t index, uint16_t checksum);
    static DataReport BlockData(std::span<const uint8_t, 1024> block);
    // The buffer handed to the status read: id 0x20, the rest zero.
    static StatusReport StatusRequest();
};
