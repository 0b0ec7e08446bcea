// Editing rules of one macro: insertion, deletion, selection, row layout and the notifications
// the editor control relies on.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "macros/Macro.h"

namespace {

struct RecordingOwner : MacroOwner {
    void MacroNotify(int32_t code, int32_t value) override { seen.emplace_back(code, value); }
    std::vector<std::pair<int32_t, int32_t>> seen;
};

constexpr MacroRect kEditorBounds{0, 0, 204, 220};

class MacroEditTest : public ::testing::Test {
  protected:
    CMacro macro{&owner, kEditorBounds, 16, u"Jump"};
    RecordingOwner owner;

    // Three key events A, B, C (codes 65..67) at the end, then the owner's log cleared.
    void AddThree() {
        for (int16_t code = 65; code <= 67; ++code)
            macro.InsertEvent(1, code, 1, 0, kPlaceAtEnd);
        owner.seen.clear();
    }
    std::vector<int16_t> Codes() const {
        std::vector<int16_t> codes;
        for (const CEventItem& e : macro.events)
            codes.push_back(e.code);
        return codes;
    }
    void Select(size_t index) {
        for (CEventItem& e : macro.events)
            e.selected = 0;
        macro.events[index].selected = 1;
    }
};

TEST_F(MacroEditTest, InsertAtEndSelectsTheNewEventAndLaysOutRows) {
    macro.InsertEvent(1, 65, 1, 30, kPlaceAtEnd);
    macro.InsertEvent(1, 65, 2, 40, kPlaceAtEnd);
    ASSERT_EQ(macro.events.size(), 2u);
    EXPECT_EQ(macro.events[0].selected, 0);
    EXPECT_EQ(macro.events[1].selected, 1);
    EXPECT_EQ(macro.events[0].id, 1);
    EXPECT_EQ(macro.events[1].id, 2);
    EXPECT_EQ(macro.events[1].delay, 40);
    EXPECT_EQ(macro.events[0].row, (MacroRect{4, 5, 202, 23}));
    EXPECT_EQ(macro.events[1].row, (MacroRect{4, 23, 202, 41}));
    const std::vector<std::pair<int32_t, int32_t>> expected{{NOTIFY_SCROLL_TO_ROW, 0},
                                                            {NOTIFY_SCROLL_TO_ROW, 1}};
    EXPECT_EQ(owner.seen, expected);
}

TEST_F(MacroEditTest, InsertAfterSelectionFollowsThePlacementRules) {
    // Empty macro: appended.
    macro.InsertEvent(1, 1, 1, 0, kPlaceAfterSelection);
    EXPECT_EQ(macro.events.size(), 1u);
    macro.ClearEvents();

    AddThree();
    Select(0);
    macro.InsertEvent(16, 2, 1, 0, kPlaceAfterSelection);
    EXPECT_EQ(Codes(), (std::vector<int16_t>{65, 2, 66, 67}));
    EXPECT_EQ(macro.SelectedIndex(), 1);
    EXPECT_EQ(owner.seen.back(), std::make_pair(NOTIFY_SCROLL_TO_ROW, 1));

    // No selection: to the front.
    macro.events[1].selected = 0;
    macro.InsertEvent(16, 4, 1, 0, kPlaceAfterSelection);
    EXPECT_EQ(Codes(), (std::vector<int16_t>{4, 65, 2, 66, 67}));
    EXPECT_EQ(macro.SelectedIndex(), 0);

    // Last selected: appended.
    Select(4);
    macro.InsertEvent(16, 166, 2, 0, kPlaceAfterSelection);
    EXPECT_EQ(macro.events.back().code, 166);
    EXPECT_EQ(macro.SelectedIndex(), 5);
    // Ids keep counting from the largest.
    EXPECT_EQ(macro.events.back().id, 6);
    for (size_t i = 0; i < macro.events.size(); ++i)
        EXPECT_EQ(macro.events[i].row.top, 5 + 18 * static_cast<int32_t>(i));
}

TEST_F(MacroEditTest, EventIdsCompareUnsignedAndStartFromOne) {
    macro.InsertEvent(1, 65, 1, 0, kPlaceAtEnd);
    EXPECT_EQ(macro.events[0].id, 1);
    macro.events[0].id = 41;
    macro.InsertEvent(1, 65, 1, 0, kPlaceAtEnd);
    EXPECT_EQ(macro.events[1].id, 42);
    macro.events[0].id = -2;  // 0xFFFFFFFE as unsigned: the largest
    macro.InsertEvent(1, 65, 1, 0, kPlaceAtEnd);
    EXPECT_EQ(macro.events[2].id, -1);
}

TEST_F(MacroEditTest, DeletionMovesTheSelection) {
    // The middle one: the next event moves into its place and keeps the selection.
    AddThree();
    Select(1);
    macro.DeleteSelectedEvent();
    EXPECT_EQ(Codes(), (std::vector<int16_t>{65, 67}));
    EXPECT_EQ(macro.SelectedIndex(), 1);
    EXPECT_EQ(macro.events[1].row, (MacroRect{4, 23, 202, 41}));  // moved up 18 pixels
    EXPECT_EQ(owner.seen, (std::vector<std::pair<int32_t, int32_t>>{{NOTIFY_EVENT_REMOVED, 2}}));

    // The last one: the first event is selected and scrolled to.
    macro.ClearEvents();
    AddThree();
    Select(2);
    macro.DeleteSelectedEvent();
    EXPECT_EQ(Codes(), (std::vector<int16_t>{65, 66}));
    EXPECT_EQ(macro.SelectedIndex(), 0);
    const std::vector<std::pair<int32_t, int32_t>> expected{{NOTIFY_EVENT_REMOVED, 2},
                                                            {NOTIFY_SCROLL_TO_ROW, 0}};
    EXPECT_EQ(owner.seen, expected);

    // The only one: nothing stays selected.
    macro.ClearEvents();
    macro.InsertEvent(1, 65, 1, 0, kPlaceAtEnd);
    owner.seen.clear();
    macro.DeleteSelectedEvent();
    EXPECT_TRUE(macro.events.empty());
    EXPECT_EQ(macro.SelectedEvent(), nullptr);
    EXPECT_EQ(owner.seen, (std::vector<std::pair<int32_t, int32_t>>{{NOTIFY_EVENT_REMOVED, 0}}));

    // Nothing selected: nothing happens.
    AddThree();
    macro.events[2].selected = 0;
    macro.DeleteSelectedEvent();
    EXPECT_EQ(macro.events.size(), 3u);
    EXPECT_TRUE(owner.seen.empty());
}

TEST_F(MacroEditTest, SelectionByPointAndStepBack) {
    AddThree();
    // Left and top inclusive, right and bottom exclusive.
    EXPECT_TRUE(macro.SelectEventAt(4, 23));
    EXPECT_EQ(macro.SelectedIndex(), 1);
    EXPECT_FALSE(macro.SelectEventAt(202, 30));
    EXPECT_FALSE(macro.SelectEventAt(10, 4));
    EXPECT_EQ(macro.SelectedIndex(), 1);  // a miss changes nothing
    EXPECT_TRUE(macro.SelectEventAt(201, 40));
    EXPECT_EQ(macro.SelectedIndex(), 1);
    EXPECT_TRUE(macro.SelectEventAt(4, 5));
    EXPECT_EQ(macro.SelectedIndex(), 0);
    EXPECT_EQ(macro.SelectedEvent(), &macro.events[0]);

    Select(2);
    macro.SelectPreviousEvent();
    EXPECT_EQ(macro.SelectedIndex(), 1);
    macro.SelectPreviousEvent();
    macro.SelectPreviousEvent();  // from the first: nothing selected
    EXPECT_EQ(macro.SelectedIndex(), -1);
    macro.SelectPreviousEvent();
    EXPECT_EQ(macro.SelectedIndex(), -1);
}

TEST_F(MacroEditTest, RowsOverflowTheBoundsAtTheTwelfthEvent) {
    for (int i = 0; i < 11; ++i)
        macro.InsertEvent(1, 65, 1, 0, kPlaceAtEnd);
    for (const auto& [code, value] : owner.seen)
        EXPECT_NE(code, NOTIFY_ROWS_OVERFLOW);
    EXPECT_EQ(macro.events[10].row.bottom, 203);
    owner.seen.clear();
    // Row 12 ends at 23 + 18 * 11 = 221, below the bottom at 220.
    macro.InsertEvent(1, 66, 1, 0, kPlaceAtEnd);
    const std::vector<std::pair<int32_t, int32_t>> expected{{NOTIFY_ROWS_OVERFLOW, 11},
                                                            {NOTIFY_SCROLL_TO_ROW, 11}};
    EXPECT_EQ(owner.seen, expected);
    // The layout starts from scratch, whatever scrolling did.
    for (CEventItem& e : macro.events)
        e.row.top += 100;
    owner.seen.clear();
    macro.LayoutRows();
    EXPECT_EQ(macro.events[0].row.top, 5);
    EXPECT_EQ(owner.seen, (std::vector<std::pair<int32_t, int32_t>>{{NOTIFY_ROWS_OVERFLOW, 11}}));
}

TEST_F(MacroEditTest, ScrollPositionsPutTheRowOnTheBottomEdge) {
    // 3 events in a 220 pixel box (12 visible rows): nothing moves.
    AddThree();
    macro.ShiftRowsForScrollPosition(2);
    EXPECT_EQ(macro.events[0].row.top, 5);
    macro.ClearEvents();

    for (int i = 0; i < 30; ++i)
        macro.InsertEvent(1, 65, 1, 0, kPlaceAtEnd);
    macro.ShiftRowsForScrollPosition(29);
    EXPECT_EQ(macro.events[29].row.bottom, 220);
    // The lowest position shows the rows from the first one on (one pixel higher than laid
    // out, as the editor always scrolled).
    macro.ShiftRowsForScrollPosition(0);
    EXPECT_EQ(macro.events[12].row.bottom, 238);
    EXPECT_EQ(macro.events[0].row.top, 4);
    // Beyond the last row: clamped.
    macro.ShiftRowsForScrollPosition(500);
    EXPECT_EQ(macro.events[29].row.bottom, 220);
}

TEST_F(MacroEditTest, ArithmeticOnRowsFromFilesNeverOverflows) {
    // Bounds and rows come from files and may hold anything; the sanitizers trap any overflow.
    macro.bounds = MacroRect{0, INT32_MAX, INT32_MIN, INT32_MIN};  // upside down
    macro.events.resize(2);
    macro.events[0].row = MacroRect{0, INT32_MIN, 0, INT32_MAX};
    macro.events[1].row = MacroRect{0, INT32_MIN, 0, INT32_MAX};
    macro.ShiftRowsForScrollPosition(-5);
    EXPECT_EQ(macro.events[0].row.bottom, INT32_MIN);
    macro.events[0].selected = 1;
    macro.DeleteSelectedEvent();
    EXPECT_EQ(macro.events[0].row.top, INT32_MAX - 16);
    macro.LayoutRows();
    EXPECT_EQ(macro.events[0].row.right, INT32_MAX - 1);
    macro.events.clear();
    macro.bounds = MacroRect{};
    macro.ShiftRowsForScrollPosition(0);  // no rows, no visible rows
}

}  // namespace
