#include <gtest/gtest.h>

#include "skin/logic/MenuTree.h"

namespace {

// Measures 7 pixels per character, like a small fixed font.
class FixedFontLevel : public MenuLevel {
  public:
    using MenuLevel::MenuLevel;

  protected:
    std::unique_ptr<MenuLevel> MakeSubLevel(int32_t levelId) override {
        return std::make_unique<FixedFontLevel>(levelId);
    }
    int32_t MeasureTextWidth(const std::wstring& text) const override {
        return static_cast<int32_t>(text.size()) * 7;
    }
};

// The macro editor's context menu: six root items, mouse buttons below item 3, actions below
// each button.
void BuildEditorMenu(MenuLevel& root) {
    for (int32_t id = 1; id <= 6; ++id) {
        root.AddItem(id, L"item " + std::to_wstring(id));
    }
    root.AddSubItem(3, 7, L"Left button");
    root.AddSubItem(3, 11, L"Right button");
    root.AddSubItem(3, 27, L"Scroll wheel");
    root.AddThirdLevelItem(7, 8, L"Down");
    root.AddThirdLevelItem(7, 9, L"Up");
    root.AddThirdLevelItem(7, 10, L"Click");
    root.AddThirdLevelItem(27, 28, L"Down");
}

TEST(MenuBuilding, AddItemIgnoresAnIdThatIsPresent) {
    FixedFontLevel menu(42);
    menu.AddItem(100, L"Config Mouse");
    menu.AddItem(101, L"Exit");
    menu.AddItem(100, L"Other");
    ASSERT_EQ(menu.Items().size(), 2u);
    EXPECT_EQ(menu.Items()[0].text, L"Config Mouse");
    EXPECT_EQ(menu.Items()[0].enabled, 1);
    EXPECT_EQ(menu.Items()[0].hasSubMenu, 0);
}

TEST(MenuBuilding, SubItemsNeedAParentItem) {
    FixedFontLevel menu(1);
    menu.AddItem(255, L"Default Commands");
    menu.AddSubItem(14, 20, L"Macro");
    EXPECT_TRUE(menu.SubMenus().empty());
    EXPECT_EQ(menu.ExistingSubMenu(14), nullptr);

    menu.AddSubItem(255, 0, L"Left Click");
    menu.AddSubItem(255, 1, L"Right Click");
    ASSERT_EQ(menu.SubMenus().size(), 1u);
    MenuLevel* sub = menu.ExistingSubMenu(255);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->Id(), 255);
    EXPECT_EQ(sub->ParentLevel(), &menu);
    EXPECT_EQ(sub->Items().size(), 2u);
    EXPECT_EQ(menu.Items()[0].hasSubMenu, 1);
    // Asking again returns the same level.
    EXPECT_EQ(menu.GetSubMenu(255), sub);
}

TEST(MenuBuilding, ThirdLevelHangsBelowItemThree) {
    FixedFontLevel root(5000);
    BuildEditorMenu(root);
    MenuLevel* second = root.ExistingSubMenu(3);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Items().size(), 3u);
    MenuLevel* third = second->ExistingSubMenu(7);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->Items().size(), 3u);
    EXPECT_EQ(third->ParentLevel(), second);
    EXPECT_EQ(second->ExistingSubMenu(11), nullptr);

    // Without an item 3 nothing is added anywhere.
    FixedFontLevel flat(1);
    flat.AddItem(1, L"one");
    flat.AddThirdLevelItem(7, 8, L"Down");
    EXPECT_TRUE(flat.SubMenus().empty());
}

TEST(MenuBuilding, RemoveAllItemsKeepsTheSubLevels) {
    FixedFontLevel root(5000);
    BuildEditorMenu(root);
    root.SetHoveredIndex(2);
    MenuLevel* second = root.ExistingSubMenu(3);
    root.RemoveAllItems();
    EXPECT_TRUE(root.Items().empty());
    EXPECT_EQ(root.HoveredIndex(), -1);
    EXPECT_EQ(root.ExistingSubMenu(3), second);
    EXPECT_EQ(second->Items().size(), 3u);
}

TEST(MenuLookUp, FindItemSearchesThisLevelFirstThenDepthFirst) {
    FixedFontLevel root(5000);
    BuildEditorMenu(root);
    const MenuItem* click = root.FindItem(10);
    ASSERT_NE(click, nullptr);
    EXPECT_EQ(click->text, L"Click");
    ASSERT_NE(root.FindItem(28), nullptr);
    EXPECT_EQ(root.FindItem(28)->text, L"Down");
    EXPECT_EQ(root.FindItem(11)->text, L"Right button");
    EXPECT_EQ(root.FindItem(99), nullptr);

    // An id on this level wins over the same id deeper down.
    root.AddThirdLevelItem(11, 4, L"deep four");
    EXPECT_EQ(root.FindItem(4)->text, L"item 4");
    // Among sub-levels, the first sub-level's own sub-levels come before the next sub-level.
    FixedFontLevel tree(1);
    tree.AddItem(3, L"three");
    tree.AddItem(5, L"five");
    tree.AddSubItem(3, 7, L"seven");
    tree.AddSubItem(5, 9, L"nine in five");
    tree.AddThirdLevelItem(7, 9, L"nine below seven");
    EXPECT_EQ(tree.FindItem(9)->text, L"nine below seven");
}

TEST(MenuLookUp, MaxTextWidthMeasuresTheLevelAndCreatesAMissingOne) {
    FixedFontLevel root(5000);
    BuildEditorMenu(root);
    EXPECT_EQ(root.MaxTextWidth(5000), 6 * 7);
    EXPECT_EQ(root.MaxTextWidth(3), 12 * 7);  // "Right button", "Scroll wheel"
    EXPECT_EQ(root.MaxTextWidth(14), 0);
    MenuLevel* created = root.ExistingSubMenu(14);
    ASSERT_NE(created, nullptr);
    EXPECT_TRUE(created->Items().empty());
    EXPECT_EQ(created->ParentLevel(), &root);
}

TEST(MenuLayout, LinesStackFromFourPixelsDown) {
    FixedFontLevel menu(1);
    EXPECT_EQ(menu.LayoutItems(105, 17), 0);
    menu.AddItem(100, L"Config Mouse");
    menu.AddItem(101, L"Exit");
    EXPECT_EQ(menu.LayoutItems(105, 17), 2 * 17 + 8);
    EXPECT_EQ(menu.Items()[0].rect, (PixelRect{1, 4, 90, 21}));
    EXPECT_EQ(menu.Items()[1].rect, (PixelRect{1, 21, 90, 38}));
    EXPECT_EQ(menu.HitTest(10, 4), 0);
    EXPECT_EQ(menu.HitTest(10, 21), 1);
    EXPECT_EQ(menu.HitTest(10, 3), -1);
    EXPECT_EQ(menu.HitTest(95, 10), -1);  // the arrow margin is no item
}

TEST(MenuLayout, AtAScaleTheMarginsAndColumnsScaleAndTheLinesTakeTheMeasuredHeight) {
    // At 200 % the font measures twice as wide and high; the whole level is then twice its
    // 96-DPI self, so a pointer on a doubled line hits that line.
    class DoubleFontLevel : public FixedFontLevel {
      public:
        using FixedFontLevel::FixedFontLevel;

      protected:
        int32_t MeasureTextWidth(const std::wstring& text) const override {
            return 2 * FixedFontLevel::MeasureTextWidth(text);
        }
    };
    FixedFontLevel base(1);
    DoubleFontLevel doubled(1);
    const DisplayScale x2(192);
    for (MenuLevel* level : {static_cast<MenuLevel*>(&base), static_cast<MenuLevel*>(&doubled)}) {
        level->AddItem(1, L"Start record before event");
        level->AddItem(2, L"Insert mouse event");
        level->AddSubItem(2, 3, L"Left button");
    }
    const int32_t baseWidth = base.FittingWidth(50);
    EXPECT_EQ(doubled.FittingWidth(100, x2), 2 * baseWidth);
    EXPECT_EQ(doubled.LayoutItems(2 * baseWidth, 34, x2), 2 * base.LayoutItems(baseWidth, 17));
    for (size_t i = 0; i < base.Items().size(); ++i) {
        const PixelRect& r = base.Items()[i].rect;
        EXPECT_EQ(doubled.Items()[i].rect,
                  (PixelRect{2 * r.left, 2 * r.top, 2 * r.right, 2 * r.bottom}));
        EXPECT_EQ(doubled.HitTest(2 * r.left, 2 * r.bottom - 1), static_cast<int32_t>(i));
    }
    EXPECT_EQ(doubled.HitTest(2 * baseWidth - 1, 10), -1);  // the arrow column, doubled
    // At 150 % the margins follow the one rounding rule.
    FixedFontLevel at150(1);
    at150.AddItem(1, L"Exit");
    EXPECT_EQ(at150.LayoutItems(158, 25, DisplayScale(144)), 25 + 2 * 6);
    EXPECT_EQ(at150.Items()[0].rect, (PixelRect{2, 6, 158 - 23, 31}));
}

TEST(MenuLayout, ALevelIsAsWideAsItsWidestTextNeedsButNeverNarrower) {
    FixedFontLevel menu(1);
    EXPECT_EQ(menu.FittingWidth(50), 50);
    menu.AddItem(1, L"Exit");
    EXPECT_EQ(menu.FittingWidth(105), 105);
    menu.AddItem(2, L"Start record before event");
    menu.AddSubItem(2, 3, L"x");
    const int32_t text = 25 * 7;
    const int32_t width = menu.FittingWidth(50);
    menu.LayoutItems(width, 17);
    // The text starts kMenuTextIndent into its line and ends before the line does, where the
    // sub-menu arrow begins; the level is no wider than that needs.
    const PixelRect& line = menu.Items()[1].rect;
    EXPECT_LE(line.left + kMenuTextIndent + text, line.right);
    EXPECT_LE(width, text + 2 * kMenuTextIndent + 2 * kMenuArrowColumn);
    // Without a sub-menu a text only has to stay inside the frame.
    FixedFontLevel plain(2);
    plain.AddItem(1, L"Start record before event");
    const int32_t plainWidth = plain.FittingWidth(50);
    EXPECT_LT(plainWidth, width);
    EXPECT_LT(kMenuLineLeft + kMenuTextIndent + text, plainWidth - 1);
    // A wider given width stands.
    EXPECT_EQ(menu.FittingWidth(400), 400);
    // Shorter texts after a refill give the level back its given width.
    menu.RemoveAllItems();
    menu.AddItem(4, L"Up");
    EXPECT_EQ(menu.FittingWidth(50), 50);
}

}  // namespace
