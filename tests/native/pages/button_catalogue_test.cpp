// The catalogue of button functions, the key names and the slot menus built from them.

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "fake_slot_menu.h"
#include "pages/logic/ButtonCatalogue.h"

namespace {

std::vector<int> Ids(const MenuLevel& level) {
    std::vector<int> ids;
    for (const MenuItem& item : level.Items()) {
        ids.push_back(item.id);
    }
    return ids;
}

TEST(KeyNames, RulesTableAndGaps) {
    // Codes without a name.
    for (uint32_t code : {0u, 3u, 5u, 6u, 7u, 10u, 94u, 108u, 136u, 169u, 254u, 256u, 1000u}) {
        EXPECT_EQ(KeyName(code), L"") << code;
    }
    // Digits of the main keyboard and of the keypad share their names.
    EXPECT_EQ(KeyName(48), L"0");
    EXPECT_EQ(KeyName(49), L"1");
    EXPECT_EQ(KeyName(97), L"1");
    EXPECT_EQ(KeyName(105), L"9");
    EXPECT_EQ(KeyName(65), L"A");
    EXPECT_EQ(KeyName(66), L"B");
    EXPECT_EQ(KeyName(90), L"Z");
    EXPECT_EQ(KeyName(112), L"F1");
    EXPECT_EQ(KeyName(124), L"F13");
    EXPECT_EQ(KeyName(135), L"F24");
    // Named codes, including the ones that share a name and the two with a trailing blank.
    EXPECT_EQ(KeyName(187), L"+");
    EXPECT_EQ(KeyName(107), L"+");
    EXPECT_EQ(KeyName(109), KeyName(189));
    EXPECT_EQ(KeyName(38), L"UP ARROW ");
    EXPECT_EQ(KeyName(175), L"Volume Up ");
    EXPECT_EQ(KeyName(13), L"ENTER");
    EXPECT_EQ(KeyName(27), L"ESC");
    EXPECT_EQ(KeyName(32), L"SPACE");
    EXPECT_EQ(KeyName(220), L"\\");
    EXPECT_EQ(KeyName(255), L"Fn");
    EXPECT_EQ(KeyName(1), L"Left Button");
    // The browser-back key is named like its neighbours.
    EXPECT_EQ(KeyName(166), L"Browser Back");
    EXPECT_EQ(KeyName(167), L"Browser Forward");
}

TEST(ButtonMenu, CatalogueInMenuOrderWithEmptyMacroLevel) {
    FakeSlotMenu slot;
    BuildButtonMenu(slot);
    ASSERT_NE(slot.menu, nullptr);
    EXPECT_EQ(Ids(*slot.menu), (std::vector<int>{255, 9, 10, 11, 12, 13, 14, 15}));
    const MenuLevel* commands = slot.menu->ExistingSubMenu(kDefaultCommandsItem);
    ASSERT_NE(commands, nullptr);
    EXPECT_EQ(Ids(*commands), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(slot.sizes[kDefaultCommandsItem], std::make_pair(100, 20));
    EXPECT_EQ(slot.menu->FindItem(6)->text, L"Dpi down");
    EXPECT_EQ(slot.menu->FindItem(13)->text, L"Single key assign...");
    // Codes 7 and 8 are carried by no item.
    EXPECT_EQ(slot.menu->FindItem(7), nullptr);
    EXPECT_EQ(slot.menu->FindItem(8), nullptr);
    // The macro item has no sub-menu until macros are listed.
    EXPECT_EQ(slot.menu->ExistingSubMenu(14), nullptr);
}

TEST(ButtonMenu, MacroSubMenusFollowTheListAndRefreshWithoutDuplicates) {
    std::array<FakeSlotMenu, 7> slots;
    std::array<SlotMenu*, 7> pointers{};
    for (int k = 0; k < 7; ++k) {
        BuildButtonMenu(slots[k]);
        pointers[k] = &slots[k];
    }
    const std::vector<MacroMenuEntry> macros = {
        {23, L"Reload"}, {17, L"Grenade and run"}, {40, L"Jump"}};
    RefreshMacroSubMenus(pointers, macros);
    RefreshMacroSubMenus(pointers, macros);
    for (FakeSlotMenu& slot : slots) {
        const MenuLevel* sub = slot.menu->ExistingSubMenu(14);
        ASSERT_NE(sub, nullptr);
        EXPECT_EQ(Ids(*sub), (std::vector<int>{23, 17, 40}));
        EXPECT_EQ(sub->Items()[1].text, L"Grenade and run");
        // Widest name (15 characters at 7 pixels) plus the margin, on every slot.
        EXPECT_EQ(slot.sizes[14], std::make_pair(15 * 7 + 50, 20));
        // Choosing the item 17 is a macro: the item says so by its id alone.
        EXPECT_EQ(slot.menu->FindItem(17)->text, L"Grenade and run");
    }
    // A macro deleted from the list disappears from every slot.
    RefreshMacroSubMenus(pointers, std::vector<MacroMenuEntry>{{40, L"Jump"}});
    EXPECT_EQ(Ids(*slots[6].menu->ExistingSubMenu(14)), (std::vector<int>{40}));
    EXPECT_EQ(slots[6].sizes[14], std::make_pair(4 * 7 + 50, 20));
    RefreshMacroSubMenus(pointers, {});
    EXPECT_TRUE(slots[0].menu->ExistingSubMenu(14)->Items().empty());
    EXPECT_EQ(slots[0].sizes[14], std::make_pair(50, 20));
}

TEST(ButtonMenu, RefreshSkipsSlotsWithoutMenus) {
    FakeSlotMenu built;
    FakeSlotMenu unbuilt;
    BuildButtonMenu(built);
    std::array<SlotMenu*, 2> pointers = {&unbuilt, &built};
    RefreshMacroSubMenus(pointers, std::vector<MacroMenuEntry>{{16, L"M"}});
    EXPECT_EQ(unbuilt.menu, nullptr);
    EXPECT_EQ(Ids(*built.menu->ExistingSubMenu(14)), (std::vector<int>{16}));
}

TEST(ButtonMenu, CaptionsOfStoredAssignments) {
    FakeSlotMenu slot;
    BuildButtonMenu(slot);
    std::array<SlotMenu*, 1> pointers = {&slot};
    RefreshMacroSubMenus(pointers, std::vector<MacroMenuEntry>{{20, L"Combo"}});
    EXPECT_EQ(AssignmentCaption(13, 66, L"", slot.menu.get()), L"B");
    EXPECT_EQ(AssignmentCaption(13, 0, L"", slot.menu.get()), L"");
    EXPECT_EQ(AssignmentCaption(14, 20, L"Stored name", slot.menu.get()), L"Stored name");
    EXPECT_EQ(AssignmentCaption(3, 0, L"", slot.menu.get()), L"Forward");
    EXPECT_EQ(AssignmentCaption(15, 9, L"", slot.menu.get()), L"Disable Button");
    // No caption: unused codes, the holder of the sub-menu, and a stored function that only a
    // macro item carries.
    for (int function : {7, 8, 255, 20, 200, -1}) {
        EXPECT_FALSE(AssignmentCaption(function, 0, L"", slot.menu.get())) << function;
    }
    EXPECT_FALSE(AssignmentCaption(3, 0, L"", nullptr));
}

}  // namespace
