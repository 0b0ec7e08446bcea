#include "profiles/Profile.h"

#include <gtest/gtest.h>

namespace {

CButtonMacro MacroWithEvents(int32_t id, std::u16string name, int recorded) {
    CButtonMacro macro{std::move(name), id, {}};
    for (int i = 0; i < recorded; ++i)
        macro.events.push_back({kEventKey, static_cast<int16_t>(0x41 + i), kActionPress, 10 * i});
    macro.events.push_back({});  // terminator
    return macro;
}

TEST(Profile, NewProfileHoldsTheDefaults) {
    Profile p;
    EXPECT_EQ(p.imageLength, 179);
    EXPECT_EQ(p.reportRate, kReportRate1000Hz);
    EXPECT_EQ(p.dpi, (std::array<int16_t, 6>{9, 9, 23, 23, 45, 45}));  // 810, 2070, 4050 dpi
    EXPECT_EQ(p.pointerSpeed, 6);
    EXPECT_EQ(p.liftDistance, 12);
    EXPECT_EQ(p.ledMode, kLedAllOn);
    EXPECT_EQ(p.ledColour & 0xFF, 6u);
    EXPECT_EQ((p.ledColour >> 8) & 0xFF, 242u);
    EXPECT_EQ((p.ledColour >> 16) & 0xFF, 6u);
    EXPECT_EQ(p.doubleClickValue, SystemDoubleClickTime());
    for (int k = 0; k < kButtonCount; ++k) {
        EXPECT_EQ(p.buttons[k].buttonIndex, k);
        EXPECT_EQ(p.buttons[k].function, k);
        EXPECT_EQ(p.buttons[k].defaultFunction, k);
        EXPECT_TRUE(p.macros[k].events.empty());
    }
}

TEST(Profile, ResetKeepsNameIndexAndMacroCopiesButResetsButtons) {
    Profile p;
    p.name = u"Gaming";
    p.index = 3;
    p.buttons[4].function = kFunctionMacro;
    p.buttons[4].value = 7;
    const CButtonMacro macro = MacroWithEvents(7, u"burst", 2);
    p.AssignMacro(p.buttons[4], &macro);
    p.dpi[0] = 60;
    p.ledMode = 0;
    p.liftDistance = 30;

    p.ResetProfile();
    EXPECT_EQ(p.name, u"Gaming");
    EXPECT_EQ(p.index, 3);
    EXPECT_EQ(p.macros[4], macro);
    EXPECT_EQ(p.buttons[4].function, kFunctionBack);
    EXPECT_EQ(p.buttons[4].value, 0);
    EXPECT_EQ(p.dpi[0], 9);
    EXPECT_EQ(p.ledMode, kLedAllOn);
    EXPECT_EQ(p.liftDistance, 12);
}

TEST(Profile, AssignMacroCopiesOnlyForMacroButtonsAndFallsBackWithoutMacro) {
    Profile p;
    CButtonMacro macro = MacroWithEvents(3, u"combo", 3);

    p.AssignMacro(p.buttons[1], &macro);  // button 1 is not a macro button
    EXPECT_TRUE(p.macros[1].events.empty());

    p.buttons[1].function = kFunctionMacro;
    p.buttons[1].value = 3;
    p.AssignMacro(p.buttons[1], &macro);
    macro.events.clear();  // the profile holds its own copy
    EXPECT_EQ(p.macros[1].events.size(), 4u);
    EXPECT_EQ(p.MacroNameForButton(p.buttons[1]), u"combo");

    p.buttons[2].function = kFunctionSingleKey;
    p.buttons[2].value = 0x41;
    p.AssignMacro(p.buttons[2], nullptr);
    EXPECT_EQ(p.buttons[2].function, 2);
    EXPECT_EQ(p.buttons[2].value, 0);

    ButtonAssignment stray{9, kFunctionMacro, 1, 0};
    p.AssignMacro(stray, &macro);  // an index outside 0..6 binds nothing
    EXPECT_EQ(p.MacroNameForButton(stray), u"");
}

}  // namespace
