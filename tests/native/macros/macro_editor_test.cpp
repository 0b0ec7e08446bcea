// The editor control without its window: selecting macros, scrolling with the row shift, the
// context menu's commands, the delay box and how each event row is drawn.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pages/logic/MacroEditorModel.h"
#include "pages/logic/MacroEventRow.h"

namespace {

constexpr MacroRect kBounds{0, 0, 204, 220};
constexpr int32_t kRootId = 123456;

class EditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        editor.SetRootMenuId(kRootId);
        editor.ResetScrollRange(kBounds.bottom);
        editor.SelectMacro(16, u"Jump", kBounds);
    }
    CMacro& Current() { return *editor.Macros().CurrentMacro(); }
    void AddKeys(int count) {
        for (int i = 0; i < count; ++i)
            Current().InsertEvent(kEventKey, static_cast<int16_t>(65 + i % 26), kActionPress, 0,
                                  kPlaceAtEnd);
    }
    std::vector<std::wstring> Names() {
        std::vector<std::wstring> names;
        for (const CEventItem& e : Current().events) {
            std::wstring mouse = MouseEventName(e.code, e.action);
            names.push_back(mouse.empty() ? std::wstring(1, static_cast<wchar_t>(e.code)) : mouse);
        }
        return names;
    }

    MacroEditorModel editor;
};

TEST_F(EditorTest, SelectingCreatesMissingMacrosOnceAndMakesThemCurrent) {
    EXPECT_EQ(editor.ScrollState().minimum, 12);
    editor.SelectMacro(17, u"Fire", kBounds);
    editor.SelectMacro(16, u"ignored", kBounds);
    ASSERT_EQ(editor.Macros().Macros().size(), 2u);
    EXPECT_EQ(Current().id, 16);
    EXPECT_EQ(Current().name, u"Jump");
    EXPECT_EQ(editor.Macros().Macros()[1]->bounds, kBounds);
}

TEST_F(EditorTest, ThreeEventsNeverScroll) {
    AddKeys(3);
    const std::vector<CEventItem> before = Current().events;
    for (int32_t position : {0, 2, 12, 13, 40}) {
        editor.OnScrollPosition(position);
        EXPECT_EQ(Current().events, before) << position;
    }
    EXPECT_EQ(Current().events[2].row, (MacroRect{4, 41, 202, 59}));
    // All rows fit: the thumb rests at the top of an empty range.
    EXPECT_EQ(editor.ScrollState().position, 12);
    EXPECT_EQ(editor.ScrollState().maximum, 12);
}

TEST_F(EditorTest, ThirtyEventsKeepTheNewLastRowOnTheBottomEdge) {
    AddKeys(30);
    EXPECT_EQ(Current().events.back().row.bottom, kBounds.bottom);
    EXPECT_EQ(editor.ScrollState().position, 29);
    EXPECT_EQ(editor.ScrollState().maximum, 29);

    // The lowest position brings the first rows back into view, the highest the last ones.
    editor.OnScrollPosition(editor.ScrollState().minimum);
    EXPECT_GE(Current().events.front().row.top, 0);
    EXPECT_LT(Current().events.front().row.top, kRowHeight);
    editor.OnScrollPosition(20);
    EXPECT_EQ(Current().events[20].row.bottom, kBounds.bottom);
    // Reselecting the macro scrolls back to the top.
    editor.SelectMacro(16, u"Jump", kBounds);
    EXPECT_EQ(editor.ScrollState().position, 12);
    EXPECT_LT(Current().events.front().row.top, kRowHeight);
}

TEST_F(EditorTest, ClickUnderBackButtonGoesAfterTheSelectedEvent) {
    AddKeys(2);
    EXPECT_EQ(Current().SelectedIndex(), 1);
    EXPECT_EQ(editor.RunMenuCommand(kMenuBackButton, kMenuBackButton + 3), MenuOutcome::kNothing);
    EXPECT_EQ(Names(),
              (std::vector<std::wstring>{L"A", L"B", L"Back button Down", L"Back button Up"}));
    EXPECT_EQ(Current().SelectedIndex(), 3);
    EXPECT_EQ(Current().events[3].kind, kEventMouseButton);
    EXPECT_EQ(Current().events[3].code, 166);

    // Each button and the wheel insert their codes after the selection.
    Current().events[0].selected = 1;
    Current().events[3].selected = 0;
    editor.RunMenuCommand(kMenuLeftButton, kMenuLeftButton + 1);
    editor.RunMenuCommand(kMenuForwardButton, kMenuForwardButton + 2);
    editor.RunMenuCommand(kMenuScrollWheel, kMenuWheelDown);
    editor.RunMenuCommand(kMenuScrollWheel, kMenuWheelUp);
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"A", L"Left button Down", L"Forward button Up",
                                                  L"Scroll wheel Down", L"Scroll wheel Up", L"B",
                                                  L"Back button Down", L"Back button Up"}));
    EXPECT_EQ(Current().events[4].kind, kEventWheel);
    EXPECT_EQ(Current().events[4].code, kWheelUpCode);
    for (const CEventItem& e : Current().events)
        EXPECT_EQ(e.delay, 0);
}

TEST_F(EditorTest, MenuCommandsActOnlyWhereTheyBelong) {
    AddKeys(3);
    Current().events[2].selected = 0;
    Current().events[0].selected = 1;
    // Record before the first event: no selection is left, the placement changes for good.
    EXPECT_EQ(editor.Macros().Placement(), kPlaceAtEnd);
    EXPECT_EQ(editor.RunMenuCommand(kRootId, kMenuRecordBefore), MenuOutcome::kStartRecording);
    EXPECT_EQ(Current().SelectedEvent(), nullptr);
    EXPECT_EQ(editor.Macros().Placement(), kPlaceAfterSelection);
    // Delay commands need a selected event.
    EXPECT_EQ(editor.RunMenuCommand(kRootId, kMenuEditDelay), MenuOutcome::kNothing);
    Current().events[1].selected = 1;
    EXPECT_EQ(editor.RunMenuCommand(kRootId, kMenuInsertDelay), MenuOutcome::kOpenDelayEdit);
    EXPECT_EQ(editor.RunMenuCommand(kRootId, kMenuRecordAfter), MenuOutcome::kStartRecording);
    EXPECT_EQ(Current().SelectedIndex(), 1);
    // Item ids on the wrong level, and unknown levels, do nothing.
    editor.RunMenuCommand(kRootId, kMenuLeftButton + 1);
    editor.RunMenuCommand(kMenuInsertMouse, kMenuLeftButton);
    editor.RunMenuCommand(kMenuLeftButton, kMenuDelete);
    EXPECT_EQ(Current().events.size(), 3u);
    editor.RunMenuCommand(kRootId, kMenuDelete);
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"A", L"C"}));
    EXPECT_EQ(Current().SelectedIndex(), 1);

    // Without a current macro nothing happens and nothing breaks.
    editor.Macros().SetCurrentMacro(nullptr);
    editor.RunMenuCommand(kMenuBackButton, kMenuBackButton + 3);
    EXPECT_EQ(editor.RunMenuCommand(kRootId, kMenuRecordBefore), MenuOutcome::kStartRecording);
    EXPECT_EQ(editor.RunMenuCommand(kRootId, kMenuEditDelay), MenuOutcome::kNothing);
    editor.RunMenuCommand(kRootId, kMenuDelete);
}

TEST_F(EditorTest, ContextMenuHasItsThreeLevels) {
    MenuLevel root(kRootId);
    FillMacroContextMenu(root);
    ASSERT_EQ(root.Items().size(), 6u);
    EXPECT_EQ(root.Items()[0].text, L"Start record before event");
    EXPECT_EQ(root.Items()[5].text, L"Delete");
    const MenuLevel* insert = root.ExistingSubMenu(kMenuInsertMouse);
    ASSERT_NE(insert, nullptr);
    std::vector<int32_t> second;
    for (const MenuItem& item : insert->Items())
        second.push_back(item.id);
    EXPECT_EQ(second, (std::vector<int32_t>{7, 11, 15, 19, 23, 27}));
    const MenuLevel* back = insert->ExistingSubMenu(kMenuBackButton);
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->Items().size(), 3u);
    EXPECT_EQ(back->Items()[2].id, 26);
    EXPECT_EQ(back->Items()[2].text, L"Click");
    const MenuLevel* wheel = insert->ExistingSubMenu(kMenuScrollWheel);
    ASSERT_NE(wheel, nullptr);
    ASSERT_EQ(wheel->Items().size(), 2u);
    EXPECT_EQ(wheel->Items()[1].id, kMenuWheelUp);
    EXPECT_EQ(wheel->Items()[1].text, L"Up");
}

TEST_F(EditorTest, TypedDelaysReplaceTheSelectedEventsDelay) {
    AddKeys(2);
    EXPECT_TRUE(editor.SetSelectedDelay(L"250"));
    EXPECT_EQ(Current().events[1].delay, 250);
    EXPECT_EQ(DescribeEventRow(Current().events[1], L"B").delay.text, L"250 ms");
    EXPECT_FALSE(editor.SetSelectedDelay(L""));
    EXPECT_EQ(Current().events[1].delay, 250);
    EXPECT_EQ(ParseDelayText(L"  -17x"), -17);
    EXPECT_EQ(ParseDelayText(L"abc"), 0);
    EXPECT_EQ(ParseDelayText(L"99999999999999999999"), INT32_MAX);
    Current().events[1].selected = 0;
    EXPECT_FALSE(editor.SetSelectedDelay(L"7"));
}

TEST(EventRowTest, MarksNamesAndColumnsFollowTheEventsCode) {
    CEventItem press;
    press.row = {4, 23, 202, 41};
    press.kind = kEventKey;
    press.code = 65;
    press.action = kActionPress;
    press.delay = 30;
    EventRowDrawing row = DescribeEventRow(press, L"A");
    EXPECT_EQ(row.marks, (std::vector<RowLine>{{6, 29, 11, 35}, {11, 35, 16, 29}}));
    EXPECT_EQ(row.name, (RowText{L"A", 21, 126}));
    EXPECT_EQ(row.delay, (RowText{L"30 ms", 126, 181}));

    CEventItem release = press;
    release.action = kActionRelease;
    EXPECT_EQ(DescribeEventRow(release, L"A").marks,
              (std::vector<RowLine>{{6, 35, 11, 29}, {11, 29, 16, 35}}));

    // Mouse codes have names of their own and a dash, whatever the kind.
    CEventItem mouse = press;
    mouse.code = 4;
    mouse.action = kActionRelease;
    row = DescribeEventRow(mouse, L"Middle Button");
    EXPECT_EQ(row.name.text, L"Middle button Up");
    EXPECT_EQ(row.marks, (std::vector<RowLine>{{6, 32, 16, 32}}));
    EXPECT_EQ(MouseEventName(151, 2), L"Scroll wheel Up");
    EXPECT_EQ(MouseEventName(152, 0), L"Scroll wheel Down");
    // A button code with an unknown action falls back to the key name, without a mark.
    mouse.action = 3;
    row = DescribeEventRow(mouse, L"Middle Button");
    EXPECT_EQ(row.name.text, L"Middle Button");
    EXPECT_TRUE(row.marks.empty());

    // A code without any name shows only its delay, at the left of the row.
    CEventItem unnamed = press;
    unnamed.code = 3;
    unnamed.delay = -5;
    row = DescribeEventRow(unnamed, L"");
    EXPECT_TRUE(row.marks.empty());
    EXPECT_TRUE(row.name.text.empty());
    EXPECT_EQ(row.delay, (RowText{L"-5 ms", 6, 61}));
}

}  // namespace
