// The mouse page's rules: the left-click guard and the other choices in a slot's menu, what a
// save stores in the profile (with macro copies), and how a profile is shown.

#include <gtest/gtest.h>

#include <array>

#include "fake_slot_menu.h"
#include "macros/MacroCollection.h"
#include "pages/logic/ButtonCatalogue.h"
#include "pages/logic/MousePageRules.h"

namespace {

using Functions = std::array<int, kButtonCount>;
constexpr Functions kDefaults = {0, 1, 2, 3, 4, 5, 6};

// Picks an item the way the page and its drop-down button together handle it; returns what the
// page decided.
SlotChoice Choose(Functions& functions, int slot, int choice) {
    SlotChoice decision = DecideSlotChoice(functions, slot, choice);
    if (decision == SlotChoice::kButtonApplies || decision == SlotChoice::kTakeMacro ||
        decision == SlotChoice::kTakeEmptyMacro) {
        functions[slot] = decision == SlotChoice::kButtonApplies ? choice : kFunctionMacro;
    }
    return decision;
}

TEST(MouseSlotChoice, LeftClickGuardKeepsOneLeftClick) {
    Functions functions = kDefaults;
    // The only left click cannot go, whatever is chosen instead.
    for (int choice : {1, 9, 13, 14, 15, 16, 300}) {
        EXPECT_EQ(Choose(functions, 0, choice), SlotChoice::kWarnLastLeftClick) << choice;
        EXPECT_EQ(functions[0], 0);
    }
    // Choosing left click where it already is never warns.
    EXPECT_EQ(Choose(functions, 0, 0), SlotChoice::kButtonApplies);
    // With a second left click on slot 1, slot 0 may change; then slot 1 is the last one.
    EXPECT_EQ(Choose(functions, 1, 0), SlotChoice::kButtonApplies);
    EXPECT_EQ(Choose(functions, 0, 1), SlotChoice::kButtonApplies);
    EXPECT_EQ(functions, (Functions{1, 0, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Choose(functions, 1, 15), SlotChoice::kWarnLastLeftClick);
    // Slots without the left click are free.
    EXPECT_EQ(Choose(functions, 6, 13), SlotChoice::kCaptureKey);
    EXPECT_EQ(Choose(functions, 5, 23), SlotChoice::kTakeMacro);
    EXPECT_EQ(Choose(functions, 4, 14), SlotChoice::kTakeEmptyMacro);
    EXPECT_EQ(Choose(functions, 3, 12), SlotChoice::kButtonApplies);
    EXPECT_EQ(functions, (Functions{1, 0, 2, 12, 14, 14, 6}));
}

class MousePageSave : public ::testing::Test {
  protected:
    MousePageSave() {
        macros.AddMacro(20, u"Reload", MacroRect{0, 0, 200, 200})
            .InsertEvent(kEventKey, 82, kActionPress, 0, kPlaceAtEnd);
        macros.AddMacro(31, u"Jump", MacroRect{0, 0, 200, 200});
        for (int k = 0; k < kButtonCount; ++k) {
            page.slots[k] = {k, -1};
        }
        page.controls.rateBoxes = {false, false, false, true};
        page.controls.doubleClick = 600;
        page.controls.scrollLines = 4;
    }

    MacroCollection macros;
    MousePageState page;
    Profile profile;
};

TEST_F(MousePageSave, SlotsKeysAndMacros) {
    profile.buttons[2].value = 77;
    page.slots[1] = {kFunctionSingleKey, 66};
    page.slots[2] = {kFunctionForward, 5};  // the value of a plain function is not stored
    page.slots[3] = {kFunctionMacro, 20};
    page.slots[4] = {kFunctionMacro, 99};  // the macro was deleted before the save
    page.slots[5] = {kFunctionMacro, 0};   // "Assign record macro" without any macro
    SaveMousePageState(page, profile, macros);

    EXPECT_EQ(profile.buttons[1].function, kFunctionSingleKey);
    EXPECT_EQ(profile.buttons[1].value, 66);
    EXPECT_EQ(profile.buttons[2].function, kFunctionForward);
    EXPECT_EQ(profile.buttons[2].value, 77);
    EXPECT_EQ(profile.buttons[3].function, kFunctionMacro);
    EXPECT_EQ(profile.buttons[3].value, 20);
    ASSERT_EQ(profile.macros[3].events.size(), 2u);
    EXPECT_EQ(profile.macros[3].name, u"Reload");
    EXPECT_EQ(profile.macros[3].events[0], (CMacroEvent{kEventKey, 82, kActionPress, 0}));
    EXPECT_EQ(profile.macros[3].events[1], CMacroEvent{});
    // Missing macros send the buttons back to their defaults.
    EXPECT_EQ(profile.buttons[4].function, 4);
    EXPECT_EQ(profile.buttons[4].value, 0);
    EXPECT_EQ(profile.buttons[5].function, 5);
    EXPECT_EQ(profile.buttons[5].value, 0);

    // Deleting the bound macro and saving again falls back as well, keeping the old copy.
    macros.RemoveMacro(20);
    SaveMousePageState(page, profile, macros);
    EXPECT_EQ(profile.buttons[3].function, 3);
    EXPECT_EQ(profile.buttons[3].value, 0);
    EXPECT_EQ(profile.macros[3].name, u"Reload");
}

TEST_F(MousePageSave, ReportRateAndSystemSettings) {
    const std::array<int16_t, 4> codes = {5, 3, 1, 0};
    for (int box = 0; box < 4; ++box) {
        page.controls.rateBoxes = {};
        page.controls.rateBoxes[box] = true;
        SaveMousePageState(page, profile, macros);
        EXPECT_EQ(profile.reportRate, codes[box]);
    }
    // No box checked (only after loading an unknown code) keeps the stored code.
    profile.reportRate = 7;
    page.controls.rateBoxes = {};
    page.controls.scrollByLines = false;
    page.controls.scrollByPage = true;
    page.controls.accelerationOn = true;
    page.controls.accelerationLevel = 2;
    SaveMousePageState(page, profile, macros);
    EXPECT_EQ(profile.reportRate, 7);
    EXPECT_EQ(profile.doubleClickValue, 600);
    EXPECT_EQ(profile.scrollLines, 4);
    EXPECT_EQ(profile.scrollByLines, 0);
    EXPECT_EQ(profile.scrollByPage, 1);
    EXPECT_EQ(profile.accelerationOn, 1);
    EXPECT_EQ(profile.accelerationLevel, 2);
}

TEST(MousePageLoad, ControlsShowTheProfile) {
    Profile profile;
    const std::array<int16_t, 5> codes = {5, 3, 1, 0, 7};
    for (int i = 0; i < 5; ++i) {
        profile.reportRate = codes[i];
        MouseControls c = MouseControlsForProfile(profile);
        for (int box = 0; box < 4; ++box) {
            EXPECT_EQ(c.rateBoxes[box], box == i) << codes[i];
        }
    }
    // Stored positions inside the range are shown unsnapped; outside it at the nearest end.
    profile.doubleClickValue = 500;
    profile.scrollLines = 3;
    profile.accelerationLevel = 2;
    profile.scrollByLines = 0;
    profile.scrollByPage = 1;
    profile.accelerationOn = 1;
    MouseControls c = MouseControlsForProfile(profile);
    EXPECT_EQ(c.doubleClick, 500);
    EXPECT_EQ(c.scrollLines, 3);
    EXPECT_EQ(c.accelerationLevel, 2);
    EXPECT_FALSE(ScrollSliderEnabled(c));
    EXPECT_TRUE(c.scrollByPage);
    EXPECT_TRUE(AccelerationSliderEnabled(c));

    profile.doubleClickValue = -30000;
    profile.scrollLines = 40;
    profile.accelerationLevel = -1;
    profile.scrollByLines = 1;
    profile.accelerationOn = 0;
    c = MouseControlsForProfile(profile);
    EXPECT_EQ(c.doubleClick, 200);
    EXPECT_EQ(c.scrollLines, 6);
    EXPECT_EQ(c.accelerationLevel, 0);
    EXPECT_TRUE(ScrollSliderEnabled(c));
    EXPECT_FALSE(AccelerationSliderEnabled(c));
}

TEST(MousePageLoad, SlotsShowKeysMacrosAndFunctions) {
    FakeSlotMenu menu;
    BuildButtonMenu(menu);
    Profile profile;
    profile.buttons[0] = {0, kFunctionSingleKey, 27, 0};
    profile.buttons[1] = {1, kFunctionMacro, 31, 1};
    profile.macros[1].name = u"Jump";
    profile.buttons[2] = {2, kFunctionProfileUp, 12, 2};
    profile.buttons[3] = {3, 8, 0, 3};
    profile.buttons[4] = {4, 255, 0, 4};

    auto key = SlotForProfile(profile, 0, menu.menu.get());
    ASSERT_TRUE(key);
    EXPECT_EQ(key->caption, L"ESC");
    EXPECT_EQ(key->function, kFunctionSingleKey);
    EXPECT_EQ(key->value, 27);
    auto macro = SlotForProfile(profile, 1, menu.menu.get());
    ASSERT_TRUE(macro);
    EXPECT_EQ(macro->caption, L"Jump");
    EXPECT_EQ(macro->value, 31);
    // A plain function takes its item's text and leaves the slot's value alone.
    auto plain = SlotForProfile(profile, 2, menu.menu.get());
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->caption, L"Profile switch up");
    EXPECT_EQ(plain->function, kFunctionProfileUp);
    EXPECT_FALSE(plain->value);
    EXPECT_FALSE(SlotForProfile(profile, 3, menu.menu.get()));
    EXPECT_FALSE(SlotForProfile(profile, 4, menu.menu.get()));
    EXPECT_FALSE(SlotForProfile(profile, 7, menu.menu.get()));
}

}  // namespace
