// The eight commands: exact reports, the acknowledge rules, the image chunks, the decoding of
// the replies, and the cause each failure gives.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeHid.h"
#include "Transcript.h"
#include "device/MouseCommands.h"
#include "profiles/DeviceImage.h"

namespace {

using Lines = std::vector<std::string>;

std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string line = vmouse::TranscriptLine(true, bytes.data(), bytes.size());
    return line.substr(4, line.size() - 5);
}

// A profile whose image has exactly `length` bytes: macros on buttons 3 and 4 fill it up.
Profile ProfileWithImageLength(int length, uint8_t index) {
    Profile profile;
    profile.index = index;
    int remaining = length - kImageFixedLength;
    for (int button = 3; button < kButtonCount && remaining > 0; ++button) {
        // A block is 20 + 7 n; leave room for another block when this one cannot end exactly.
        int events = (remaining - kMacroBlockHeader) / kMacroEventBytes;
        if ((remaining - kMacroBlockHeader) % kMacroEventBytes != 0)
            events -= (kMacroBlockHeader + kMacroEventBytes - 1) / kMacroEventBytes;
        CButtonMacro macro;
        macro.id = button;
        for (int i = 0; i < events; ++i)
            macro.events.push_back({1, static_cast<int16_t>(0x41 + i % 26), 1, 10});
        profile.buttons[button].function = kFunctionMacro;
        profile.AssignMacro(profile.buttons[button], &macro);
        remaining -= kMacroBlockHeader + kMacroEventBytes * events;
    }
    return profile;
}

class CommandsTest : public ::testing::Test {
  protected:
    CommandsTest() : link(transport, transport.clock) { transport.AddUsualInterfaces(); }
    FakeTransport transport;
    DeviceLink link;
};

TEST_F(CommandsTest, ExactReportsOfTheShortCommands) {
    ASSERT_TRUE(SetActiveProfile(link, 0));
    uint8_t active = 9;
    ASSERT_TRUE(GetActiveProfile(link, active));
    EXPECT_EQ(active, 0);
    DeviceInfo info;
    ASSERT_TRUE(ReadDeviceInfo(link, info));
    EXPECT_EQ(info.firmwareVersion, 109);
    ASSERT_TRUE(TestLiftDistance(link, 7));
    ASSERT_TRUE(SaveLiftDistance(link, 31));
    ASSERT_TRUE(StartSurfaceCapture(link));
    uint32_t count = 0;
    ASSERT_TRUE(ReadSurfaceQuality(link, count));
    EXPECT_EQ(count, 300u);
    const Lines expected = {
        "SET 0302000000000000", "GET 0301000000000000",  // select ...
        "SET 0300000000000000", "GET 0301000000000000",  // ... slot 0
        "SET 0303000000000000", "GET 0301000000000000", "GET 0300000000000000",
        "SET 0304000000000000", "GET 0301000000000000", "GET 046d" + std::string(124, '0'),
        "SET 0a00070000000000", "GET 0a01000000000000", "SET 0a011f0000000000",
        "GET 0a01000000000000", "SET 0b00000000000000", "GET 0b01000000000000",
        "SET 0b01000000000000", "GET 0b012c0100000000",
    };
    EXPECT_EQ(transport.log.lines, expected);
    EXPECT_EQ(transport.clock.sleeps, 0);
}

TEST_F(CommandsTest, AckOnTheEleventhPollStillSucceeds) {
    vmouse::MouseFaults faults;
    faults.ackAfterPolls = 10;
    transport.model.SetFaults(faults);
    EXPECT_TRUE(SaveLiftDistance(link, 12));
    EXPECT_EQ(transport.clock.sleeps, 10);
    EXPECT_EQ(transport.log.lines.size(), 1u + 11u);
}

TEST_F(CommandsTest, NoAckByTheEleventhPollFails) {
    vmouse::MouseFaults faults;
    faults.ackAfterPolls = 11;
    transport.model.SetFaults(faults);
    EXPECT_EQ(SaveLiftDistance(link, 12).fault(), DeviceFault::kNoAcknowledge);
    EXPECT_EQ(transport.clock.sleeps, 11);
    EXPECT_EQ(transport.clock.sleptMs, 165);
    EXPECT_EQ(transport.log.lines.size(), 1u + 11u);
}

TEST_F(CommandsTest, FailedSendEndsTheCommandAtOnce) {
    transport.refuseSet = [](const std::vector<uint8_t>& report) { return report[1] == 0x02; };
    const DeviceResult selected = SetActiveProfile(link, 3);
    EXPECT_EQ(selected.fault(), DeviceFault::kSendFailed);
    EXPECT_EQ(selected.systemCode(), FakeTransport::kRefusedCode);
    EXPECT_EQ(transport.log.lines, (Lines{"REFUSED"}));
}

TEST_F(CommandsTest, SilentMouseTimesOut) {
    transport.answerAfterMs = kFeatureTransferTimeoutMs + 1;
    EXPECT_EQ(SetActiveProfile(link, 3).fault(), DeviceFault::kTimedOut);
    EXPECT_EQ(transport.timedOut, 1) << "the first silent transfer ends the command";
}

// Gone right after the set: every poll of its acknowledge finds no mouse, and the command says
// that rather than a missing acknowledge.
TEST_F(CommandsTest, UnplugWhileWaitingForTheAcknowledgeIsNoMouse) {
    vmouse::MouseFaults faults;
    faults.vanishAfterReports = 1;
    faults.vanishForMs = 0;
    transport.model.SetFaults(faults);
    EXPECT_EQ(SaveLiftDistance(link, 20).fault(), DeviceFault::kNoMouse);
    EXPECT_EQ(transport.clock.sleeps, kAckAttempts);
}

// A reply of another report than asked for is not taken for the answer.
TEST_F(CommandsTest, ReplyOfAnotherReportIsAWrongReply) {
    class Garbling : public FakeTransport {
      public:
        DeviceResult GetFeature(HidHandle handle, uint8_t* report, size_t length) override {
            const DeviceResult read = FakeTransport::GetFeature(handle, report, length);
            // Acknowledges pass; the answer to the query comes back under id 7.
            if (read && report[0] == kReportCommand && report[1] != 1)
                report[0] = 0x07;
            return read;
        }
    } garbling;
    garbling.AddUsualInterfaces();
    DeviceLink garbled(garbling, garbling.clock);
    uint8_t active = 9;
    EXPECT_EQ(GetActiveProfile(garbled, active).fault(), DeviceFault::kWrongReply);
    EXPECT_EQ(active, 9) << "nothing is taken from a wrong reply";
}

// A failed command leaves one line naming it, its cause and the system's code; a command that
// succeeds leaves none.
TEST_F(CommandsTest, FailuresGoToTheTrace) {
    static std::vector<std::string> traced;
    traced.clear();
    SetDeviceTraceSink([](const std::string& line) { traced.push_back(line); });
    ASSERT_TRUE(SetActiveProfile(link, 1));
    transport.refuseSet = [](const std::vector<uint8_t>&) { return true; };
    EXPECT_FALSE(SaveLiftDistance(link, 9));
    SetDeviceTraceSink(nullptr);
    EXPECT_EQ(traced, (Lines{"ORVA7100 device: SaveLiftDistance failed: send-failed (the transfer "
                             "was refused), system code 31"}));
}

TEST_F(CommandsTest, NoMouseSendsNothing) {
    transport.model.Unplug();
    EXPECT_EQ(SetActiveProfile(link, 1).fault(), DeviceFault::kNoMouse);
    DeviceInfo info;
    EXPECT_EQ(ReadDeviceInfo(link, info).fault(), DeviceFault::kNoMouse);
    EXPECT_TRUE(transport.log.lines.empty());
}

TEST_F(CommandsTest, ImageOfExactly1024BytesGoesInOneChunk) {
    Profile profile = ProfileWithImageLength(1024, 2);
    ASSERT_TRUE(WriteProfileImage(link, profile));
    EXPECT_EQ(profile.imageLength, 1024);
    const Lines sets = transport.log.Sets();
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(sets[0], "SET 0300000400020000");
    const DeviceImage image = *BuildDeviceImage(profile);
    EXPECT_EQ(sets[1], "SET 05" + Hex(std::vector<uint8_t>(image.begin(), image.begin() + 1024)));
    EXPECT_TRUE(std::equal(image.begin(), image.end(), transport.model.Memory().slots[2].begin()));
}

TEST_F(CommandsTest, ImageOf1025BytesGoesInTwoChunksWithTheFullLength) {
    Profile profile = ProfileWithImageLength(1025, 4);
    ASSERT_TRUE(WriteProfileImage(link, profile));
    EXPECT_EQ(profile.imageLength, 1025);
    const DeviceImage image = *BuildDeviceImage(profile);
    const Lines sets = transport.log.Sets();
    const Lines expected = {
        "SET 0300010400040000",
        "SET 05" + Hex(std::vector<uint8_t>(image.begin(), image.begin() + 1024)),
        "SET 0300010401040000",
        "SET 05" + Hex(std::vector<uint8_t>(image.begin() + 1024, image.end())),
    };
    EXPECT_EQ(sets, expected);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), transport.model.Memory().slots[4].begin()));
    // Every report was acknowledged before the next went out.
    for (size_t i = 0; i + 1 < transport.log.lines.size(); i += 2)
        EXPECT_EQ(transport.log.lines[i + 1], "GET 0301000000000000");
}

TEST_F(CommandsTest, MacrosThatDoNotFitSendNothing) {
    Profile profile;
    CButtonMacro macro;
    macro.events.assign(300, {1, 0x41, 1, 5});
    profile.buttons[3].function = kFunctionMacro;
    profile.AssignMacro(profile.buttons[3], &macro);
    EXPECT_EQ(WriteProfileImage(link, profile).fault(), DeviceFault::kImageTooLarge);
    EXPECT_TRUE(transport.log.Sets().empty());
}

TEST(DeviceReplies, Decoding) {
    const uint8_t ack[] = {0x0A, 0x01};
    EXPECT_TRUE(IsAck(ack, 2, 0x0A));
    EXPECT_FALSE(IsAck(ack, 2, 0x03));
    EXPECT_FALSE(IsAck(ack, 1, 0x0A));
    const uint8_t notYet[] = {0x03, 0x00};
    EXPECT_FALSE(IsAck(notYet, 2, 0x03));

    const uint8_t active[] = {0x03, 0x04};
    EXPECT_EQ(DecodeActiveProfile(active, 2), 4);
    const uint8_t wrongId[] = {0x04, 0x04};
    EXPECT_FALSE(DecodeActiveProfile(wrongId, 2));

    const uint8_t info[] = {0x99, 0x6D, 0x00};
    EXPECT_EQ(DecodeDeviceInfo(info, 3)->firmwareVersion, 109) << "byte 0 does not matter";
    const uint8_t negative[] = {0x04, 0xFF, 0xFF};
    EXPECT_EQ(DecodeDeviceInfo(negative, 3)->firmwareVersion, -1) << "read as signed";
    EXPECT_FALSE(DecodeDeviceInfo(info, 2));

    const uint8_t surface[] = {0x0B, 0x01, 0x2C, 0x01, 0x00, 0x00};
    EXPECT_EQ(DecodeSurfaceQuality(surface, 6), 300u);
    const uint8_t big[] = {0x0B, 0x01, 0x01, 0x02, 0x03, 0x84};
    EXPECT_EQ(DecodeSurfaceQuality(big, 6), 0x84030201u);
    const uint8_t noResult[] = {0x0B, 0x00, 0x2C, 0x01, 0x00, 0x00};
    EXPECT_FALSE(DecodeSurfaceQuality(noResult, 6));
    EXPECT_FALSE(DecodeSurfaceQuality(surface, 5));
}

}  // namespace
