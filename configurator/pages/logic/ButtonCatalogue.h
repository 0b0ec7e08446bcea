#pragma once
// The catalogue of button functions as the slot menus offer them, the names of key codes, and
// the caption a slot shows for a stored assignment. Free of window code: the menus are reached
// through SlotMenu, which the mouse page implements over its drop-down buttons.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "skin/logic/MenuTree.h"

// The menu item that holds the mouse functions; it is never stored as a function.
constexpr int kDefaultCommandsItem = 255;
// Item ids from here on name macros (the macro list hands out ids of 16 or more).
constexpr int kFirstMacroItemId = 16;
// The sub-menu of "Default Commands" opens at this size; the menu sets the height when shown.
constexpr int kDefaultCommandsMenuWidth = 100;
constexpr int kSubMenuInitialHeight = 20;
// Room beside the widest macro name in the macro sub-menus (the arrow column and margins).
constexpr int kMacroMenuMargin = 50;
// No menu item is ever placed on a top level with this parent.
constexpr int kTopLevel = -1;

// One line of a slot's menu: its id, the item it hangs under (kTopLevel for the first level)
// and its text.
struct ButtonMenuEntry {
    int id;
    int parent;
    const wchar_t* text;
};

// The slot menu's fixed lines in the order they are added.
std::span<const ButtonMenuEntry> ButtonMenuEntries();

// Display name of a virtual-key code; empty for codes without a name (0, 3, 5 .. 7, above 255).
std::wstring KeyName(uint32_t code);

// What building and refreshing need of one slot's drop-down button.
class SlotMenu {
  public:
    virtual ~SlotMenu() = default;
    // Adds to the first level; the first call creates the menu.
    virtual void AddItem(int id, const std::wstring& text) = 0;
    // Adds under the item `parentId`; nothing while there is no menu.
    virtual void AddSubItem(int parentId, int id, const std::wstring& text) = 0;
    // The menu's first level, or null while there is none.
    virtual MenuLevel* Menu() = 0;
    // Gives the sub-menu of the item `parentId` a width and an initial height.
    virtual void SizeSubMenu(int parentId, int width, int height) = 0;
};

// Fills a slot's menu with the catalogue; the macro sub-menu stays empty.
void BuildButtonMenu(SlotMenu& slot);

struct MacroMenuEntry {
    int32_t id;
    std::wstring name;
};

// Replaces every slot's macro sub-menu with one item per entry, in the entries' order, and sizes
// all of them to the widest name of the first slot plus a margin.
void RefreshMacroSubMenus(std::span<SlotMenu* const> slots, std::span<const MacroMenuEntry> macros);

// The caption for a stored assignment: the key's name for a single key, the stored macro name
// for a macro, otherwise the text of the menu item with the function's id. Nothing when the
// menu has no such item (7, 8, 255, codes outside the catalogue): the slot keeps what it shows.
std::optional<std::wstring> AssignmentCaption(int function, int value,
                                              const std::wstring& storedMacroName,
                                              const MenuLevel* menu);
