#pragma once
// The macro editor's menu as the menu tests build it: six items, the mouse buttons under item 3;
// each test adds the actions it needs under 7 (left) and 11 (right).

#include <cstdint>
#include <string>

#include "skin/ZelMenu.h"

inline void AddEditorMenuItems(CZelMenu& root) {
    for (int32_t id = 1; id <= 6; ++id) {
        root.AddItem(id, L"Item " + std::to_wstring(id));
    }
    root.AddSubItem(3, 7, L"Left button");
    root.AddSubItem(3, 11, L"Right button");
}
