// The virtual mouse's model driven report by report, with a clock the test moves.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "MouseModel.h"

namespace vmouse {
namespace {

using Bytes = std::vector<uint8_t>;

class Recorder : public MouseListener {
  public:
    void OnReport(bool isSet, const uint8_t* report, size_t length) override {
        lines.push_back((isSet ? "SET " : "GET ") + std::to_string(report[0]) + "/" +
                        std::to_string(length));
    }
    void OnLog(const std::string& line) override { log.push_back(line); }
    void OnMemoryChanged(const MouseMemory&) override { ++memoryChanges; }
    void OnFirmwareReceived(const std::vector<uint8_t>& image) override {
        firmware = image;
        ++firmwareCount;
    }
    void OnPresenceChanged(bool present) override { presence.push_back(present); }

    std::vector<std::string> lines;
    std::vector<std::string> log;
    int memoryChanges = 0;
    Bytes firmware;
    int firmwareCount = 0;
    std::vector<bool> presence;
};

class MouseModelTest : public ::testing::Test {
  protected:
    MouseModelTest() : model([this] { return now; }) { model.SetListener(&recorder); }

    bool Set(Bytes report, size_t length) {
        report.resize(length, 0);
        return model.SetFeature(report.data(), report.size());
    }
    bool Set8(Bytes report) { return Set(std::move(report), 8); }
    // A get of `length` bytes; empty when it fails.
    Bytes Get(uint8_t id, size_t length = 8) {
        Bytes report(length, 0);
        report[0] = id;
        if (!model.GetFeature(report.data(), report.size()))
            return {};
        return report;
    }
    uint8_t Ack(uint8_t id) {
        const Bytes reply = Get(id);
        return reply.empty() ? 0xEE : reply[1];
    }
    bool WriteChunk(uint8_t slot, uint8_t chunk, uint16_t length, uint8_t fill) {
        if (!Set8({0x03, 0x00, static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8),
                   chunk, slot}) ||
            Ack(0x03) != 1)
            return false;
        Bytes data(1025, fill);
        data[0] = 0x05;
        return model.SetFeature(data.data(), data.size()) && Ack(0x03) == 1;
    }

    int64_t now = 0;
    Recorder recorder;
    MouseModel model;
};

TEST_F(MouseModelTest, SelectQueryAndDeviceInformation) {
    EXPECT_TRUE(Set8({0x03, 0x02}));
    EXPECT_EQ(Ack(0x03), 1);
    // The operand of the select is read as a slot even though it looks like a sub-command.
    EXPECT_TRUE(Set8({0x03, 0x03}));
    EXPECT_EQ(Ack(0x03), 1);
    EXPECT_EQ(model.Memory().activeSlot, 3);

    EXPECT_TRUE(Set8({0x03, 0x03}));
    EXPECT_EQ(Ack(0x03), 1);
    EXPECT_EQ(Get(0x03), (Bytes{0x03, 0x03, 0, 0, 0, 0, 0, 0}));
    // Once delivered the answer is gone.
    EXPECT_EQ(Get(0x03), (Bytes{0x03, 0, 0, 0, 0, 0, 0, 0}));

    EXPECT_TRUE(Set8({0x03, 0x04}));
    EXPECT_EQ(Ack(0x03), 1);
    const Bytes info = Get(0x04, 64);
    ASSERT_EQ(info.size(), 64u);
    EXPECT_EQ(info[0], 0x04);
    EXPECT_EQ(info[1], 109);
    EXPECT_EQ(info[2], 0);

    // A select of slot 5 is refused and changes nothing.
    EXPECT_TRUE(Set8({0x03, 0x02}));
    EXPECT_EQ(Ack(0x03), 1);
    EXPECT_FALSE(Set8({0x03, 0x05}));
    EXPECT_EQ(model.Memory().activeSlot, 3);
}

TEST_F(MouseModelTest, ImageChunksLandInTheirSlot) {
    EXPECT_TRUE(WriteChunk(2, 0, 1500, 0xAA));
    EXPECT_TRUE(WriteChunk(2, 1, 1500, 0xBB));
    const Slot& slot = model.Memory().slots[2];
    EXPECT_EQ(slot[0], 0xAA);
    EXPECT_EQ(slot[1023], 0xAA);
    EXPECT_EQ(slot[1024], 0xBB);
    EXPECT_EQ(slot[2047], 0xBB);
    EXPECT_EQ(model.Memory().slots[1][0], 0);
}

TEST_F(MouseModelTest, RejectsWhatARealMouseWould) {
    Bytes chunk(1025, 1);
    chunk[0] = 0x05;
    EXPECT_FALSE(model.SetFeature(chunk.data(), chunk.size())) << "chunk without a header";
    EXPECT_FALSE(Set8({0x03, 0x00, 0xB3, 0x00, 0x00, 5})) << "slot 5";
    EXPECT_FALSE(Set8({0x03, 0x00, 0x01, 0x08, 0x00, 0})) << "image longer than 2048";
    EXPECT_FALSE(Set8({0x03, 0x00, 0x00, 0x04, 0x01, 0})) << "chunk 1 of a 1024-byte image";
    EXPECT_FALSE(Set8({0x03, 0x07})) << "unknown sub-command";
    EXPECT_FALSE(Set8({0x42})) << "unknown report id";
    EXPECT_FALSE(Set({0x03, 0x02}, 9)) << "wrong length";
    EXPECT_TRUE(Get(0x05, 1025).empty()) << "image chunks cannot be read";
    EXPECT_TRUE(Get(0x04, 8).empty()) << "device information is 64 bytes";
    // A header followed by a chunk of the wrong length leaves the header waiting.
    EXPECT_TRUE(Set8({0x03, 0x00, 0xB3, 0x00, 0x00, 1}));
    EXPECT_FALSE(Set({0x05}, 1024));
    EXPECT_FALSE(recorder.log.empty());
}

TEST_F(MouseModelTest, AckFaults) {
    MouseFaults faults;
    faults.ackAfterPolls = 10;
    model.SetFaults(faults);
    EXPECT_TRUE(Set8({0x0A, 0x01, 20}));
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(Ack(0x0A), 0) << "poll " << i;
    EXPECT_EQ(Ack(0x0A), 1);
    EXPECT_EQ(model.Memory().liftDistance, 20);

    faults.ackAfterPolls = kNever;
    faults.ackFaultSlot = 1;
    model.SetFaults(faults);
    EXPECT_TRUE(WriteChunk(0, 0, 179, 1)) << "only slot 1 is hit";
    EXPECT_FALSE(WriteChunk(1, 0, 179, 1));
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(Ack(0x03), 0);
}

TEST_F(MouseModelTest, RejectReportFault) {
    MouseFaults faults;
    faults.rejectReportId = 0x0A;
    model.SetFaults(faults);
    EXPECT_FALSE(Set8({0x0A, 0x00, 12}));
    EXPECT_TRUE(Get(0x0A).empty());
    EXPECT_TRUE(Set8({0x0B, 0x00}));
}

TEST_F(MouseModelTest, SurfaceMeasurement) {
    // Without a capture the read says "no result".
    EXPECT_TRUE(Set8({0x0B, 0x01}));
    EXPECT_EQ(Get(0x0B)[1], 0);
    model.Options().surfaceCount = 300;
    EXPECT_TRUE(Set8({0x0B, 0x00}));
    EXPECT_EQ(Ack(0x0B), 1);
    EXPECT_TRUE(Set8({0x0B, 0x01}));
    EXPECT_EQ(Get(0x0B), (Bytes{0x0B, 0x01, 0x2C, 0x01, 0, 0, 0, 0}));
}

TEST_F(MouseModelTest, VanishAfterReportsAndComeBack) {
    MouseFaults faults;
    faults.vanishAfterReports = 3;
    faults.vanishForMs = 500;
    model.SetFaults(faults);
    EXPECT_TRUE(Set8({0x03, 0x04}));
    EXPECT_EQ(Ack(0x03), 1);
    EXPECT_EQ(Get(0x04, 64).size(), 64u);  // the third report is still answered
    EXPECT_FALSE(model.IsPresent());
    EXPECT_FALSE(Set8({0x03, 0x04}));
    now += 499;
    EXPECT_FALSE(model.IsPresent());
    now += 1;
    EXPECT_TRUE(model.IsPresent());
    EXPECT_EQ(model.Arrivals(), 2u);
    EXPECT_EQ(recorder.presence, (std::vector<bool>{false, true}));
    // One-shot: it stays from now on.
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(Get(0x04, 64).size(), 64u);
}

// Counting from the next select: a host's polls before an Apply do not move the vanishing point.
TEST_F(MouseModelTest, VanishCountedFromTheNextSelect) {
    MouseFaults faults;
    faults.vanishAfterReports = 3;
    faults.vanishForMs = 0;
    faults.vanishFromSelect = true;
    ASSERT_TRUE(SetFault(faults, "vanish-from-select", "1"));
    EXPECT_FALSE(SetFault(faults, "vanish-from-select", "2"));
    model.SetFaults(faults);
    for (int poll = 0; poll < 5; ++poll) {
        EXPECT_TRUE(Set8({0x03, 0x03}));
        EXPECT_EQ(Ack(0x03), 1);
        EXPECT_EQ(Get(0x03).size(), 8u);
    }
    EXPECT_TRUE(model.SetFeature(std::vector<uint8_t>{0x03}.data(), 1) == false);
    EXPECT_TRUE(model.IsPresent());
    EXPECT_TRUE(Set8({0x03, 0x02}));  // the select: report 1
    EXPECT_EQ(Ack(0x03), 1);
    EXPECT_TRUE(Set8({0x03, 0x01}));  // report 3 is still handled
    EXPECT_FALSE(model.IsPresent());
    EXPECT_EQ(model.Memory().activeSlot, 1);
}

TEST_F(MouseModelTest, UnplugForgetsTheExchangeButNotTheMemory) {
    EXPECT_TRUE(WriteChunk(4, 0, 179, 7));
    EXPECT_TRUE(Set8({0x03, 0x00, 0xB3, 0x00, 0x00, 4}));
    model.Unplug();
    EXPECT_TRUE(Get(0x03).empty());
    model.Plug();
    Bytes chunk(1025, 9);
    chunk[0] = 0x05;
    EXPECT_FALSE(model.SetFeature(chunk.data(), chunk.size())) << "the header died with the plug";
    EXPECT_EQ(model.Memory().slots[4][0], 7);
    EXPECT_TRUE(model.SwitchProfile(4));
    EXPECT_FALSE(model.SwitchProfile(5));
    EXPECT_EQ(model.Memory().activeSlot, 4);
}

TEST_F(MouseModelTest, ReportsGoToTheListenerInOrder) {
    Set8({0x03, 0x04});
    Get(0x03);
    Get(0x04, 64);
    Set8({0x77});
    EXPECT_EQ(recorder.lines,
              (std::vector<std::string>{"SET 3/8", "GET 3/8", "GET 4/64", "SET 119/8"}));
}

// --- the updater's side ---

class UpdaterSideTest : public MouseModelTest {
  protected:
    static Bytes Command(uint8_t step) {
        return {0x20,
                0x06,
                static_cast<uint8_t>(step == 4 ? 0x01 : 0x09),
                static_cast<uint8_t>(step == 4 ? 0x04 : 0x00),
                0x00,
                step,
                0x00,
                0x00};
    }
    uint8_t Status() {
        const Bytes reply = Get(0x20);
        return reply.empty() ? 0xEE : reply[1];
    }
    // Sends a step's command and following report, answering resend as the updater does.
    bool Step(uint8_t step, Bytes following) {
        if (following[0] == 0x21)
            following.resize(9, 0);
        if (!Set8(Command(step)) || Status() != 1)
            return false;
        for (int attempt = 0; attempt < 50; ++attempt) {
            if (!model.SetFeature(following.data(), following.size()))
                return false;
            uint8_t status = Status();
            while (status == kStatusBusy)
                status = Status();
            if (status != kStatusResend)
                return status == kStatusAccepted;
        }
        return false;
    }
    static Bytes LengthParameter(uint32_t length) {
        return {0x21,
                static_cast<uint8_t>(length),
                static_cast<uint8_t>(length >> 8),
                static_cast<uint8_t>(length >> 16),
                static_cast<uint8_t>(length >> 24),
                0x5A,
                0xA5,
                0x22,
                0x88};
    }
    static Bytes BlockHeader(uint16_t index, const Bytes& block) {
        uint32_t sum = 0;
        for (uint8_t b : block)
            sum += b;
        return {0x21,
                static_cast<uint8_t>(index),
                static_cast<uint8_t>(index >> 8),
                static_cast<uint8_t>(sum),
                static_cast<uint8_t>(sum >> 8),
                0x5A,
                0xA5,
                0x22,
                0x88};
    }
    bool Start() {
        if (!Step(0, {0x21, 0x5A, 0xA5, 0x32, 0x10, 0x03, 0xCB, 0x00, 0x01}))
            return false;
        // The mouse restarts into its loader once the accepted status has been read.
        if (model.IsPresent())
            return false;
        now += model.Options().restartMs;
        return model.IsPresent();
    }
    bool Transfer(const Bytes& image) {
        if (!Start() || !Step(1, LengthParameter(static_cast<uint32_t>(image.size()))) ||
            !Step(2, {0x21, 0xEC}))
            return false;
        for (size_t offset = 0, index = 0; offset < image.size(); offset += 1024, ++index) {
            Bytes block(1024, 0);
            std::copy(image.begin() + offset, image.begin() + std::min(image.size(), offset + 1024),
                      block.begin());
            Bytes data{0x22};
            data.insert(data.end(), block.begin(), block.end());
            if (!Step(3, BlockHeader(static_cast<uint16_t>(index), block)) || !Step(4, data))
                return false;
        }
        return true;
    }
    static Bytes Image(size_t size) {
        Bytes image(size);
        for (size_t i = 0; i < size; ++i)
            image[i] = static_cast<uint8_t>(i * 7 + 3);
        return image;
    }
};

TEST_F(UpdaterSideTest, WholeTransferWithRestartAfterTheStartStep) {
    const Bytes image = Image(1500);
    ASSERT_TRUE(Transfer(image));
    EXPECT_EQ(recorder.firmwareCount, 1);
    EXPECT_EQ(recorder.firmware, image);
    EXPECT_EQ(model.Arrivals(), 2u);
    EXPECT_EQ(recorder.presence, (std::vector<bool>{false, true}));
}

TEST_F(UpdaterSideTest, ZeroLengthImageIsCompleteAfterPrepare) {
    ASSERT_TRUE(Transfer({}));
    EXPECT_EQ(recorder.firmwareCount, 1);
    EXPECT_TRUE(recorder.firmware.empty());
}

TEST_F(UpdaterSideTest, UpdatedVersionIsReportedAfterTheImage) {
    model.Options().updatedFirmwareVersion = 110;
    ASSERT_TRUE(Transfer(Image(4096)));
    EXPECT_EQ(model.Memory().firmwareVersion, 110);
}

TEST_F(UpdaterSideTest, BusyAndResendFaults) {
    MouseFaults faults;
    faults.busyPolls = 2;
    faults.resendTimes = 3;
    model.SetFaults(faults);
    ASSERT_TRUE(Set8(Command(0)));
    EXPECT_EQ(Status(), kStatusBusy);
    EXPECT_EQ(Status(), kStatusBusy);
    EXPECT_EQ(Status(), kStatusAccepted);
    const Bytes start{0x21, 0x5A, 0xA5, 0x32, 0x10, 0x03, 0xCB, 0x00, 0x01};
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(model.SetFeature(start.data(), start.size()));
        EXPECT_EQ(Status(), kStatusBusy);
        EXPECT_EQ(Status(), kStatusBusy);
        EXPECT_EQ(Status(), kStatusResend);
        EXPECT_TRUE(model.IsPresent()) << "no restart before the start is accepted";
    }
    ASSERT_TRUE(model.SetFeature(start.data(), start.size()));
    EXPECT_EQ(Status(), kStatusBusy);
    EXPECT_EQ(Status(), kStatusBusy);
    EXPECT_EQ(Status(), kStatusAccepted);
    EXPECT_FALSE(model.IsPresent());
}

TEST_F(UpdaterSideTest, FaultsLimitedToOneStep) {
    MouseFaults faults;
    faults.resendTimes = 2;
    faults.updaterFaultStep = 4;
    model.SetFaults(faults);
    ASSERT_TRUE(Transfer(Image(2048)));
    int dataReports = 0;
    for (const std::string& line : recorder.lines)
        dataReports += line == "SET 34/1025";
    EXPECT_EQ(dataReports, 2 * 3);
}

TEST_F(UpdaterSideTest, RefusesStepsOutOfOrderAndBadReports) {
    ASSERT_TRUE(Set8(Command(1)));
    EXPECT_EQ(Status(), kStatusRefused) << "length before the start step";
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Set8(Command(3)));
    EXPECT_EQ(Status(), kStatusRefused) << "block header before prepare";
    // A parameter report with no command before it is not taken at all.
    const Bytes length = LengthParameter(10);
    EXPECT_FALSE(model.SetFeature(length.data(), length.size()));
    EXPECT_FALSE(Step(1, LengthParameter(200 * 1024 + 1))) << "more than 200 blocks";
    ASSERT_TRUE(Step(1, LengthParameter(10)));
    ASSERT_TRUE(Step(2, {0x21, 0xEC}));
    Bytes block(1024, 0);
    block[0] = 5;
    EXPECT_FALSE(Step(3, BlockHeader(1, block))) << "block 1 of a one-block image";
    ASSERT_TRUE(Step(3, BlockHeader(0, block)));
    Bytes data{0x22};
    data.insert(data.end(), block.begin(), block.end());
    data[1] = 6;  // the checksum no longer matches
    EXPECT_FALSE(Step(4, data));
    EXPECT_EQ(recorder.firmwareCount, 0);
    ASSERT_TRUE(Set8({0x20, 0x07, 0x09, 0x00, 0x00, 0x01}));
    EXPECT_EQ(Status(), kStatusRefused) << "malformed command";
}

}  // namespace
}  // namespace vmouse
