#include "skin/MenuKeys.h"

#include "skin/ZelMenu.h"

namespace {

CZelMenu* OpenSubLevel(const CZelMenu& level, size_t index) noexcept {
    if (index >= level.Items().size() || level.Items()[index].hasSubMenu == 0) {
        return nullptr;
    }
    auto* sub = static_cast<CZelMenu*>(level.ExistingSubMenu(level.Items()[index].id));
    return sub != nullptr && sub->IsVisible() ? sub : nullptr;
}

// The level the keys work on: down from the top through the lit items whose sub-menus show.
CZelMenu& DeepestOpenLevel(CZelMenu& top) noexcept {
    CZelMenu* level = &top;
    while (level->HoveredIndex() >= 0) {
        CZelMenu* sub = OpenSubLevel(*level, static_cast<size_t>(level->HoveredIndex()));
        if (sub == nullptr) {
            break;
        }
        level = sub;
    }
    return *level;
}

// The next item that can be chosen, going `direction` (+1 or -1) from `from` (-1: from before
// the first or after the last), round the end; -1 when there is none.
int32_t NextItem(const CZelMenu& level, int32_t from, int direction) noexcept {
    const int32_t count = static_cast<int32_t>(level.Items().size());
    int32_t index = from >= 0 ? from : (direction > 0 ? -1 : count);
    for (int32_t tried = 0; tried < count; ++tried) {
        index += direction;
        if (index < 0) {
            index = count - 1;
        } else if (index >= count) {
            index = 0;
        }
        if (level.Items()[static_cast<size_t>(index)].enabled != 0) {
            return index;
        }
    }
    return -1;
}

void Light(CZelMenu& level, int32_t index) noexcept {
    if (index < 0) {
        return;
    }
    level.CloseSubMenus();
    level.SetHoveredIndex(index);
    level.Redraw();
}

void OpenLitSubMenu(CZelMenu& level) noexcept {
    const int32_t lit = level.HoveredIndex();
    if (lit < 0) {
        return;
    }
    level.OpenSubMenu(static_cast<size_t>(lit));
    if (CZelMenu* sub = OpenSubLevel(level, static_cast<size_t>(lit))) {
        Light(*sub, NextItem(*sub, -1, 1));
    }
}

// Back to the parent level, whose item stays lit; false on the top level.
bool CloseLevel(CZelMenu& level) noexcept {
    CZelMenu* parent = level.ParentMenu();
    if (parent == nullptr) {
        return false;
    }
    parent->CloseSubMenus();
    parent->Redraw();
    return true;
}

}  // namespace

bool HandleMenuKey(CZelMenu& top, UINT key, bool alt, bool repeat) noexcept {
    if (!top.IsVisible()) {
        return false;
    }
    CZelMenu& level = DeepestOpenLevel(top);
    const bool arrowUpOrDown = key == VK_UP || key == VK_DOWN;
    if (repeat && !arrowUpOrDown) {
        return true;  // a held key acts once
    }
    if (alt && arrowUpOrDown) {
        top.CloseMenu();
        return true;
    }
    const int32_t lit = level.HoveredIndex();
    switch (key) {
        case VK_DOWN:
            Light(level, NextItem(level, lit, 1));
            return true;
        case VK_UP:
            Light(level, NextItem(level, lit, -1));
            return true;
        case VK_HOME:
            Light(level, NextItem(level, -1, 1));
            return true;
        case VK_END:
            Light(level, NextItem(level, -1, -1));
            return true;
        case VK_RIGHT:
            OpenLitSubMenu(level);
            return true;
        case VK_RETURN:
        case VK_SPACE:
            if (lit >= 0 && level.Items()[static_cast<size_t>(lit)].hasSubMenu != 0) {
                OpenLitSubMenu(level);
            } else if (lit >= 0) {
                level.ChooseItem(static_cast<size_t>(lit));
            }
            return true;
        case VK_LEFT:
            CloseLevel(level);
            return true;
        case VK_ESCAPE:
            if (!CloseLevel(level)) {
                top.CloseMenu();
            }
            return true;
        case VK_TAB:
        case VK_MENU:
        case VK_F4:
        case VK_F10:
            top.CloseMenu();
            return true;
        default:
            return false;
    }
}
