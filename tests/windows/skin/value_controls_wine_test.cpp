// Slider, scroll bar, list box and progress bar with real windows and real mouse input: the
// notifications each sends to its parent and their order, and the standard query messages that
// tools read them with.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <objidl.h>
#include <gdiplus.h>

#include "pages/logic/MacroRowNaming.h"
#include "profiles/Storage.h"
#include "skin/SkinImages.h"
#include "skin/ZelListBox.h"
#include "skin/ZelProgressCtrl.h"
#include "skin/ZelScrollCtrl.h"
#include "skin/ZelSliderCtrl.h"
#include "skin/logic/RowNaming.h"
#include "ui_test_support.h"

namespace {

using Notification = std::pair<int, LPARAM>;

SkinImage SolidImage(int width, int height, Gdiplus::Color colour) {
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat24bppRGB);
    Gdiplus::Graphics graphics(bitmap.get());
    Gdiplus::SolidBrush brush(colour);
    graphics.FillRectangle(&brush, 0, 0, width, height);
    return SkinImage::Owned(std::move(bitmap));
}

const Gdiplus::Color kGrey(255, 60, 60, 60);
const Gdiplus::Color kGreen(255, 179, 211, 53);

LRESULT Ask(const CZelWnd& control, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(control.Hwnd(), msg, wParam, lParam);
}

ControlKind KindOf(const CZelWnd& control) {
    return static_cast<ControlKind>(
        reinterpret_cast<intptr_t>(GetPropW(control.Hwnd(), kControlKindProperty)));
}

class ControlsWineTest : public testing::Test {
  protected:
    void SetUp() override {
        // The sheets load once per process: from the build's skins, as the drawing tests need.
        SetSkinFolder(ApplicationFolder() / L".." / L".." / L".." / L"dist" / L"Skins");
        ASSERT_TRUE(parent.Create({100, 100, 700, 500}));
        MouseMoveTo(20, 20);
    }

    void MoveIn(HWND control, int x, int y) {
        const POINT point = ToScreen(control, x, y);
        MouseMoveTo(point.x, point.y);
    }
    void ClickIn(HWND control, int x, int y) {
        MoveIn(control, x, y);
        MouseLeftDown();
        MouseLeftUp();
    }

    CNotifyRecorder parent;
};

class SliderWineTest : public ControlsWineTest {
  protected:
    void SetUp() override {
        ControlsWineTest::SetUp();
        // The pointer-speed slider: 1 .. 10, step 1, thumb 12 x 16 on a 130 pixel track.
        ASSERT_TRUE(slider.CreateChild({.parent = parent.Hwnd(),
                                        .systemClass = L"STATIC",
                                        .style = WS_VISIBLE,
                                        .rect = {10, 10, 140, 35},
                                        .id = 1016}));
        slider.SetImages(SolidImage(130, 25, kGrey), SolidImage(12, 16, kGreen),
                         SolidImage(12, 16, kGreen), SolidImage(12, 16, kGrey));
        slider.model.minimum = 1;
        slider.model.maximum = 10;
        slider.model.value = 6;
        ASSERT_TRUE(PumpUntilPainted(parent.Hwnd()));
    }
    CZelSliderCtrl slider;
};

TEST_F(SliderWineTest, FirstValueFromThePointerIsReportedEvenWhenUnchanged) {
    // The thumb of value 6 is centred at 71; pressing on it computes 6.
    MoveIn(slider.Hwnd(), 71, 8);
    MouseLeftDown();
    EXPECT_EQ(slider.State(), CZelSliderCtrl::kDragging);
    MoveIn(slider.Hwnd(), 124, 8);
    MoveIn(slider.Hwnd(), 128, 8);  // still 10: not reported again
    MouseLeftUp();
    EXPECT_EQ(slider.State(), CZelSliderCtrl::kNormal);
    ClickIn(slider.Hwnd(), 6, 8);
    EXPECT_EQ(parent.received, (std::vector<Notification>{{1016, 6}, {1016, 10}, {1016, 1}}));
    EXPECT_EQ(slider.Value(), 1);
    EXPECT_EQ(parent.commands, 0);
    // Read as a system slider is read.
    EXPECT_EQ(KindOf(slider), ControlKind::Slider);
    EXPECT_EQ(Ask(slider, TBM_GETPOS), 1);
    EXPECT_EQ(Ask(slider, TBM_GETRANGEMIN), 1);
    EXPECT_EQ(Ask(slider, TBM_GETRANGEMAX), 10);
    ClickIn(slider.Hwnd(), 100, 8);
    EXPECT_EQ(Ask(slider, TBM_GETPOS), 8);
}

TEST_F(SliderWineTest, SetValueReportsOnlyNewValuesAndADisabledSliderIgnoresTheMouse) {
    slider.SetValue(3, true);
    slider.SetValue(3, true);
    slider.SetValue(8, false);
    EXPECT_EQ(parent.received, (std::vector<Notification>{{1016, 3}}));
    EXPECT_EQ(slider.Value(), 8);

    // Disabled while the pointer rests on it: the hover capture goes too.
    MoveIn(slider.Hwnd(), 20, 8);
    ASSERT_EQ(GetCapture(), slider.Hwnd());
    slider.SetDisabled(true);
    EXPECT_EQ(GetCapture(), nullptr);
    ClickIn(slider.Hwnd(), 20, 8);
    EXPECT_EQ(parent.received.size(), 1u);
    EXPECT_EQ(slider.State(), CZelSliderCtrl::kDisabled);
    slider.SetDisabled(false);
    ClickIn(slider.Hwnd(), 124, 8);
    EXPECT_EQ(parent.received.back(), (Notification{1016, 10}));
}

TEST_F(SliderWineTest, DraggingOutAndBackWithTheButtonDownResumesTheDrag) {
    MoveIn(slider.Hwnd(), 71, 8);
    MouseLeftDown();
    MoveIn(slider.Hwnd(), 71, 200);  // outside: the drag pauses
    EXPECT_EQ(slider.State(), CZelSliderCtrl::kNormal);
    MoveIn(slider.Hwnd(), 124, 8);  // back with the button down: dragging again
    EXPECT_EQ(slider.State(), CZelSliderCtrl::kDragging);
    MoveIn(slider.Hwnd(), 100, 8);
    EXPECT_EQ(parent.received.back(), (Notification{1016, 8}));
    MouseLeftUp();
    EXPECT_EQ(parent.received.front(), (Notification{1016, 6}));
    EXPECT_EQ(slider.State(), CZelSliderCtrl::kNormal);
}

class ScrollWineTest : public ControlsWineTest {
  protected:
    void SetUp() override {
        ControlsWineTest::SetUp();
        ASSERT_TRUE(scroll.CreateChild({.parent = parent.Hwnd(),
                                        .systemClass = L"STATIC",
                                        .style = WS_VISIBLE | 0x108,
                                        .rect = {300, 0, 323, 150},
                                        .id = 100}));
        scroll.SetImages(SolidImage(23, 222, kGrey), SolidImage(23, 56, kGreen),
                         SolidImage(23, 56, kGreen), SolidImage(23, 16, kGreen),
                         SolidImage(23, 16, kGreen), SolidImage(23, 16, kGreen),
                         SolidImage(23, 16, kGreen));
        scroll.model.minimum = 0;
        scroll.model.maximum = 10;
        ASSERT_TRUE(PumpUntilPainted(parent.Hwnd()));
    }
    CZelScrollCtrl scroll;
};

TEST_F(ScrollWineTest, SetPosReportsTheClampedPosition) {
    EXPECT_EQ(scroll.model.orientation, ScrollOrientation::kVertical);
    scroll.SetPos(3);
    scroll.SetPos(40);
    EXPECT_EQ(parent.received, (std::vector<Notification>{{100, 3}, {100, 10}}));
    EXPECT_EQ(scroll.model.thumb.bottom, 134);
}

TEST_F(ScrollWineTest, ArrowsSendTheirEndTwiceAndTheTrackReportsChangesAfterTheFirst) {
    scroll.SetPos(3);
    parent.received.clear();
    // Track 16 .. 134, thumb 56: the pointer at 75 means 5, at 110 means 10.
    MoveIn(scroll.Hwnd(), 11, 75);
    MouseLeftDown();
    MoveIn(scroll.Hwnd(), 11, 110);
    MouseLeftUp();
    EXPECT_EQ(parent.received, (std::vector<Notification>{{100, 10}}));

    parent.received.clear();
    ClickIn(scroll.Hwnd(), 11, 8);
    ClickIn(scroll.Hwnd(), 11, 145);
    EXPECT_EQ(parent.received,
              (std::vector<Notification>{{100, 0}, {100, 0}, {100, 10}, {100, 10}}));
    EXPECT_EQ(scroll.Pos(), 10);
    EXPECT_EQ(parent.commands, 0);
    EXPECT_EQ(KindOf(scroll), ControlKind::ScrollBar);
    EXPECT_EQ(Ask(scroll, SBM_GETPOS), 10);
    int low = -1;
    int high = -1;
    Ask(scroll, SBM_GETRANGE, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 10);

    // A quick second click on an arrow (a double click to the system) is a press of its own.
    parent.received.clear();
    ClickIn(scroll.Hwnd(), 11, 8);
    ClickIn(scroll.Hwnd(), 11, 8);
    EXPECT_TRUE(PumpUntil([&] { return parent.received.size() >= 4u; }));
    EXPECT_EQ(parent.received, (std::vector<Notification>{{100, 0}, {100, 0}, {100, 0}, {100, 0}}));
}

class ListBoxWineTest : public ControlsWineTest {
  protected:
    void SetUp() override {
        ControlsWineTest::SetUp();
        ASSERT_TRUE(list.CreateChild({.parent = parent.Hwnd(),
                                      .systemClass = L"STATIC",
                                      .style = WS_VISIBLE,
                                      .rect = {49, 63, 49 + 204, 63 + 220},
                                      .id = 1069}));
        // Numbered and named as the macro page's list.
        list.SetRowNaming(naming);
        list.SetUpScrollBar();
        ASSERT_TRUE(PumpUntilPainted(parent.Hwnd()));
    }
    // Client point in the middle of entry i's row.
    POINT RowPoint(size_t i) const {
        const PixelRect& rect = list.Entries().at(i).rect;
        return {40, (rect.top + std::min(rect.bottom, 220)) / 2};
    }
    MacroRowNaming naming;
    CZelListBox list;
};

TEST_F(ListBoxWineTest, ThirteenEntriesScrollAndClicksSelect) {
    EXPECT_TRUE(parent.received.empty());
    for (int i = 0; i < 13; ++i) {
        list.AddNamedItem(L"Macro");
    }
    ASSERT_EQ(parent.received.size(), 13u);
    EXPECT_EQ(parent.received.front(), (Notification{NOTIFY_MACRO_SELECTED, 16}));
    EXPECT_EQ(parent.received.back(), (Notification{NOTIFY_MACRO_SELECTED, 28}));
    EXPECT_EQ(list.Entries()[1].name, u"Macro(1)");
    EXPECT_TRUE(list.ScrollBar().IsVisible());
    EXPECT_EQ(list.ScrollBar().model.maximum, 13);
    EXPECT_EQ(list.ScrollBar().Pos(), 12);
    EXPECT_EQ(list.Entries()[12].rect.bottom, 228);

    parent.received.clear();
    POINT point = RowPoint(5);
    ClickIn(list.Hwnd(), point.x, point.y);
    EXPECT_EQ(parent.received, (std::vector<Notification>{{NOTIFY_MACRO_SELECTED, 21}}));
    EXPECT_EQ(parent.commands, 0);
    ASSERT_NE(list.SelectedItem(), nullptr);
    EXPECT_EQ(list.SelectedItem()->id, 21);
    // Read as a system list box is read.
    EXPECT_EQ(KindOf(list), ControlKind::ListBox);
    EXPECT_EQ(Ask(list, LB_GETCOUNT), 13);
    EXPECT_EQ(Ask(list, LB_GETCURSEL), 5);
    ASSERT_EQ(Ask(list, LB_GETTEXTLEN, 5), 8);
    wchar_t text[9] = {};
    EXPECT_EQ(Ask(list, LB_GETTEXT, 5, reinterpret_cast<LPARAM>(text)), 8);
    EXPECT_STREQ(text, L"Macro(5)");
    EXPECT_EQ(Ask(list, LB_GETTEXTLEN, 13), LB_ERR);
    EXPECT_EQ(Ask(list, LB_GETTEXT, 13, reinterpret_cast<LPARAM>(text)), LB_ERR);

    // Deleting reports the entry while it still exists, then the one that moved up.
    parent.received.clear();
    list.DeleteSelectedItem();
    EXPECT_EQ(parent.received,
              (std::vector<Notification>{{NOTIFY_MACRO_DELETED, 21}, {NOTIFY_MACRO_SELECTED, 22}}));
    // Twelve entries: the scroll bar stays at its minimum and nothing is shifted.
    EXPECT_EQ(list.Entries()[0].rect.top, 5);
    EXPECT_EQ(Ask(list, LB_GETCOUNT), 12);
    EXPECT_EQ(Ask(list, LB_GETCURSEL), 5);
}

TEST_F(ListBoxWineTest, PressWhileNamingOnlyCommitsTheName) {
    list.AddNamedItem(L"First");
    list.AddNamedItem(L"Second");
    auto edit = std::make_unique<CZelWnd>();
    const RECT row = list.NewRowRectangle();
    ASSERT_TRUE(edit->CreateChild({.parent = list.Hwnd(),
                                   .systemClass = L"EDIT",
                                   .text = L"First",
                                   .style = WS_VISIBLE,
                                   .rect = row,
                                   .id = 1}));
    list.SetNameEdit(std::move(edit));
    parent.received.clear();

    const POINT first = RowPoint(0);
    MoveIn(list.Hwnd(), first.x, first.y);
    MouseLeftDown();
    EXPECT_EQ(parent.received, (std::vector<Notification>{{NOTIFY_MACRO_SELECTED, 18}}));
    ASSERT_EQ(list.Entries().size(), 3u);
    EXPECT_EQ(list.Entries()[2].name, u"First(1)");
    EXPECT_EQ(list.SelectedItem()->id, 18);
    EXPECT_FALSE(list.NameEdit()->IsVisible());
    // The release selects as usual.
    MouseLeftUp();
    EXPECT_EQ(parent.received.back(), (Notification{NOTIFY_MACRO_SELECTED, 16}));

    // An empty name adds nothing but still closes the box.
    list.NameEdit()->SetText(L"");
    list.NameEdit()->Show(true);
    MouseLeftDown();
    MouseLeftUp();
    EXPECT_EQ(list.Entries().size(), 3u);
    EXPECT_FALSE(list.NameEdit()->IsVisible());
}

// A static of any type (the type is a number, not a set of bits) becomes owner drawn, and draws.
TEST_F(ControlsWineTest, ScrollBarAndListBoxOnAnyStaticTypeAreOwnerDrawnAndProgressAnswers) {
    CZelScrollCtrl scroll;
    ASSERT_TRUE(scroll.CreateChild({.parent = parent.Hwnd(),
                                    .systemClass = L"STATIC",
                                    .style = WS_VISIBLE | SS_RIGHT,
                                    .rect = {10, 10, 33, 160},
                                    .id = 100}));
    scroll.SetImages(SolidImage(23, 150, kGreen), SolidImage(23, 30, kGreen),
                     SolidImage(23, 30, kGreen), SolidImage(23, 16, kGreen),
                     SolidImage(23, 16, kGreen), SolidImage(23, 16, kGreen),
                     SolidImage(23, 16, kGreen));
    CZelListBox list;
    ASSERT_TRUE(list.CreateChild({.parent = parent.Hwnd(),
                                  .systemClass = L"STATIC",
                                  .style = WS_VISIBLE | SS_WHITERECT,
                                  .rect = {60, 10, 264, 230},
                                  .id = 1069}));
    list.SetBackground(SolidImage(204, 220, kGreen));
    for (const CZelWnd* control :
         {static_cast<const CZelWnd*>(&scroll), static_cast<const CZelWnd*>(&list)}) {
        EXPECT_EQ(GetWindowLongW(control->Hwnd(), GWL_STYLE) & SS_TYPEMASK, SS_OWNERDRAW);
        // The middle of each shows its green image, so the owner drawing took place.
        const RECT client = control->ClientRect();
        const HWND hwnd = control->Hwnd();
        EXPECT_TRUE(PumpUntil([&] {
            return CWindowCapture(hwnd).Pixel(client.right / 2, client.bottom / 2) ==
                   Rgb(179, 211, 53);
        }));
    }

    CZelProgressCtrl progress;
    ASSERT_TRUE(progress.CreateChild({.parent = parent.Hwnd(),
                                      .systemClass = L"STATIC",
                                      .style = WS_VISIBLE,
                                      .rect = {300, 10, 400, 30},
                                      .id = 1026}));
    progress.minimum = 0;
    progress.maximum = 10;
    progress.position = 6;
    EXPECT_EQ(KindOf(progress), ControlKind::Progress);
    EXPECT_EQ(Ask(progress, PBM_GETPOS), 6);
    PBRANGE range{};
    EXPECT_EQ(Ask(progress, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)), 0);
    EXPECT_EQ(range.iHigh, 10);
    EXPECT_EQ(Ask(progress, PBM_GETRANGE, FALSE), 10);
}

}  // namespace
