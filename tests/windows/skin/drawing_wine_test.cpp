// What the slider, progress bar, list box with its scroll bar and the open menu show, drawn from
// the build's skin sheets: pixels read back from the windows and compared with the sheets they
// were cut from. Each state is kept as a picture in the test artifacts.

#include <gtest/gtest.h>

#include <objidl.h>
#include <gdiplus.h>

#include "profiles/Storage.h"
#include "skin/SkinImages.h"
#include "skin/ZelListBox.h"
#include "skin/ZelMenu.h"
#include "skin/ZelProgressCtrl.h"
#include "skin/ZelSliderCtrl.h"
#include "ui_test_support.h"

namespace {

DWORD SheetPixel(const char* sheetName, int x, int y) {
    for (int i = 0; i < kSkinSheetCount; ++i) {
        if (std::string(kSkinSheets[i].name) == sheetName) {
            Gdiplus::Bitmap* sheet = SkinSheet(i);
            Gdiplus::Color colour;
            if (sheet == nullptr || sheet->GetPixel(x, y, &colour) != Gdiplus::Ok) {
                return 0xFF000000;  // never a captured pixel
            }
            return colour.GetValue() & 0x00FFFFFF;
        }
    }
    return 0xFF000000;
}

// Whether every pixel of a w x h block at (x, y) of the capture equals the sheet's block at
// (sheetX, sheetY); reports the first difference.
testing::AssertionResult BlockMatchesSheet(const CWindowCapture& capture, int x, int y, int w,
                                           int h, const char* sheet, int sheetX, int sheetY) {
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            const DWORD shown = capture.Pixel(x + i, y + j);
            const DWORD expected = SheetPixel(sheet, sheetX + i, sheetY + j);
            if (shown != expected) {
                return testing::AssertionFailure()
                       << "at (" << x + i << ", " << y + j << ") shown " << std::hex << shown
                       << ", " << sheet << " has " << expected;
            }
        }
    }
    return testing::AssertionSuccess();
}

int CountPixels(const CWindowCapture& capture, const PixelRect& area, DWORD colour) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            count += capture.Pixel(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

class DrawingWineTest : public testing::Test {
  protected:
    void SetUp() override {
        SetSkinFolder(ApplicationFolder() / L".." / L".." / L".." / L"dist" / L"Skins");
        LoadSkinSheets();
        ASSERT_NE(SkinSheet(0), nullptr) << "the skin sheets are drawn by the build";
        ASSERT_TRUE(window.Create({50, 50, 850, 450}));
        MouseMoveTo(5, 5);
    }
    CNotifyRecorder window;
};

TEST_F(DrawingWineTest, SliderThumbStandsAtItsValueInEachState) {
    // The sensor page's X axis slider.
    CZelSliderCtrl slider;
    ASSERT_TRUE(slider.CreateChild({.parent = window.Hwnd(),
                                    .systemClass = L"STATIC",
                                    .style = WS_VISIBLE,
                                    .rect = {335, 58, 745, 88},
                                    .id = 1022}));
    slider.SetImages(
        GetSkinPiece(51, kSkinNormal, 335, 58, 745, 88), GetSkinPiece(111, kSkinNormal, 0, 0, 0, 0),
        GetSkinPiece(111, kSkinNormal, 0, 0, 0, 0), GetSkinPiece(112, kSkinNormal, 0, 0, 0, 0));
    slider.model.minimum = 90;
    slider.model.maximum = 5400;
    slider.model.step = 90;
    slider.showValue = true;
    slider.SetValue(2745, false);  // half way: thumb from 199 to 211
    ASSERT_TRUE(PumpUntilPainted(slider.Hwnd()));
    CWindowCapture normal(slider.Hwnd());
    normal.SaveArtifact(L"slider-normal");
    EXPECT_TRUE(
        BlockMatchesSheet(normal, 199, 0, kThumbWidth, kThumbHeight, "slider_normal.bmp", 0, 0));
    EXPECT_TRUE(BlockMatchesSheet(normal, 0, 0, 190, 16, "sensor_page_normal.bmp", 335, 58));
    // The value in white under the thumb.
    EXPECT_GT(CountPixels(normal, {180, 16, 230, 30}, Rgb(255, 255, 255)), 5);

    slider.SetDisabled(true);
    ASSERT_TRUE(PumpUntilPainted(slider.Hwnd()));
    CWindowCapture disabled(slider.Hwnd());
    disabled.SaveArtifact(L"slider-disabled");
    EXPECT_TRUE(
        BlockMatchesSheet(disabled, 199, 0, kThumbWidth, kThumbHeight, "slider_disable.bmp", 0, 0));
}

TEST_F(DrawingWineTest, ProgressFillsFromItsBarImage) {
    // The surface quality funnel, half full, grows up from the bottom.
    CZelProgressCtrl quality;
    ASSERT_TRUE(quality.CreateChild({.parent = window.Hwnd(),
                                     .systemClass = L"STATIC",
                                     .style = WS_VISIBLE,
                                     .rect = {62, 198, 169, 301},
                                     .id = 1026}));
    quality.SetImages(GetSkinPiece(55, kSkinNormal, 62, 198, 169, 301),
                      GetSkinPiece(55, kSkinDown, 62, 198, 169, 301));
    quality.maximum = 10;
    quality.position = 5;
    quality.vertical = true;
    quality.Redraw();
    ASSERT_TRUE(PumpUntilPainted(quality.Hwnd()));
    CWindowCapture half(quality.Hwnd());
    half.SaveArtifact(L"progress-vertical-half");
    // 103 * 0.5 = 51 rows: the top 51 rows of the bar image from row 52 down.
    EXPECT_TRUE(BlockMatchesSheet(half, 0, 52, 107, 51, "sensor_page_down.bmp", 62, 198));
    EXPECT_TRUE(BlockMatchesSheet(half, 0, 0, 107, 52, "sensor_page_normal.bmp", 62, 198));

    // Beyond the maximum it is drawn full.
    quality.position = 14;
    quality.Redraw();
    ASSERT_TRUE(PumpUntilPainted(quality.Hwnd()));
    CWindowCapture full(quality.Hwnd());
    EXPECT_TRUE(BlockMatchesSheet(full, 0, 0, 107, 103, "sensor_page_down.bmp", 62, 198));
}

TEST_F(DrawingWineTest, ListBoxShowsTheSelectionAndTheScrollBarParts) {
    CZelListBox list;
    ASSERT_TRUE(list.CreateChild({.parent = window.Hwnd(),
                                  .systemClass = L"STATIC",
                                  .style = WS_VISIBLE,
                                  .rect = {49, 63, 253, 283},
                                  .id = 1069}));
    list.SetBackground(GetSkinPiece(98, kSkinNormal, 49, 63, 253, 283));
    list.SetUpScrollBar();
    for (int i = 0; i < 13; ++i) {
        list.AddNamedItem(L"Macro");
    }
    ASSERT_TRUE(PumpUntilPainted(list.Hwnd()));
    CWindowCapture rows(list.Hwnd());
    rows.SaveArtifact(L"listbox-scrolled");
    // Background between the scroll bar and the text, pixel for pixel from the page sheet.
    EXPECT_TRUE(BlockMatchesSheet(rows, 120, 0, 40, 3, "macro_page_normal.bmp", 49 + 120, 63));
    // The last entry is selected: accent text in its row, grey text in the others.
    const PixelRect last = list.Entries().back().rect;
    EXPECT_GT(CountPixels(rows, {4, last.top, 100, 220}, Rgb(179, 211, 53)), 5);
    const PixelRect first = list.Entries()[1].rect;
    EXPECT_GT(CountPixels(rows, {4, first.top, 100, first.bottom}, Rgb(190, 190, 190)), 5);
    EXPECT_EQ(CountPixels(rows, {4, first.top, 100, first.bottom}, Rgb(179, 211, 53)), 0);

    // The scroll bar: arrows from the down sheet; the pressed second arrow from the over sheet.
    CZelScrollCtrl& scroll = list.ScrollBar();
    ASSERT_TRUE(scroll.IsVisible());
    CWindowCapture bar(scroll.Hwnd());
    EXPECT_TRUE(BlockMatchesSheet(bar, 0, 0, 23, 16, "Scroll_Down.bmp", 0, 0));
    EXPECT_TRUE(BlockMatchesSheet(bar, 0, 204, 23, 16, "Scroll_Down.bmp", 0, 206));
    const POINT arrow = ToScreen(scroll.Hwnd(), 11, 212);
    MouseMoveTo(arrow.x, arrow.y);
    MouseLeftDown();
    ASSERT_TRUE(PumpUntilPainted(scroll.Hwnd()));
    CWindowCapture pressed(scroll.Hwnd());
    pressed.SaveArtifact(L"scrollbar-second-arrow-pressed");
    EXPECT_TRUE(BlockMatchesSheet(pressed, 0, 204, 23, 16, "Scroll_Over.bmp", 0, 206));
    MouseLeftUp();
}

TEST_F(DrawingWineTest, OpenMenuTreeShowsFrameHighlightAndArrows) {
    CZelMenu root;
    ASSERT_TRUE(root.Create(L"menu", {0, 0, 170, 10}, window.Hwnd(), 1));
    root.AddItem(1, L"Start record before event");
    root.AddItem(3, L"Insert mouse event");
    root.AddItem(6, L"Delete");
    root.AddSubItem(3, 7, L"Left button");
    root.AddSubItem(3, 27, L"Scroll wheel");
    root.AddThirdLevelItem(7, 8, L"Down");
    root.AddThirdLevelItem(7, 9, L"Up");
    root.GetSubMenu(3)->Move(0, 0, 120, 20);
    root.PopupAt(300, 200, CZelMenu::kTopLeft);
    const PixelRect insert = root.Items()[1].rect;
    const POINT over = ToScreen(root.Hwnd(), 40, (insert.top + insert.bottom) / 2);
    MouseMoveTo(over.x, over.y);
    CZelMenu* second = root.GetSubMenu(3);
    ASSERT_TRUE(PumpUntil([&] { return second->IsVisible(); }));
    const PixelRect left = second->Items()[0].rect;
    const POINT deeper = ToScreen(second->Hwnd(), 30, (left.top + left.bottom) / 2);
    MouseMoveTo(deeper.x, deeper.y);
    ASSERT_TRUE(PumpUntil([&] { return second->GetSubMenu(7)->IsVisible(); }));
    for (const CZelMenu* level : {&root, second, second->GetSubMenu(7)}) {
        ASSERT_TRUE(PumpUntilPainted(level->Hwnd()));
    }

    CWindowCapture top(root.Hwnd());
    CWindowCapture middle(second->Hwnd());
    CWindowCapture bottom(second->GetSubMenu(7)->Hwnd());
    top.SaveArtifact(L"menu-open-level1");
    middle.SaveArtifact(L"menu-open-level2");
    bottom.SaveArtifact(L"menu-open-level3");
    for (const CWindowCapture* level : {&top, &middle, &bottom}) {
        EXPECT_EQ(level->Pixel(0, 0), Rgb(179, 211, 53));
        EXPECT_EQ(level->Pixel(level->Width() - 1, level->Height() - 1), Rgb(179, 211, 53));
        EXPECT_EQ(level->Pixel(2, 2), Rgb(0, 0, 0));
    }
    // The hovered line in the accent colour, the others grey.
    EXPECT_GT(CountPixels(top, {11, insert.top, 150, insert.bottom}, Rgb(179, 211, 53)), 5);
    const PixelRect first = root.Items()[0].rect;
    EXPECT_GT(CountPixels(top, {11, first.top, 150, first.bottom}, Rgb(170, 170, 170)), 5);
    EXPECT_EQ(CountPixels(top, {11, first.top, 150, first.bottom}, Rgb(179, 211, 53)), 0);
    // The arrow of the item with a sub-menu, filled grey, near the right edge.
    const int arrowX = top.Width() - 5 - 10 + 2;
    EXPECT_EQ(top.Pixel(arrowX, (insert.top + insert.bottom) / 2), Rgb(170, 170, 170));
    EXPECT_EQ(top.Pixel(arrowX, (first.top + first.bottom) / 2), Rgb(0, 0, 0));
    root.CloseMenu();
}

}  // namespace
