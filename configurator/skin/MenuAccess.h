#pragma once
// How screen readers are told of the items of a popup menu level: menu items named by their
// text, the lit one focused, those with a sub-menu opening it as their default action.

#include <windows.h>

#include "skin/AccessSource.h"
#include "skin/logic/MenuTree.h"

// Item `index` of the level, shown or not; false for an index out of range. `where` is the
// item's line in the level's client coordinates.
bool DescribeMenuItem(const MenuLevel& level, int index, bool shown, AccessInfo& info,
                      RECT& where) noexcept;
