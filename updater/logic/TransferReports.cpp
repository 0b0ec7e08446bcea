#include "logic/TransferReports.h"

#include <algorithm>

namespace {

void PutLe16(uint8_t* at, uint16_t value) {
    at[0] = static_cast<uint8_t>(value & 0xFF);
    at[1] = static_cast<uint8_t>(value >> 8);
}

// The tail 5A A5 22 88 that the length and block header parameters end with.
void PutMarker(uint8_t* at) {
    at[0] = 0x5A;
    at[1] = 0xA5;
    at[2] = 0x22;
    at[3] = 0x88;
}

}  // namespace

CommandReport TransferReports::Command(TransferStep step) {
    CommandReport report{};
    report[0] = kCommandReportId;
    report[1] = 0x06;
    const bool data = step == TransferStep::kBlockData;
    PutLe16(&report[2], static_cast<uint16_t>(data ? kDataReportBytes : kParameterReportBytes));
    report[5] = static_cast<uint8_t>(step);
    return report;
}

ParameterReport TransferReports::Start() {
    return {kParameterReportId, 0x5A, 0xA5, 0x32, 0x10, 0x03, 0xCB, 0x00, 0x01};
}

ParameterReport TransferReports::ImageLength(uint32_t length) {
    ParameterReport report{};
    report[0] = kParameterReportId;
    PutLe16(&report[1], static_cast<uint16_t>(length & 0xFFFF));
    PutLe16(&report[3], static_cast<uint16_t>(length >> 16));
    PutMarker(&report[5]);
    return report;
}

ParameterReport TransferReports::Prepare() {
    return {kParameterReportId, 0xEC, 0, 0, 0, 0, 0, 0, 0};
}

ParameterReport TransferReports::BlockHeader(uint16_t index, uint16_t checksum) {
    ParameterReport report{};
    report[0] = kParameterReportId;
    PutLe16(&report[1], index);
    PutLe16(&report[3], checksum);
    PutMarker(&report[5]);
    return report;
}

DataReport TransferReports::BlockData(std::span<const uint8_t, 1024> block) {
    DataReport report{};
    report[0] = kDataReportId;
    std::copy(block.begin(), block.end(), report.begin() + 1);
    return report;
}

StatusReport TransferReports::StatusRequest() {
    StatusReport report{};
    report[0] = kCommandReportId;
    return report;
}
