// The sensor page with real input, for what the end-to-end test does not reach: the separate box
// deciding whether Y follows X, and what the page saves into a profile.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "PageTestHost.h"
#include "pages/SensorDlg.h"
#include "pages/logic/SensorPageLayout.h"
#include "profiles/Storage.h"
#include "skin/SkinImages.h"
#include "ui_test_support.h"

namespace {

int SliderPos(HWND page, int id) {
    return static_cast<int>(SendMessageW(GetDlgItem(page, id), TBM_GETPOS, 0, 0));
}

// Drags a slider's thumb from where it stands to a client x of the slider.
void DragSlider(HWND page, int id, int toX) {
    HWND slider = GetDlgItem(page, id);
    const int position = SliderPos(page, id);
    const ControlPlace& place = *FindPlace(kSensorPageLayout, id);
    const int minimum = static_cast<int>(SendMessageW(slider, TBM_GETRANGEMIN, 0, 0));
    const int maximum = static_cast<int>(SendMessageW(slider, TBM_GETRANGEMAX, 0, 0));
    constexpr int kThumb = 12;
    const int travel = place.rect.Width() - kThumb;
    const int range = maximum > minimum ? maximum - minimum : 1;
    const int fromX = travel * (position - minimum) / range + kThumb / 2;
    const POINT from = ToScreen(slider, fromX, place.rect.Height() / 2);
    const POINT to = ToScreen(slider, toX, place.rect.Height() / 2);
    PointerOver(slider);
    MouseMoveTo(from.x, from.y);
    MouseLeftDown();
    MouseMoveTo((from.x + to.x) / 2, to.y);
    MouseMoveTo(to.x, to.y);
    MouseLeftUp();
    PumpFor(50);
}

class SensorPageWineTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        SetSkinFolder(ApplicationFolder() / L".." / L".." / L".." / L"dist" / L"Skins");
    }
    void SetUp() override {
        ASSERT_TRUE(host.Open(800, 360));
        ASSERT_TRUE(page.Create(host.Hwnd()));
        page.Move(10, 10, 777, 337);
        page.Show(true);
        page.LoadSensorPage(host.CurrentProfile());
        PumpFor(100);
    }
    HWND Page() const { return page.Hwnd(); }

    CPageTestHost host;
    CSensorDlg page{host};
};

TEST_F(SensorPageWineTest, DraggedSlidersReachTheProfileAndTheSeparateBoxDecidesWhatFollows) {
    Profile& profile = host.CurrentProfile();
    // Profile 1 shows step 2 (23 units) on both sliders.
    EXPECT_EQ(SliderPos(Page(), IDC_SENSOR_X_AXIS), 23 * 90);
    EXPECT_EQ(SliderPos(Page(), IDC_SENSOR_Y_AXIS), 23 * 90);
    CWindowCapture(Page()).SaveArtifact(L"pages-sensor-page");

    // x 134 of the 410-pixel track selects 1800.
    DragSlider(Page(), IDC_SENSOR_X_AXIS, 134);
    EXPECT_EQ(SliderPos(Page(), IDC_SENSOR_X_AXIS), 1800);
    EXPECT_EQ(SliderPos(Page(), IDC_SENSOR_Y_AXIS), 1800);
    EXPECT_EQ(profile.dpi[2], 20);
    EXPECT_EQ(profile.dpi[3], 20);

    // Separation on: Y moves alone.
    ClickControl(Page(), IDC_SENSOR_SEPARATE);
    EXPECT_EQ(SendMessageW(GetDlgItem(Page(), IDC_SENSOR_SEPARATE), BM_GETCHECK, 0, 0),
              BST_CHECKED);
    DragSlider(Page(), IDC_SENSOR_Y_AXIS, 6 + 398 * (900 - 90) / 5310);
    EXPECT_EQ(SliderPos(Page(), IDC_SENSOR_Y_AXIS), 900);
    EXPECT_EQ(SliderPos(Page(), IDC_SENSOR_X_AXIS), 1800);
    EXPECT_EQ(profile.dpi[2], 20);
    EXPECT_EQ(profile.dpi[3], 10);

    // Separation off again: Y comes back to X and is stored.
    ClickControl(Page(), IDC_SENSOR_SEPARATE);
    EXPECT_EQ(SliderPos(Page(), IDC_SENSOR_Y_AXIS), 1800);
    EXPECT_EQ(profile.dpi[3], 20);

    Profile saved;
    page.SaveSensorPage(saved);
    EXPECT_EQ(saved.dpiStage, 2);
    EXPECT_EQ(saved.separateXY, 0);
    EXPECT_EQ(saved.pointerSpeed, profile.pointerSpeed);
    EXPECT_EQ(saved.liftDistance, profile.liftDistance);
}

}  // namespace
