#include "skin/MenuAccess.h"

bool DescribeMenuItem(const MenuLevel& level, int index, bool shown, AccessInfo& info,
                      RECT& where) noexcept {
    if (index < 0 || static_cast<size_t>(index) >= level.Items().size()) {
        return false;
    }
    const MenuItem& item = level.Items()[static_cast<size_t>(index)];
    info.role = ROLE_SYSTEM_MENUITEM;
    info.name = item.text;
    info.state = STATE_SYSTEM_FOCUSABLE;
    if (shown && level.HoveredIndex() == index) {
        info.state |= STATE_SYSTEM_FOCUSED | STATE_SYSTEM_HOTTRACKED;
    }
    if (item.enabled == 0) {
        info.state |= STATE_SYSTEM_UNAVAILABLE;
    }
    if (item.hasSubMenu != 0) {
        info.state |= STATE_SYSTEM_HASPOPUP;
        info.defaultAction = L"Open";
    } else {
        info.defaultAction = L"Execute";
    }
    where = RECT{item.rect.left, item.rect.top, item.rect.right, item.rect.bottom};
    return true;
}
