// The 500 ms poll against the virtual mouse's model: when it asks, when it switches, and what
// it remembers.

#include <gtest/gtest.h>

#include <array>

#include "FakeHid.h"
#include "app/logic/ProfilePoll.h"
#include "device/MouseCommands.h"

namespace {

class ProfilePollTest : public ::testing::Test {
  protected:
    ProfilePollTest() : link(transport, transport.clock) {
        transport.AddUsualInterfaces();
        for (int i = 0; i < 5; ++i) {
            profiles[static_cast<size_t>(i)].index = static_cast<uint8_t>(i);
        }
    }
    PollDecision Tick(bool busy = false) { return poll.Tick(link, busy, profiles); }
    void SetActive(int slot) {
        vmouse::MouseMemory memory = transport.model.Memory();
        memory.activeSlot = slot;
        transport.model.SetMemory(memory);
    }

    FakeTransport transport;
    DeviceLink link;
    ProfileSet profiles;
    ProfilePoll poll;
};

void ExpectNothing(const PollDecision& decision) {
    EXPECT_FALSE(decision.applySettings);
    EXPECT_EQ(decision.switchToSlot, -1);
}

TEST_F(ProfilePollTest, ClosedLinkOrBusyNeverTouchesTheMouse) {
    ExpectNothing(Tick());
    EXPECT_FALSE(link.IsOpen()) << "the poll must never open the link";
    EXPECT_EQ(transport.listCalls, 0);
    ASSERT_TRUE(link.EnsureOpen());
    const size_t before = transport.log.lines.size();
    ExpectNothing(Tick(/*busy=*/true));
    EXPECT_EQ(transport.log.lines.size(), before) << "nothing may reach the mouse during Apply";
    EXPECT_EQ(poll.LastSeen(), ProfilePoll::kNothingSeen);
}

TEST_F(ProfilePollTest, FirstAnswerSwitchesEvenToProfileOneThenOnlyChangesCount) {
    ASSERT_TRUE(link.EnsureOpen());
    PollDecision first = Tick();
    EXPECT_EQ(first.switchToSlot, 0);
    EXPECT_TRUE(first.applySettings);
    ExpectNothing(Tick());

    ASSERT_TRUE(transport.model.SwitchProfile(3));
    PollDecision switched = Tick();
    EXPECT_EQ(switched.switchToSlot, 3);
    EXPECT_TRUE(switched.applySettings);
    ExpectNothing(Tick());
}

TEST_F(ProfilePollTest, ReplugOnTheSameIndexSwitchesNothing) {
    ASSERT_TRUE(link.EnsureOpen());
    ASSERT_TRUE(transport.model.SwitchProfile(2));
    EXPECT_EQ(Tick().switchToSlot, 2);
    transport.model.Unplug();
    link.Invalidate();
    ExpectNothing(Tick());
    transport.model.Plug();
    ASSERT_TRUE(link.EnsureOpen());
    ExpectNothing(Tick());
    EXPECT_EQ(poll.LastSeen(), 2);
}

TEST_F(ProfilePollTest, UnknownIndexAppliesOnceAndIsRemembered) {
    ASSERT_TRUE(link.EnsureOpen());
    SetActive(7);
    PollDecision decision = Tick();
    EXPECT_EQ(decision.switchToSlot, -1);
    EXPECT_TRUE(decision.applySettings);
    EXPECT_EQ(poll.LastSeen(), 7);
    ExpectNothing(Tick());
}

TEST_F(ProfilePollTest, FirstProfileWithTheIndexWinsAndFailedReadsChangeNothing) {
    profiles[1].index = 4;  // two profiles claim index 4
    ASSERT_TRUE(link.EnsureOpen());
    SetActive(4);
    EXPECT_EQ(Tick().switchToSlot, 1);

    vmouse::MouseFaults faults;
    faults.rejectReportId = 0x03;  // the command report: the active-profile read fails
    transport.model.SetFaults(faults);
    SetActive(0);
    ExpectNothing(Tick());
    EXPECT_EQ(poll.LastSeen(), 4);
    transport.model.SetFaults(vmouse::MouseFaults{});
    EXPECT_EQ(Tick().switchToSlot, 0);
}

TEST_F(ProfilePollTest, SilentMouseCostsOneShortWaitThenRestsUntilHeardFrom) {
    ASSERT_TRUE(link.EnsureOpen());
    transport.answerAfterMs = 10000;
    const int64_t began = transport.clock.now;
    ExpectNothing(Tick());
    EXPECT_EQ(transport.clock.now - began, ProfilePoll::kPollTransferLimitMs)
        << "one transfer, cut at the poll's own limit";
    EXPECT_EQ(link.TransferLimitMs(), kFeatureTransferTimeoutMs) << "commands keep their limit";
    ASSERT_TRUE(poll.Resting());

    // Resting: the ticks of the next seconds ask nothing.
    const int timedOut = transport.timedOut;
    for (int tick = 0; tick < 8; ++tick) {
        transport.clock.now += 500;
        ExpectNothing(Tick());
    }
    EXPECT_EQ(transport.timedOut, timedOut);

    // The rest ends by itself; a mouse that answers again is followed at once.
    transport.answerAfterMs = 0;
    ASSERT_TRUE(transport.model.SwitchProfile(3));
    transport.clock.now += ProfilePoll::kPollRestMs;
    EXPECT_EQ(Tick().switchToSlot, 3);
    EXPECT_FALSE(poll.Resting());
}

TEST_F(ProfilePollTest, CommandThatReachesTheMouseEndsTheRest) {
    ASSERT_TRUE(link.EnsureOpen());
    transport.answerAfterMs = 10000;
    ExpectNothing(Tick());
    ASSERT_TRUE(poll.Resting());
    transport.answerAfterMs = 0;
    ASSERT_TRUE(SetActiveProfile(link, 2));
    EXPECT_EQ(Tick().switchToSlot, 2);
}

TEST_F(ProfilePollTest, RefusedReadIsNoReasonToRest) {
    ASSERT_TRUE(link.EnsureOpen());
    vmouse::MouseFaults faults;
    faults.rejectReportId = 0x03;
    transport.model.SetFaults(faults);
    ExpectNothing(Tick());
    EXPECT_FALSE(poll.Resting());
}

}  // namespace
