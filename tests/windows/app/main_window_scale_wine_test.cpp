// The main window told that its display scale changed: it lays itself, its controls and its
// pages out again at the new scale, and what the user changed on a page and has not applied
// stays.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "app/ORVADlg.h"
#include "app/logic/MainDlgIds.h"
#include "app/logic/MainWindowLayout.h"
#include "base/ProgramFolder.h"
#include "pages/logic/PageIds.h"
#include "pages/logic/SensorPageIds.h"
#include "skin/SkinImages.h"
#include "ui_test_support.h"

namespace {

// The rectangle of a child in its parent's client pixels, as the layout tables give it.
PixelRect PlaceOf(HWND child) {
    const RECT r = RectInParent(child);
    return {r.left, r.top, r.right, r.bottom};
}

SIZE WindowSize(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

class MainWindowScale : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        SetSkinFolder(ApplicationFolder() / L".." / L".." / L".." / L"dist" / L"Skins");
    }
    void TearDown() override { SetSkinScale(DisplayScale::kBaseDpi); }

    // Sends the change as the system does; the window goes to the suggested corner.
    void ChangeDpi(uint32_t dpi) {
        RECT suggested{20, 10, 30, 20};
        SendMessageW(window.Hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        PumpFor(50);
    }
    // Checks the window and its controls against the layout at the scale.
    void ExpectLaidOutAt(uint32_t dpi) {
        const DisplayScale scale(dpi);
        EXPECT_EQ(SkinScale().Dpi(), dpi);
        const SIZE size = WindowSize(window.Hwnd());
        EXPECT_EQ(size.cx, scale.Scale(kMainWidth)) << dpi;
        EXPECT_EQ(size.cy, scale.Scale(kMainHeight)) << dpi;
        RECT r{};
        GetWindowRect(window.Hwnd(), &r);
        EXPECT_EQ(r.left, 20);
        EXPECT_EQ(r.top, 10);
        for (const ControlPlace& place : kPageButtonPlaces) {
            EXPECT_EQ(PlaceOf(GetDlgItem(window.Hwnd(), place.id)), scale.Scale(place.rect))
                << dpi << " DPI, control " << place.id;
        }
        EXPECT_EQ(PlaceOf(GetDlgItem(window.Hwnd(), kApplyPlace.id)),
                  scale.Scale(kApplyPlace.rect));
        HWND sensor = GetDlgItem(window.Hwnd(), IDD_SENSOR_PAGE);
        ASSERT_NE(sensor, nullptr);
        EXPECT_TRUE(IsWindowVisible(sensor)) << dpi;
        EXPECT_EQ(PlaceOf(sensor), scale.Scale(kPageRect)) << dpi;
    }
    int XAxis() const {
        HWND sensor = GetDlgItem(window.Hwnd(), IDD_SENSOR_PAGE);
        return static_cast<int>(
            SendMessageW(GetDlgItem(sensor, IDC_SENSOR_X_AXIS), TBM_GETPOS, 0, 0));
    }

    CORVADlg window;
};

TEST_F(MainWindowScale, ADpiChangeLaysEverythingOutAgainAndKeepsWhatWasNotApplied) {
    ASSERT_TRUE(window.Create(nullptr));
    ShowWindow(window.Hwnd(), SW_SHOWNOACTIVATE);
    SendMessageW(window.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_PAGE_SENSOR, BN_CLICKED), 0);
    ASSERT_TRUE(PumpUntilPainted(window.Hwnd()));
    // At 96 DPI the window is its layout as it has always been. A click on the X slider's
    // track sets a resolution that nothing has applied.
    ChangeDpi(96);
    ExpectLaidOutAt(96);
    HWND sensor = GetDlgItem(window.Hwnd(), IDD_SENSOR_PAGE);
    HWND slider = GetDlgItem(sensor, IDC_SENSOR_X_AXIS);
    const POINT onTrack = ToScreen(slider, 134, 15);
    PointerOver(slider);
    ClickAt(onTrack.x, onTrack.y);
    PumpFor(50);
    ASSERT_EQ(XAxis(), 1800);

    for (const uint32_t dpi : {192u, 144u, 96u}) {
        ChangeDpi(dpi);
        ExpectLaidOutAt(dpi);
        EXPECT_EQ(XAxis(), 1800) << dpi;
        ASSERT_TRUE(PumpUntilPainted(window.Hwnd()));
        if (dpi == 192) {
            CWindowCapture(window.Hwnd()).SaveArtifact(L"main-window-after-dpi-change-192dpi");
        }
    }
    window.DestroyWindow();
}

}  // namespace
