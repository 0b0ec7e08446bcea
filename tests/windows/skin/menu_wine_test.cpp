// The popup menu with real windows and real mouse input: opening sub-menus by hovering, clicks
// on items, presses outside, and the process-wide mouse hook.

#include <gtest/gtest.h>

#include "skin/MenuMouseHook.h"
#include "skin/ZelMenu.h"
#include "EditorMenu.h"
#include "ui_test_support.h"

namespace {

using Notification = std::pair<int, LPARAM>;

constexpr int32_t kRootId = 4242;

// Screen centre of the item at `index` of an open level.
POINT ItemCentre(const CZelMenu& level, size_t index) {
    const PixelRect& rect = level.Items().at(index).rect;
    return ToScreen(level.Hwnd(), (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

void HoverItem(const CZelMenu& level, size_t index) {
    const POINT point = ItemCentre(level, index);
    MouseMoveTo(point.x, point.y);
}

void ClickItem(const CZelMenu& level, size_t index) {
    const POINT point = ItemCentre(level, index);
    ClickAt(point.x, point.y);
}

class MenuWineTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(notify.Create({600, 600, 700, 700}));
        ASSERT_TRUE(root.Create(L"menu", {0, 0, 170, 10}, notify.Hwnd(), kRootId));
        // The macro editor's menu: six items, mouse buttons under 3, actions under 7 and 11.
        AddEditorMenuItems(root);
        root.AddThirdLevelItem(7, 8, L"Down");
        root.AddThirdLevelItem(7, 9, L"Up");
        root.AddThirdLevelItem(7, 10, L"Click");
        root.AddThirdLevelItem(11, 12, L"Down");
        MouseMoveTo(20, 20);
    }

    void TearDown() override {
        root.CloseMenu();
        EXPECT_FALSE(IsMenuHookInstalled());
    }

    // Opens the root and hovers down to the third level below item 7.
    CZelMenu* OpenThreeLevels() {
        root.PopupAt(100, 100, CZelMenu::kTopLeft);
        HoverItem(root, 2);
        CZelMenu* second = root.GetSubMenu(3);
        EXPECT_TRUE(PumpUntil([&] { return second->IsVisible(); }));
        HoverItem(*second, 0);
        CZelMenu* third = second->GetSubMenu(7);
        EXPECT_TRUE(PumpUntil([&] { return third->IsVisible(); }));
        return third;
    }

    CNotifyRecorder notify;
    CZelMenu root;
};

TEST_F(MenuWineTest, PopupLaysOutTheItemsAndInstallsTheHook) {
    CZelMenu tray;
    ASSERT_TRUE(tray.Create(L"menu", {0, 0, 105, 10}, notify.Hwnd(), 7));
    tray.AddItem(100, L"Config Mouse");
    tray.AddItem(101, L"Exit");
    tray.PopupAt(300, 400, CZelMenu::kBottomRight);
    ASSERT_TRUE(tray.IsVisible());
    RECT window{};
    GetWindowRect(tray.Hwnd(), &window);
    const int lineHeight = tray.Items()[0].rect.Height();
    EXPECT_GT(lineHeight, 10);
    EXPECT_EQ(window.right - window.left, 105);
    EXPECT_EQ(window.bottom - window.top, 2 * lineHeight + 8);
    EXPECT_EQ(window.right, 300);
    EXPECT_EQ(window.bottom, 400);
    EXPECT_TRUE(IsMenuHookInstalled());
    EXPECT_EQ(MenuHookTarget(), tray.Hwnd());
    tray.CloseMenu();
    EXPECT_FALSE(tray.IsVisible());
    EXPECT_FALSE(IsMenuHookInstalled());

    // A level without items is never shown.
    CZelMenu empty;
    ASSERT_TRUE(empty.Create(L"menu", {0, 0, 50, 10}, notify.Hwnd(), 8));
    empty.PopupAt(10, 10, CZelMenu::kTopLeft);
    EXPECT_FALSE(empty.IsVisible());
    EXPECT_FALSE(IsMenuHookInstalled());
}

int WindowWidth(const CZelMenu& level) {
    RECT window{};
    GetWindowRect(level.Hwnd(), &window);
    return window.right - window.left;
}

// Whether the row of a level's item shows text (anything but the background) in the columns
// [from, to) of the level's window.
bool ShowsTextBetween(const CZelMenu& level, size_t index, int from, int to) {
    EXPECT_TRUE(PumpUntilPainted(level.Hwnd()));
    const CWindowCapture capture(level.Hwnd());
    const PixelRect& line = level.Items().at(index).rect;
    for (int y = line.top + 1; y < line.bottom - 1; ++y) {
        for (int x = from; x < to; ++x) {
            if (capture.Pixel(x, y) != Rgb(0, 0, 0)) {
                return true;
            }
        }
    }
    return false;
}

TEST_F(MenuWineTest, ALevelIsAsWideAsItsWidestTextNeedsAndNeverNarrowerThanItsWidth) {
    // The editor's menu: made 50 wide, then sized to 170 by its owner.
    CZelMenu editor;
    ASSERT_TRUE(editor.Create(L"menu", {0, 0, 50, 10}, notify.Hwnd(), 12));
    editor.Move(0, 0, 170, 20, false);
    editor.AddItem(1, L"Copy");
    editor.PopupAt(100, 100, CZelMenu::kTopLeft);
    EXPECT_EQ(WindowWidth(editor), 170);
    editor.CloseMenu();

    editor.AddItem(2, L"Start record before event, then stop at the next click");
    editor.AddSubItem(2, 3, L"Insert a mouse event");
    editor.GetSubMenu(2)->SetSize(50, 20);
    editor.PopupAt(100, 100, CZelMenu::kTopLeft);
    const int text = editor.MaxTextWidth(12);
    ASSERT_GT(text, 170);
    const PixelRect& line = editor.Items()[1].rect;
    const int textEnd = line.left + kMenuTextIndent + text;
    EXPECT_LE(textEnd, line.right);
    EXPECT_LT(WindowWidth(editor), text + 2 * kMenuTextIndent + 2 * kMenuArrowColumn);
    // The end of the long text is drawn, and its sub-menu arrow stands clear of it.
    EXPECT_TRUE(ShowsTextBetween(editor, 1, textEnd - 8, textEnd));
    EXPECT_FALSE(ShowsTextBetween(editor, 1, textEnd + 1, line.right));
    EXPECT_TRUE(ShowsTextBetween(editor, 1, line.right, WindowWidth(editor) - 1));  // the arrow
    CWindowCapture(editor.Hwnd()).SaveArtifact(L"menu-long-text");

    // A sub-menu made 50 wide takes the room its text needs.
    HoverItem(editor, 1);
    CZelMenu* sub = editor.GetSubMenu(2);
    ASSERT_TRUE(PumpUntil([&] { return sub->IsVisible(); }));
    EXPECT_GT(WindowWidth(*sub), sub->MaxTextWidth(2) + kMenuLineLeft + kMenuTextIndent);
    // It opens at the widened level's right edge.
    RECT level{};
    RECT opened{};
    GetWindowRect(editor.Hwnd(), &level);
    GetWindowRect(sub->Hwnd(), &opened);
    EXPECT_EQ(opened.left, level.right - 5);
    editor.CloseMenu();

    // With short texts again the level goes back to the width its owner gave it.
    editor.RemoveAllItems();
    editor.AddItem(4, L"Paste");
    editor.PopupAt(100, 100, CZelMenu::kTopLeft);
    EXPECT_EQ(WindowWidth(editor), 170);
    editor.CloseMenu();
}

TEST_F(MenuWineTest, HoverOpensSubMenusAndTheDeepestLevelTakesTheHook) {
    CZelMenu* third = OpenThreeLevels();
    CZelMenu* second = root.GetSubMenu(3);
    EXPECT_EQ(MenuHookTarget(), third->Hwnd());
    // Hovering an item without a sub-menu closes the sub-menus of its level.
    HoverItem(root, 0);
    EXPECT_TRUE(PumpUntil([&] { return !second->IsVisible() && !third->IsVisible(); }));
    EXPECT_TRUE(root.IsVisible());
    EXPECT_EQ(MenuHookTarget(), root.Hwnd());
    EXPECT_TRUE(notify.Commands().empty());
}

TEST_F(MenuWineTest, ClickOnAnItemWithASubMenuSendsNothingAndKeepsTheMenuOpen) {
    root.PopupAt(100, 100, CZelMenu::kTopLeft);
    ClickItem(root, 2);
    ASSERT_TRUE(PumpPostedSoFar());  // the hook's report of the press too
    EXPECT_TRUE(notify.received.empty());
    EXPECT_TRUE(root.IsVisible());
    EXPECT_TRUE(root.GetSubMenu(3)->IsVisible());
    EXPECT_TRUE(IsMenuHookInstalled());
}

TEST_F(MenuWineTest, ItemThreeLevelsDownReachesTheNotifyWindowWithItsLevelsId) {
    CZelMenu* third = OpenThreeLevels();
    notify.received.clear();
    ClickItem(*third, 1);
    ASSERT_TRUE(PumpUntil([&] { return !root.IsVisible(); }));
    // The command first, then each of the three levels hides between 1 and 0.
    const std::vector<Notification> expected{
        {7, 9},
        {NOTIFY_MENU_HIDING, 1},
        {NOTIFY_MENU_HIDING, 1},
        {NOTIFY_MENU_HIDING, 1},
        {NOTIFY_MENU_HIDING, 0},
        {NOTIFY_MENU_HIDING, 0},
        {NOTIFY_MENU_HIDING, 0},
    };
    EXPECT_EQ(notify.received, expected);
    EXPECT_FALSE(root.GetSubMenu(3)->IsVisible());
    EXPECT_FALSE(third->IsVisible());
    EXPECT_FALSE(IsMenuHookInstalled());
}

TEST_F(MenuWineTest, TopLevelItemIsSentWithTheTopLevelsId) {
    root.PopupAt(100, 100, CZelMenu::kTopLeft);
    ClickItem(root, 5);
    ASSERT_TRUE(PumpUntil([&] { return !root.IsVisible(); }));
    EXPECT_EQ(notify.Commands(), (std::vector<Notification>{{kRootId, 6}}));
    EXPECT_FALSE(IsMenuHookInstalled());
}

TEST_F(MenuWineTest, PressInsideAnOpenLevelKeepsTheTreeAndOutsideClosesItAll) {
    CZelMenu* third = OpenThreeLevels();
    CZelMenu* second = root.GetSubMenu(3);
    // A press on the second level, which is not the hook's target, closes nothing.
    ClickItem(*second, 0);
    ASSERT_TRUE(PumpPostedSoFar());  // the hook's report of the press too
    EXPECT_TRUE(root.IsVisible());
    EXPECT_TRUE(second->IsVisible());
    EXPECT_TRUE(third->IsVisible());

    notify.received.clear();
    RECT outside{};
    GetWindowRect(notify.Hwnd(), &outside);
    MouseMoveTo(outside.left + 50, outside.top + 50);
    MouseLeftDown();
    ASSERT_TRUE(PumpUntil([&] { return !root.IsVisible(); }));
    MouseLeftUp();
    EXPECT_FALSE(second->IsVisible());
    EXPECT_FALSE(third->IsVisible());
    EXPECT_FALSE(IsMenuHookInstalled());
    EXPECT_TRUE(notify.Commands().empty());
    EXPECT_EQ(notify.received.size(), 6u);
}

TEST_F(MenuWineTest, ForeignCommandIsPassedOnAndClosesTheLevel) {
    root.PopupAt(100, 100, CZelMenu::kTopLeft);
    ControlNotification(root.Hwnd(), 77, 5);
    EXPECT_EQ(notify.Commands(), (std::vector<Notification>{{77, 5}}));
    EXPECT_FALSE(root.IsVisible());
    EXPECT_FALSE(IsMenuHookInstalled());
}

TEST_F(MenuWineTest, ClosingOneTreeLeavesTheHookToAnotherOpenTree) {
    root.PopupAt(100, 100, CZelMenu::kTopLeft);
    HoverItem(root, 2);
    ASSERT_TRUE(PumpUntil([&] { return root.GetSubMenu(3)->IsVisible(); }));
    CZelMenu other;
    ASSERT_TRUE(other.Create(L"menu", {0, 0, 105, 10}, notify.Hwnd(), 11));
    other.AddItem(100, L"Config Mouse");
    other.PopupAt(400, 100, CZelMenu::kTopLeft);
    root.CloseMenu();
    EXPECT_TRUE(IsMenuHookInstalled());
    EXPECT_EQ(MenuHookTarget(), other.Hwnd());
    ClickAt(650, 650);
    EXPECT_TRUE(PumpUntil([&] { return !other.IsVisible(); }));
    EXPECT_FALSE(IsMenuHookInstalled());
}

TEST_F(MenuWineTest, DestroyingAnOpenMenuRemovesTheHook) {
    auto menu = std::make_unique<CZelMenu>();
    ASSERT_TRUE(menu->Create(L"menu", {0, 0, 105, 10}, notify.Hwnd(), 9));
    menu->AddItem(1, L"One");
    menu->AddSubItem(1, 2, L"Two");
    menu->PopupAt(100, 100, CZelMenu::kTopLeft);
    menu->GetSubMenu(1)->PopupAt(200, 100, CZelMenu::kTopLeft);
    ASSERT_EQ(MenuHookTarget(), menu->GetSubMenu(1)->Hwnd());
    menu.reset();
    EXPECT_FALSE(IsMenuHookInstalled());
}

}  // namespace
