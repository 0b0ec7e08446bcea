// The colour page as a real window under Wine: the LED mode and colour shown from a profile and
// stored again, with real clicks on "Select" and the zone boxes. Choosing zones and a palette
// colour and applying them runs end to end in the program (tests/e2e/mouse-page).

#include <gtest/gtest.h>

#include "PageTestHost.h"
#include "pages/ColorSettingsDlg.h"
#include "pages/logic/ColourPageLayout.h"
#include "profiles/Storage.h"
#include "skin/SkinImages.h"
#include "ui_test_support.h"

namespace {

template <typename Control>
Control* ControlOf(HWND dialog, int id) {
    return dynamic_cast<Control*>(CZelWnd::FromHandle(GetDlgItem(dialog, id)));
}

class ColourPageWine : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        SetSkinFolder(ApplicationFolder() / L".." / L".." / L".." / L"dist" / L"Skins");
    }
    void SetUp() override {
        ASSERT_TRUE(host.Open());
        ASSERT_TRUE(page.Create(host.Hwnd()));
        host.PlacePage(page);
        PumpFor(100);
    }
    void TearDown() override {
        MouseMoveTo(790, 700);
        page.DestroyWindow();
        host.DestroyWindow();
        PumpFor(50);
    }

    CZelButton& Button(int id) { return *ControlOf<CZelButton>(page.Hwnd(), id); }
    CZelCheckBox& Zone(int i) {
        return *ControlOf<CZelCheckBox>(page.Hwnd(), kColourPageZoneIds[i]);
    }
    std::wstring Tip() { return ControlOf<CZelStatic>(page.Hwnd(), IDC_COLOUR_TIP)->GetText(); }
    bool ZonesEnabled() {
        return IsWindowEnabled(GetDlgItem(page.Hwnd(), IDC_ZONE_WHEEL)) != FALSE;
    }

    CPageTestHost host{CPageTestHost::Mouse::kAbsent};
    CColorSettingsDlg page{host};
};

TEST_F(ColourPageWine, LoadShowsModesAndColour) {
    Profile stored;
    stored.ledMode = 16 + 2 + 4;
    stored.ledColour = 455174;
    page.LoadColourPage(stored);
    EXPECT_TRUE(Button(IDC_LED_SELECT).IsLatched());
    EXPECT_TRUE(ZonesEnabled());
    EXPECT_FALSE(Zone(0).IsChecked());
    EXPECT_TRUE(Zone(1).IsChecked() && Zone(2).IsChecked());
    EXPECT_EQ(Tip(), L"6.242.6");
    EXPECT_EQ(ControlOf<CZelStatic>(page.Hwnd(), IDC_SWATCH)->FillColour(), 0xFF06F206u);

    CWindowCapture(page.Hwnd()).SaveArtifact(L"colour-page-loaded");

    // A mode that is none of the three: nothing chosen, and saving keeps it.
    stored.ledMode = 5;
    page.LoadColourPage(stored);
    EXPECT_FALSE(Button(IDC_LED_ON).IsLatched() || Button(IDC_LED_OFF).IsLatched() ||
                 Button(IDC_LED_SELECT).IsLatched());
    EXPECT_FALSE(ZonesEnabled());
    // A disabled zone box takes no click.
    ClickControl(page.Hwnd(), IDC_ZONE_WHEEL);
    PumpFor(100);
    EXPECT_FALSE(Zone(0).IsChecked());
    Profile saved;
    saved.ledMode = 5;
    page.SaveColourPage(saved);
    EXPECT_EQ(saved.ledMode, 5);
    EXPECT_EQ(saved.ledColour, 455174u);
    // Choosing "Select" afterwards shows the zones as they were.
    ClickControl(page.Hwnd(), IDC_LED_SELECT);
    EXPECT_TRUE(PumpUntil([&] { return ZonesEnabled(); }));
    EXPECT_TRUE(Zone(1).IsChecked() && Zone(2).IsChecked());
    page.SaveColourPage(saved);
    EXPECT_EQ(saved.ledMode, 22);
}

}  // namespace
