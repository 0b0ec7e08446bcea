// The sensor page and a list of the macro page's kind laid out at 200 % beside 100 %: every
// control sits at its layout rectangle scaled, and clicks at scaled places land on the slider
// value, menu item and list row they land on at 100 %.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "PageTestHost.h"
#include "base/ProgramFolder.h"
#include "pages/SensorDlg.h"
#include "pages/logic/SensorPageLayout.h"
#include "skin/SkinImages.h"
#include "skin/ZelListBox.h"
#include "ui_test_support.h"

namespace {

// The rectangle of a child in its parent's client pixels, as the layout tables give it.
PixelRect PlaceOf(HWND child) {
    const RECT r = RectInParent(child);
    return {r.left, r.top, r.right, r.bottom};
}

// The visible skinned menu level of this thread, or null.
HWND OpenMenu() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM out) noexcept {
            wchar_t title[16]{};
            GetWindowTextW(window, title, 16);
            if (IsWindowVisible(window) && std::wstring(title) == L"menu") {
                *reinterpret_cast<HWND*>(out) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

class ScaledPage : public testing::TestWithParam<uint32_t> {
  protected:
    static void SetUpTestSuite() {
        SetSkinFolder(ApplicationFolder() / L".." / L".." / L".." / L"dist" / L"Skins");
    }
    void SetUp() override { SetSkinScale(GetParam()); }
    // The other tests of this program run at 96 DPI.
    void TearDown() override { SetSkinScale(DisplayScale::kBaseDpi); }

    const DisplayScale scale{GetParam()};
};

TEST_P(ScaledPage, ControlsSitAtTheirScaledPlacesAndClicksLandWhereTheyDoAt96Dpi) {
    CPageTestHost host;
    ASSERT_TRUE(host.Open(scale.Scale(800), scale.Scale(360)));
    CSensorDlg page{host};
    ASSERT_TRUE(page.Create(host.Hwnd()));
    page.Move(0, 0, scale.Scale(777), scale.Scale(337));
    page.Show(true);
    page.LoadSensorPage(host.CurrentProfile());
    ASSERT_TRUE(PumpUntilPainted(host.Hwnd()));
    const std::wstring shot = L"pages-sensor-page-" + std::to_wstring(scale.Dpi()) + L"dpi";
    CWindowCapture(page.Hwnd()).SaveArtifact(shot.c_str());

    // The page takes its background's size, which is the 96-DPI page scaled.
    const RECT client = page.ClientRect();
    EXPECT_EQ(client.right, scale.Scale(777));
    EXPECT_EQ(client.bottom, scale.Scale(337));
    for (const ControlPlace& place : kSensorPageLayout) {
        HWND control = GetDlgItem(page.Hwnd(), place.id);
        ASSERT_NE(control, nullptr) << place.id;
        EXPECT_EQ(PlaceOf(control), scale.Scale(place.rect)) << place.id;
    }

    // x 134 of the 410-pixel track selects 1800 at 96 DPI; the same point scaled does here.
    HWND slider = GetDlgItem(page.Hwnd(), IDC_SENSOR_X_AXIS);
    const POINT onTrack = ToScreen(slider, scale.Scale(134), scale.Scale(15));
    PointerOver(slider);
    ClickAt(onTrack.x, onTrack.y);
    PumpFor(50);
    EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 1800);

    // The step menu opens below its button with its items in lines of the scaled font; the
    // middle of the third line chooses step 3.
    ClickControl(page.Hwnd(), IDC_SENSOR_DPI_STEP);
    ASSERT_TRUE(PumpUntil([] { return OpenMenu() != nullptr; }));
    HWND menu = OpenMenu();
    RECT level{};
    GetWindowRect(menu, &level);
    const int margin = scale.Scale(4);
    const int line = (level.bottom - level.top - 2 * margin) / 3;
    EXPECT_GE(level.right - level.left, scale.Scale(58));  // the button's width less 2
    EXPECT_GE(line, scale.Scale(15));                      // the font's height, scaled
    ClickAt(level.left + scale.Scale(20), level.top + margin + 2 * line + line / 2);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(menu); }));
    Profile saved;
    page.SaveSensorPage(saved);
    EXPECT_EQ(saved.dpiStage, 3);
}

TEST_P(ScaledPage, ListRowsStandAtTheirScaledPlacesAndAClickChoosesTheRowUnderIt) {
    CPageTestHost host;
    ASSERT_TRUE(host.Open(scale.Scale(300), scale.Scale(200)));
    CZelListBox list;
    ASSERT_TRUE(list.CreateChild({.parent = host.Hwnd(),
                                  .systemClass = L"STATIC",
                                  .style = WS_VISIBLE | SS_NOTIFY,
                                  .rect = ScaledRect(PixelRect{10, 10, 210, 110}),
                                  .id = 100}));
    list.SetUpScrollBar();
    for (int i = 1; i <= 8; ++i) {
        list.AddItemWithId(L"macro " + std::to_wstring(i), i);
    }
    PumpFor(50);
    // Eight rows of 18 pixels overflow the 100 pixels: the scroll bar shows, as wide as its
    // art at the scale, and the last rows are in view.
    ASSERT_TRUE(PumpUntilPainted(host.Hwnd()));
    const std::wstring shot = L"pages-list-" + std::to_wstring(scale.Dpi()) + L"dpi";
    CWindowCapture(list.Hwnd()).SaveArtifact(shot.c_str());
    ASSERT_TRUE(list.ScrollBar().IsVisible());
    EXPECT_EQ(PlaceOf(list.ScrollBar().Hwnd()).Width(), scale.Scale(23));
    int rowsInView = 0;
    for (int32_t index = 0; index < 8; ++index) {
        const PixelRect row = list.Entries()[static_cast<size_t>(index)].rect;
        if (row.top < 0 || row.bottom > 100) {
            continue;
        }
        ++rowsInView;
        // The last pixel row of the row's scaled rectangle (left of the scroll bar), then its
        // top left corner: each is that row.
        for (const auto& [x, y] :
             {std::pair{scale.Scale(row.right) - 1 - scale.Scale(30), scale.Scale(row.bottom) - 1},
              std::pair{scale.Scale(row.left), scale.Scale(row.top)}}) {
            const POINT at = ToScreen(list.Hwnd(), x, y);
            ClickAt(at.x, at.y);
            PumpFor(30);
            EXPECT_EQ(SendMessageW(list.Hwnd(), LB_GETCURSEL, 0, 0), index) << x << "," << y;
        }
    }
    EXPECT_GE(rowsInView, 4);
}

INSTANTIATE_TEST_SUITE_P(AtEachScale, ScaledPage, testing::Values(96u, 144u, 192u),
                         [](const testing::TestParamInfo<uint32_t>& info) {
                             return std::to_string(info.param) + "dpi";
                         });

}  // namespace
