#pragma once
// The tree of a popup menu without its windows: the items of each level, the sub-levels owned by
// items, look-up across the tree and the layout of a level's lines. The menu window derives from
// MenuLevel and makes each sub-level a window of its own.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skin/logic/DisplayScale.h"
#include "skin/logic/PixelRect.h"

struct MenuItem {
    int32_t id = 0;
    PixelRect rect;
    std::wstring text;
    int32_t reserved = 0;
    int32_t enabled = 1;
    int32_t hasSubMenu = 0;
};

// A level's lines start one pixel in from its left edge (inside the frame) and end
// kMenuArrowColumn pixels before its right edge; the text stands kMenuTextIndent right of its
// line's start, and the sub-menu arrow fills the column after the line. These are 96-DPI
// pixels; a level laid out at another scale takes them scaled, its text and lines as measured.
inline constexpr int32_t kMenuLineLeft = 1;
inline constexpr int32_t kMenuArrowColumn = 15;
inline constexpr int32_t kMenuTextIndent = 10;
// Space kept between the end of a text and the arrow, or the frame.
inline constexpr int32_t kMenuTextGap = 2;

class MenuLevel {
  public:
    explicit MenuLevel(int32_t levelId = 0) : id(levelId) {}
    virtual ~MenuLevel() = default;
    MenuLevel(const MenuLevel&) = delete;
    MenuLevel& operator=(const MenuLevel&) = delete;

    int32_t Id() const { return id; }
    MenuLevel* ParentLevel() const { return parent; }
    const std::vector<MenuItem>& Items() const { return items; }
    const std::vector<std::unique_ptr<MenuLevel>>& SubMenus() const { return subMenus; }
    int32_t HoveredIndex() const { return hoveredIndex; }
    void SetHoveredIndex(int32_t index) { hoveredIndex = index; }

    // Appends an item unless this level already has one with that id.
    void AddItem(int32_t itemId, const std::wstring& text);
    // The sub-level with that id, created when missing.
    MenuLevel* GetSubMenu(int32_t levelId);
    // The sub-level with that id, or null; creates nothing.
    MenuLevel* ExistingSubMenu(int32_t levelId) const;
    // Adds an item to the sub-level of every item with the parent id; nothing when there is none.
    void AddSubItem(int32_t parentId, int32_t itemId, const std::wstring& text);
    // Adds to the third level, always below item 3 of this level.
    void AddThirdLevelItem(int32_t parentId, int32_t itemId, const std::wstring& text);
    // Drops this level's items; its sub-levels stay.
    void RemoveAllItems();
    // The first item with the id on this level, else depth first in the sub-levels; null if none.
    const MenuItem* FindItem(int32_t itemId) const;
    // Widest item text of the level with that id (this one, or a sub-level created if missing).
    int32_t MaxTextWidth(int32_t levelId);
    // The width this level needs: `minimumWidth`, or wider where an item's text would otherwise
    // run into its sub-menu arrow or the frame.
    int32_t FittingWidth(int32_t minimumWidth,
                         const DisplayScale& scale = DisplayScale(DisplayScale::kBaseDpi)) const;
    // Lines of lineHeight pixels in a level `width` wide; returns the level's height, 0 without
    // items.
    int32_t LayoutItems(int32_t width, int32_t lineHeight,
                        const DisplayScale& scale = DisplayScale(DisplayScale::kBaseDpi));
    // Index of the item under a client point, -1 for none.
    int32_t HitTest(int32_t x, int32_t y) const;

  protected:
    // A window level learns its id when its window is created.
    void SetLevelId(int32_t levelId) { id = levelId; }
    // The object for a new sub-level; a window class returns its own kind.
    virtual std::unique_ptr<MenuLevel> MakeSubLevel(int32_t levelId);
    virtual int32_t MeasureTextWidth(const std::wstring& text) const;

  private:
    int32_t id;
    int32_t hoveredIndex = -1;
    MenuLevel* parent = nullptr;
    std::vector<MenuItem> items;
    std::vector<std::unique_ptr<MenuLevel>> subMenus;
};
