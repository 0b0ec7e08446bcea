// The device half of Apply: its order, where it stops under each fault, and the cause each
// message carries.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "FakeHid.h"
#include "device/MouseApply.h"

namespace {

using Lines = std::vector<std::string>;
// Each message the user would see, with the cause that came with it.
using Messages = std::vector<std::pair<ApplyMessage, DeviceFault>>;
constexpr ApplyMessage kNoMouse = ApplyMessage::kNoMouse;
constexpr ApplyMessage kSelect = ApplyMessage::kSelectFailed;
constexpr ApplyMessage kWrite = ApplyMessage::kWriteFailed;

class ApplyTest : public ::testing::Test {
  protected:
    ApplyTest() : link(transport, transport.clock) {
        transport.AddUsualInterfaces();
        for (int i = 0; i < 5; ++i) {
            profiles[i].index = static_cast<uint8_t>(i);
            profiles[i].firmwareVersion = 109;
        }
    }
    DeviceResult Apply(int current) {
        return ApplyToMouse(link, profiles, current,
                            [this](ApplyMessage message, const DeviceResult& cause) {
                                messages.emplace_back(message, cause.fault());
                                codes.push_back(cause.systemCode());
                            });
    }
    // The SET lines reduced to what they do: "select", "slot N", "header SLOT CHUNK", "chunk".
    Lines Steps() const {
        Lines steps;
        bool operand = false;
        for (const std::string& line : transport.log.Sets()) {
            const std::string bytes = line.substr(4);
            if (operand) {
                steps.push_back("slot " + bytes.substr(3, 1));
                operand = false;
            } else if (bytes.rfind("0302", 0) == 0) {
                steps.push_back("select");
                operand = true;
            } else if (bytes.rfind("0300", 0) == 0) {
                steps.push_back("header " + bytes.substr(11, 1) + " " + bytes.substr(9, 1));
            } else if (bytes.rfind("05", 0) == 0) {
                steps.push_back("chunk");
            } else {
                steps.push_back(bytes);
            }
        }
        return steps;
    }

    FakeTransport transport;
    DeviceLink link;
    ProfileSet profiles;
    Messages messages;
    std::vector<uint32_t> codes;
};

TEST_F(ApplyTest, SelectFiveImagesSelectAgain) {
    ASSERT_TRUE(Apply(2));
    EXPECT_TRUE(messages.empty());
    const Lines expected = {"select",     "slot 2",     "header 0 0", "chunk",      "header 1 0",
                            "chunk",      "header 2 0", "chunk",      "header 3 0", "chunk",
                            "header 4 0", "chunk",      "select",     "slot 2"};
    EXPECT_EQ(Steps(), expected);
    EXPECT_EQ(transport.model.Memory().activeSlot, 2);
}

TEST_F(ApplyTest, MissingAckDuringProfileTwoStopsThereAndStillSelects) {
    vmouse::MouseFaults faults;
    faults.ackAfterPolls = vmouse::kNever;
    faults.ackFaultSlot = 1;
    transport.model.SetFaults(faults);
    EXPECT_EQ(Apply(0).fault(), DeviceFault::kNoAcknowledge);
    EXPECT_EQ(messages, (Messages{{kWrite, DeviceFault::kNoAcknowledge}}));
    const Lines expected = {"select",     "slot 0", "header 0 0", "chunk",
                            "header 1 0", "select", "slot 0"};
    EXPECT_EQ(Steps(), expected);
    EXPECT_EQ(transport.clock.sleptMs, 165);
}

TEST_F(ApplyTest, UnplugMidImage) {
    vmouse::MouseFaults faults;
    // Select and operand with their acks, profile 1's header and ack, then the chunk: gone.
    faults.vanishAfterReports = 7;
    faults.vanishForMs = 0;
    transport.model.SetFaults(faults);
    EXPECT_EQ(Apply(0).fault(), DeviceFault::kNoMouse);
    EXPECT_EQ(messages,
              (Messages{{kWrite, DeviceFault::kNoMouse}, {kSelect, DeviceFault::kNoMouse}}));
    EXPECT_EQ(Steps(), (Lines{"select", "slot 0", "header 0 0", "chunk"}));
    // The link stays open until a removal notice; the next search after it fails.
    link.Invalidate();
    messages.clear();
    EXPECT_EQ(Apply(0).fault(), DeviceFault::kNoMouse);
    EXPECT_EQ(messages, (Messages{{kNoMouse, DeviceFault::kNoMouse}}));
}

TEST_F(ApplyTest, RefusedSelectStillWritesTheImages) {
    transport.refuseSet = [](const std::vector<uint8_t>& report) {
        return report[0] == 0x03 && report[1] == 0x02;
    };
    const DeviceResult applied = Apply(4);
    EXPECT_EQ(applied.fault(), DeviceFault::kSendFailed);
    EXPECT_EQ(applied.systemCode(), FakeTransport::kRefusedCode) << "the system's code is kept";
    EXPECT_EQ(messages,
              (Messages{{kSelect, DeviceFault::kSendFailed}, {kSelect, DeviceFault::kSendFailed}}));
    EXPECT_EQ(codes,
              (std::vector<uint32_t>{FakeTransport::kRefusedCode, FakeTransport::kRefusedCode}));
    EXPECT_EQ(Steps().size(), 10u) << "five headers and five chunks";
}

// A mouse that stays connected but answers nothing in time: every step runs out of time, and
// each message says so.
TEST_F(ApplyTest, SilentMouseTimesOutAtEveryStep) {
    transport.answerAfterMs = kFeatureTransferTimeoutMs + 1;
    EXPECT_EQ(Apply(1).fault(), DeviceFault::kTimedOut);
    EXPECT_EQ(messages, (Messages{{kSelect, DeviceFault::kTimedOut},
                                  {kWrite, DeviceFault::kTimedOut},
                                  {kSelect, DeviceFault::kTimedOut}}));
    EXPECT_EQ(transport.timedOut, 3) << "each step stops at its first silent transfer";
}

TEST_F(ApplyTest, NoMouse) {
    transport.model.Unplug();
    EXPECT_EQ(Apply(0).fault(), DeviceFault::kNoMouse);
    EXPECT_EQ(messages, (Messages{{kNoMouse, DeviceFault::kNoMouse}}));
    EXPECT_TRUE(transport.log.lines.empty());
    EXPECT_STREQ(ApplyMessageText(ApplyMessage::kNoMouse), "ORVA mouse no found.");
    EXPECT_STREQ(ApplyMessageText(ApplyMessage::kSelectFailed), "set current profile id failed.");
    EXPECT_STREQ(ApplyMessageText(ApplyMessage::kWriteFailed), "set profile to mcu failed.");
}

}  // namespace
