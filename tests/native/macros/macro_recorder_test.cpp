// The recorder's rules, driven the way the macro page drives them: hook events in, macro events
// out into the current macro of a collection, with a clock the test sets.
#include <gtest/gtest.h>

#include <vector>

#include "macros/MacroRecorder.h"
#include "pages/logic/MacroEditorModel.h"

namespace {

struct ManualClock : TickClock {
    uint32_t now = 0;
    uint32_t TickCount() noexcept override { return now; }
};

constexpr uint32_t kA = 0x41;
constexpr uint32_t kB = 0x42;
constexpr uint32_t kUp = kKeyReleasedFlag;

struct Recorded {
    int16_t code;
    uint8_t action;
    int32_t delay;
    bool operator==(const Recorded&) const = default;
};

class RecorderTest : public ::testing::Test {
  protected:
    void SetUp() override { editor.SelectMacro(16, u"Jump", {0, 0, 204, 220}); }

    // One hook message at tick `at`, placed as the page places it.
    void Key(uint32_t at, uint32_t vk, uint32_t up, bool recordDelay) {
        clock.now = at;
        if (auto key = recorder.OnKeyEvent(vk, up, recordDelay))
            MacroRecorder::Place(editor.Macros(), *key);
    }
    std::vector<Recorded> Events() const {
        std::vector<Recorded> out;
        for (const CEventItem& e : editor.Macros().CurrentMacro()->events)
            out.push_back({e.code, e.action, e.delay});
        return out;
    }

    ManualClock clock;
    MacroRecorder recorder{clock};
    MacroEditorModel editor;
};

TEST_F(RecorderTest, DelaysAreZeroWithoutRecordDelayAndMeasuredWithIt) {
    clock.now = 5000;
    recorder.Start();
    Key(5300, kA, 0, false);
    Key(5420, kA, kUp, false);
    EXPECT_EQ(Events(), (std::vector<Recorded>{{0x41, 1, 0}, {0x41, 2, 0}}));

    // With delays: the first counts from Start Record, the others from key to key.
    editor.Macros().CurrentMacro()->ClearEvents();
    clock.now = 10000;
    recorder.Start();
    Key(10750, kB, 0, true);
    Key(10830, kB, kUp, true);
    Key(11000, kA, 0, true);
    EXPECT_EQ(Events(), (std::vector<Recorded>{{0x42, 1, 750}, {0x42, 2, 80}, {0x41, 1, 170}}));
}

TEST_F(RecorderTest, HeldKeyRepeatsCollapseAndTheReleaseCountsFromTheLastRepeat) {
    clock.now = 1000;
    recorder.Start();
    Key(1250, kA, 0, true);
    for (uint32_t t = 1750; t <= 2000; t += 33)  // auto-repeat of the held key
        Key(t, kA, 0, true);
    Key(2010, kA, kUp, true);
    EXPECT_EQ(Events(), (std::vector<Recorded>{{0x41, 1, 250}, {0x41, 2, 2010 - 1981}}));
}

TEST_F(RecorderTest, AnEarlierRecordingsLastEventIsRememberedAcrossStops) {
    clock.now = 0;
    recorder.Start();
    Key(10, kA, 0, false);
    Key(20, kA, kUp, false);
    recorder.Stop();
    // Not recording: nothing is taken and nothing is remembered.
    Key(25, kB, 0, false);
    EXPECT_EQ(Events().size(), 2u);

    editor.SelectMacro(17, u"Other", {0, 0, 204, 220});
    clock.now = 100;
    recorder.Start();
    Key(130, kA, kUp, true);  // same key and direction as the last accepted event: dropped
    Key(170, kA, 0, true);    // counts from the dropped event
    EXPECT_EQ(Events(), (std::vector<Recorded>{{0x41, 1, 40}}));
}

TEST_F(RecorderTest, DelaysStayRightAcrossTheTickCountersWrapAround) {
    clock.now = 0xFFFFFF00u;
    recorder.Start();
    Key(0x00000010u, kA, 0, true);
    Key(0x00000020u, kA, kUp, true);
    EXPECT_EQ(Events(), (std::vector<Recorded>{{0x41, 1, 0x110}, {0x41, 2, 0x10}}));
    // A pause longer than int32 can hold stays the longest delay, never a negative one.
    clock.now = 0;
    recorder.Start();
    Key(0xF0000000u, kB, 0, true);
    EXPECT_EQ(Events().back().delay, INT32_MAX);
}

TEST_F(RecorderTest, KeysGoToTheCurrentMacroAtItsPlacementAndAreLostWithoutOne) {
    clock.now = 0;
    recorder.Start();
    Key(1, kA, 0, false);
    Key(2, kA, kUp, false);
    // Recording before the first event: nothing stays selected, so the keys go to the front.
    editor.Macros().CurrentMacro()->events[0].selected = 1;
    editor.Macros().CurrentMacro()->events[1].selected = 0;
    EXPECT_EQ(editor.RunMenuCommand(editor.RootMenuId(), kMenuRecordBefore),
              MenuOutcome::kStartRecording);
    EXPECT_EQ(editor.Macros().CurrentMacro()->SelectedEvent(), nullptr);
    Key(3, kB, 0, false);
    Key(4, kB, kUp, false);
    EXPECT_EQ(Events(),
              (std::vector<Recorded>{{0x42, 1, 0}, {0x42, 2, 0}, {0x41, 1, 0}, {0x41, 2, 0}}));

    editor.Macros().SetCurrentMacro(nullptr);
    clock.now = 5;
    auto key = recorder.OnKeyEvent(kA, 0, false);
    ASSERT_TRUE(key.has_value());
    EXPECT_FALSE(MacroRecorder::Place(editor.Macros(), *key));
}

}  // namespace
