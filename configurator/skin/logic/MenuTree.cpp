#include "skin/logic/MenuTree.h"

#include <algorithm>

void MenuLevel::AddItem(int32_t itemId, const std::wstring& text) {
    for (const MenuItem& item : items) {
        if (item.id == itemId) {
            return;
        }
    }
    MenuItem item;
    item.id = itemId;
    item.text = text;
    items.push_back(std::move(item));
}

MenuLevel* MenuLevel::ExistingSubMenu(int32_t levelId) const {
    for (const auto& sub : subMenus) {
        if (sub->id == levelId) {
            return sub.get();
        }
    }
    return nullptr;
}

MenuLevel* MenuLevel::GetSubMenu(int32_t levelId) {
    if (MenuLevel* existing = ExistingSubMenu(levelId)) {
        return existing;
    }
    std::unique_ptr<MenuLevel> sub = MakeSubLevel(levelId);
    if (!sub) {
        return nullptr;
    }
    sub->parent = this;
    subMenus.push_back(std::move(sub));
    return subMenus.back().get();
}

void MenuLevel::AddSubItem(int32_t parentId, int32_t itemId, const std::wstring& text) {
    for (MenuItem& item : items) {
        if (item.id != parentId) {
            continue;
        }
        item.hasSubMenu = 1;
        if (MenuLevel* sub = GetSubMenu(parentId)) {
            sub->AddItem(itemId, text);
        }
    }
}

void MenuLevel::AddThirdLevelItem(int32_t parentId, int32_t itemId, const std::wstring& text) {
    constexpr int32_t kSecondLevelParent = 3;
    for (const MenuItem& item : items) {
        if (item.id != kSecondLevelParent) {
            continue;
        }
        if (MenuLevel* second = GetSubMenu(kSecondLevelParent)) {
            second->AddSubItem(parentId, itemId, text);
        }
    }
}

void MenuLevel::RemoveAllItems() {
    items.clear();
    hoveredIndex = -1;
}

const MenuItem* MenuLevel::FindItem(int32_t itemId) const {
    for (const MenuItem& item : items) {
        if (item.id == itemId) {
            return &item;
        }
    }
    for (const auto& sub : subMenus) {
        if (const MenuItem* found = sub->FindItem(itemId)) {
            return found;
        }
    }
    return nullptr;
}

int32_t MenuLevel::MaxTextWidth(int32_t levelId) {
    MenuLevel* level = id == levelId ? this : GetSubMenu(levelId);
    if (level == nullptr) {
        return 0;
    }
    int32_t widest = 0;
    for (const MenuItem& item : level->items) {
        widest = std::max(widest, level->MeasureTextWidth(item.text));
    }
    return widest;
}

int32_t MenuLevel::FittingWidth(int32_t minimumWidth, const DisplayScale& scale) const {
    int32_t width = minimumWidth;
    for (const MenuItem& item : items) {
        const int32_t end = scale.Scale(item.hasSubMenu != 0 ? kMenuArrowColumn : kMenuLineLeft);
        const int32_t needed = scale.Scale(kMenuLineLeft) + scale.Scale(kMenuTextIndent) +
                               MeasureTextWidth(item.text) + scale.Scale(kMenuTextGap) + end;
        width = std::max(width, needed);
    }
    return width;
}

int32_t MenuLevel::LayoutItems(int32_t width, int32_t lineHeight, const DisplayScale& scale) {
    if (items.empty()) {
        return 0;
    }
    // Four pixels above the first line and below the last, inside the frame.
    const int32_t margin = scale.Scale(4);
    for (size_t i = 0; i < items.size(); ++i) {
        const int32_t top = margin + static_cast<int32_t>(i) * lineHeight;
        items[i].rect = {scale.Scale(kMenuLineLeft), top, width - scale.Scale(kMenuArrowColumn),
                         top + lineHeight};
    }
    return static_cast<int32_t>(items.size()) * lineHeight + 2 * margin;
}

int32_t MenuLevel::HitTest(int32_t x, int32_t y) const {
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].rect.Contains(x, y)) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

std::unique_ptr<MenuLevel> MenuLevel::MakeSubLevel(int32_t levelId) {
    return std::make_unique<MenuLevel>(levelId);
}

int32_t MenuLevel::MeasureTextWidth(const std::wstring&) const {
    return 0;
}
