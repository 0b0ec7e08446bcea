// Feature reports travel in buffers of the interface's feature-report length: the short reports
// of the mouse (8 and 64 bytes) share one interface with the 1025-byte chunk report.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "device/DeviceReplies.h"
#include "device/FeatureBuffer.h"

namespace {

TEST(FeatureBuffer, ReportsArePaddedToTheInterfaceLengthAndRepliesTakenFromTheLead) {
    const std::vector<uint8_t> select = {0x03, 0x02, 0, 0, 0, 0, 0, 0};
    const std::vector<uint8_t> sent =
        PadFeatureReport(select.data(), select.size(), kChunkReportLength);
    ASSERT_EQ(sent.size(), kChunkReportLength);
    EXPECT_TRUE(std::equal(select.begin(), select.end(), sent.begin()));
    EXPECT_TRUE(std::all_of(sent.begin() + 8, sent.end(), [](uint8_t b) { return b == 0; }));

    // The longest report goes out as it is; so does every report when the length is unknown or
    // shorter than the report (the driver then decides).
    std::vector<uint8_t> chunk(kChunkReportLength, 0xAB);
    chunk[0] = kReportImageChunk;
    EXPECT_EQ(PadFeatureReport(chunk.data(), chunk.size(), kChunkReportLength), chunk);
    EXPECT_EQ(PadFeatureReport(select.data(), select.size(), 0), select);
    EXPECT_EQ(PadFeatureReport(chunk.data(), chunk.size(), 64), chunk);

    // A get asks with the id in byte 0 of a full-length buffer and hands back the leading bytes.
    std::vector<uint8_t> request = FeatureRequestBuffer(kReportDeviceInfo, 64, kChunkReportLength);
    ASSERT_EQ(request.size(), kChunkReportLength);
    EXPECT_EQ(request[0], kReportDeviceInfo);
    EXPECT_TRUE(std::all_of(request.begin() + 1, request.end(), [](uint8_t b) { return b == 0; }));
    request[1] = 0x6D;
    request[63] = 0x11;
    request[64] = 0xEE;  // beyond the report: never copied
    std::vector<uint8_t> info(65, 0x55);
    info[0] = kReportDeviceInfo;
    ASSERT_TRUE(TakeFeatureReply(request, info.data(), 64));
    EXPECT_EQ(info[1], 0x6D);
    EXPECT_EQ(info[63], 0x11);
    EXPECT_EQ(info[64], 0x55);
    EXPECT_EQ(DecodeDeviceInfo(info.data(), 64)->firmwareVersion, 0x6D);

    // A reply shorter than the report, or for another report id, is no answer.
    uint8_t ack[8] = {kReportCommand};
    EXPECT_FALSE(TakeFeatureReply(std::vector<uint8_t>(4, kReportCommand), ack, 8));
    std::vector<uint8_t> other = FeatureRequestBuffer(kReportLift, 8, 1025);
    EXPECT_FALSE(TakeFeatureReply(other, ack, 8));
    EXPECT_EQ(FeatureRequestBuffer(kReportCommand, 8, 0).size(), 8u);
}

}  // namespace
