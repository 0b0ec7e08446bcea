#include <gtest/gtest.h>

#include <vector>

#include "app/logic/PendingScale.h"

namespace {

// A main window whose modal state, laid-out scale and rebuild outcome the test sets.
struct FakeWindow : ScaleHost {
    bool busy = false;
    bool rebuildSucceeds = true;
    uint32_t laidOut = 96;
    std::vector<uint32_t> rebuilds;

    bool PollMustWait() noexcept override { return busy; }
    uint32_t LaidOutDpi() noexcept override { return laidOut; }
    bool RebuildAtScale(uint32_t dpi) noexcept override {
        rebuilds.push_back(dpi);
        if (rebuildSucceeds) {
            laidOut = dpi;
        }
        return rebuildSucceeds;
    }
};

TEST(PendingScale, RebuildsAtOnceUnlessAModalWindowRunsThenAtTheNextFreePoll) {
    FakeWindow window;
    PendingScale scale(window);
    scale.Announce(192);
    EXPECT_EQ(window.rebuilds, std::vector<uint32_t>{192});
    EXPECT_FALSE(scale.IsPending());

    // A pop-up runs: nothing happens until a poll finds the window free again, and only the
    // last scale announced counts.
    window.busy = true;
    scale.Announce(144);
    scale.Announce(120);
    scale.OnPoll();
    EXPECT_EQ(window.rebuilds.size(), 1u);
    EXPECT_TRUE(scale.IsPending());
    window.busy = false;
    scale.OnPoll();
    EXPECT_EQ(window.rebuilds, (std::vector<uint32_t>{192, 120}));
    EXPECT_FALSE(scale.IsPending());
    scale.OnPoll();
    EXPECT_EQ(window.rebuilds.size(), 2u);
}

TEST(PendingScale, AFailedRebuildIsTriedAgainAndTheScaleLaidOutNeedsNone) {
    FakeWindow window;
    PendingScale scale(window);
    window.rebuildSucceeds = false;
    scale.Announce(192);
    EXPECT_TRUE(scale.IsPending());
    window.rebuildSucceeds = true;
    scale.OnPoll();
    EXPECT_EQ(window.rebuilds, (std::vector<uint32_t>{192, 192}));
    EXPECT_FALSE(scale.IsPending());

    // Moving back to a monitor of the scale already laid out rebuilds nothing.
    scale.Announce(192);
    EXPECT_EQ(window.rebuilds.size(), 2u);
    EXPECT_FALSE(scale.IsPending());
}

}  // namespace
