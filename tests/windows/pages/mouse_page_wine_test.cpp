// The mouse page as a real window under Wine: a macro chosen through the real menus, the wheel
// and acceleration boxes and the sliders clicked for real, and what the page stores in and shows
// from a profile. Functions, the left-click warning, key capture and the report rate run end to
// end in the program (tests/e2e/mouse-page).

#include <gtest/gtest.h>

#include "PageTestHost.h"
#include "pages/MouseSettingsDlg.h"
#include "pages/logic/MousePageLayout.h"
#include "profiles/Storage.h"
#include "skin/SkinImages.h"
#include "skin/ZelCheckBox.h"
#include "skin/ZelComboButton.h"
#include "skin/ZelMenu.h"
#include "skin/ZelSliderCtrl.h"
#include "skin/ZelStatic.h"
#include "ui_test_support.h"

namespace {

template <typename Control>
Control* ControlOf(HWND dialog, int id) {
    return dynamic_cast<Control*>(CZelWnd::FromHandle(GetDlgItem(dialog, id)));
}

// The visible menu level of this thread that holds the item, or null.
CZelMenu* OpenLevelWith(int itemId) {
    struct Search {
        int id;
        CZelMenu* found = nullptr;
    } search{itemId};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            auto* menu = dynamic_cast<CZelMenu*>(CZelWnd::FromHandle(hwnd));
            if (menu == nullptr || !IsWindowVisible(hwnd)) {
                return TRUE;
            }
            for (const MenuItem& item : menu->Items()) {
                if (item.id == s->id) {
                    s->found = menu;
                    return FALSE;
                }
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool AnyMenuOpen() {
    BOOL open = FALSE;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM param) -> BOOL {
            if (dynamic_cast<CZelMenu*>(CZelWnd::FromHandle(hwnd)) && IsWindowVisible(hwnd)) {
                *reinterpret_cast<BOOL*>(param) = TRUE;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&open));
    return open != FALSE;
}

// Moves the pointer onto an item of an open menu (which opens its sub-menu); false when no open
// level shows it in time.
bool PointAtItem(int itemId) {
    CZelMenu* level = nullptr;
    if (!PumpUntil([&] { return (level = OpenLevelWith(itemId)) != nullptr; })) {
        return false;
    }
    for (const MenuItem& item : level->Items()) {
        if (item.id == itemId) {
            POINT p = ToScreen(level->Hwnd(), (item.rect.left + item.rect.right) / 2,
                               (item.rect.top + item.rect.bottom) / 2);
            MouseMoveTo(p.x - 1, p.y);
            MouseMoveTo(p.x, p.y);
            return true;
        }
    }
    return false;
}

bool ClickItem(int itemId) {
    if (!PointAtItem(itemId)) {
        return false;
    }
    MouseLeftDown();
    MouseLeftUp();
    return true;
}

class MousePageWine : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        SetSkinFolder(ApplicationFolder() / L".." / L".." / L".." / L"dist" / L"Skins");
    }

    void SetUp() override {
        host.macros.AddMacro(16, u"Reload", MacroRect{0, 0, 200, 200});
        host.macros.AddMacro(23, u"Jump", MacroRect{0, 0, 200, 200})
            .InsertEvent(kEventKey, 32, kActionPress, 0, kPlaceAtEnd);
        host.macros.AddMacro(40, u"Burst fire", MacroRect{0, 0, 200, 200});
        ASSERT_TRUE(host.Open());
        ASSERT_TRUE(page.Create(host.Hwnd()));
        host.PlacePage(page);
        PumpFor(100);
    }
    void TearDown() override {
        MouseMoveTo(790, 700);  // away from the page, so no hover capture outlives it
        page.DestroyWindow();
        host.DestroyWindow();
        PumpFor(50);
    }

    CZelComboButton& Slot(int k) {
        return *ControlOf<CZelComboButton>(page.Hwnd(), kMousePageSlotIds[k]);
    }
    CZelCheckBox& Box(int id) { return *ControlOf<CZelCheckBox>(page.Hwnd(), id); }
    CZelSliderCtrl& Slider(int id) { return *ControlOf<CZelSliderCtrl>(page.Hwnd(), id); }

    // Opens slot k's menu and picks the item, through the sub-menu `via` when given.
    void Choose(int k, int item, int via = -1) {
        ClickControl(page.Hwnd(), kMousePageSlotIds[k]);
        if (via >= 0) {
            ASSERT_TRUE(PointAtItem(via)) << via;
        }
        ASSERT_TRUE(ClickItem(item)) << item;
        PumpUntil([] { return !AnyMenuOpen(); });
    }

    CPageTestHost host{CPageTestHost::Mouse::kAbsent};
    CMouseSettingsDlg page{host};
};

TEST_F(MousePageWine, MacroBoxesAndSlidersReachTheProfile) {
    EXPECT_TRUE(Box(IDC_RATE_1000).IsChecked());
    EXPECT_TRUE(Box(IDC_WHEEL_LINES).IsChecked());
    EXPECT_EQ(Slider(IDC_ACCELERATION).State(), CZelSliderCtrl::kDisabled);
    CWindowCapture(page.Hwnd()).SaveArtifact(L"mouse-page-initial");

    // A macro from the macro sub-menu.
    Choose(4, 23, kFunctionMacro);
    EXPECT_EQ(Slot(4).Caption(), L"Jump");
    EXPECT_EQ(Slot(4).CurrentId(), kFunctionMacro);
    EXPECT_EQ(Slot(4).CurrentValue(), 23);
    // Hiding menus went on to the main window.
    EXPECT_NE(std::find(host.passedOn.begin(), host.passedOn.end(),
                        std::make_pair(NOTIFY_MENU_HIDING, LPARAM{1})),
              host.passedOn.end());

    // One page per notch disables the lines slider; "Enable" enables the acceleration slider.
    ClickControl(page.Hwnd(), IDC_WHEEL_PAGE);
    ClickControl(page.Hwnd(), IDC_ACCELERATION_ON);
    EXPECT_TRUE(PumpUntil([&] { return Box(IDC_ACCELERATION_ON).IsChecked(); }));
    EXPECT_FALSE(Box(IDC_WHEEL_LINES).IsChecked());
    EXPECT_TRUE(Box(IDC_WHEEL_PAGE).IsChecked());
    EXPECT_EQ(Slider(IDC_SCROLL_SPEED).State(), CZelSliderCtrl::kDisabled);
    EXPECT_NE(Slider(IDC_ACCELERATION).State(), CZelSliderCtrl::kDisabled);
    // The double-click slider at its right end, and the acceleration slider at its left.
    HWND doubleClick = GetDlgItem(page.Hwnd(), IDC_DOUBLE_CLICK);
    RECT track{};
    GetClientRect(doubleClick, &track);
    POINT end = ToScreen(doubleClick, track.right - 2, track.bottom / 2);
    ClickAt(end.x, end.y);
    HWND acceleration = GetDlgItem(page.Hwnd(), IDC_ACCELERATION);
    POINT start = ToScreen(acceleration, 1, 10);
    ClickAt(start.x, start.y);
    EXPECT_TRUE(PumpUntil([&] { return Slider(IDC_DOUBLE_CLICK).Value() == 1400; }));
    EXPECT_TRUE(PumpUntil([&] { return Slider(IDC_ACCELERATION).Value() == 0; }));
    CWindowCapture(page.Hwnd()).SaveArtifact(L"mouse-page-edited");

    Profile profile;
    page.SaveMousePage(profile);
    const int functions[] = {0, 1, 2, 3, 14, 5, 6};
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(profile.buttons[k].function, functions[k]) << k;
    }
    EXPECT_EQ(profile.buttons[4].value, 23);
    EXPECT_EQ(profile.macros[4].name, u"Jump");
    ASSERT_EQ(profile.macros[4].events.size(), 2u);
    EXPECT_EQ(profile.macros[4].events[0].code, 32);
    EXPECT_EQ(profile.scrollByLines, 0);
    EXPECT_EQ(profile.scrollByPage, 1);
    EXPECT_EQ(profile.accelerationOn, 1);
    EXPECT_EQ(profile.accelerationLevel, 0);
    EXPECT_EQ(profile.doubleClickValue, 1400);
}

TEST_F(MousePageWine, LoadShowsTheProfileAndARemovedMacroFallsBack) {
    Choose(4, kFunctionBack, 255);  // what slot 4 shows before the load
    Profile stored;
    stored.buttons[6].function = kFunctionSingleKey;
    stored.buttons[6].value = 66;
    stored.buttons[5].function = kFunctionMacro;
    stored.buttons[5].value = 23;
    stored.macros[5].name = u"Jump";
    stored.buttons[4].function = 8;  // no item: the slot keeps what it shows
    stored.reportRate = 7;
    stored.doubleClickValue = 500;
    stored.scrollByLines = 0;
    stored.scrollByPage = 1;
    stored.accelerationOn = 1;
    page.LoadMousePage(stored);

    EXPECT_EQ(Slot(6).Caption(), L"B");
    EXPECT_EQ(Slot(5).Caption(), L"Jump");
    EXPECT_EQ(Slot(4).Caption(), L"Back");
    EXPECT_EQ(Slot(4).CurrentId(), kFunctionBack);
    for (int id : kMousePageRateIds) {
        EXPECT_FALSE(Box(id).IsChecked()) << id;
    }
    EXPECT_EQ(Slider(IDC_DOUBLE_CLICK).Value(), 500);
    EXPECT_EQ(Slider(IDC_SCROLL_SPEED).State(), CZelSliderCtrl::kDisabled);
    EXPECT_NE(Slider(IDC_ACCELERATION).State(), CZelSliderCtrl::kDisabled);
    EXPECT_TRUE(Box(IDC_WHEEL_PAGE).IsChecked());

    // The macro is deleted on the macro page: the next save sends the button to its default.
    host.macros.RemoveMacro(23);
    Profile saved = stored;
    page.SaveMousePage(saved);
    EXPECT_EQ(saved.reportRate, 7);
    EXPECT_EQ(saved.buttons[5].function, 5);
    EXPECT_EQ(saved.buttons[5].value, 0);
    EXPECT_EQ(saved.buttons[6].value, 66);
    // The removed macro is gone from every slot's menu after the next load.
    page.LoadMousePage(saved);
    EXPECT_TRUE(Slot(0).GetItemText(23).empty());
    EXPECT_EQ(Slot(0).GetItemText(40), L"Burst fire");
    EXPECT_EQ(Slot(5).Caption(), L"Dpi up");
}

}  // namespace
