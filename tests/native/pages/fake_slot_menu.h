#pragma once
// A slot's drop-down menu without windows: the real menu tree, text measured at 7 pixels a
// character, and a record of the sizes given to each sub-menu.

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "pages/logic/ButtonCatalogue.h"

class MeasuredLevel : public MenuLevel {
  public:
    using MenuLevel::MenuLevel;

  protected:
    std::unique_ptr<MenuLevel> MakeSubLevel(int32_t levelId) override {
        return std::make_unique<MeasuredLevel>(levelId);
    }
    int32_t MeasureTextWidth(const std::wstring& text) const override {
        return static_cast<int32_t>(text.size()) * 7;
    }
};

class FakeSlotMenu : public SlotMenu {
  public:
    void AddItem(int id, const std::wstring& text) override {
        if (!menu) {
            menu = std::make_unique<MeasuredLevel>(4711);
        }
        menu->AddItem(id, text);
    }
    void AddSubItem(int parentId, int id, const std::wstring& text) override {
        if (menu) {
            menu->AddSubItem(parentId, id, text);
        }
    }
    MenuLevel* Menu() override { return menu.get(); }
    void SizeSubMenu(int parentId, int width, int height) override {
        sizes[parentId] = {width, height};
    }

    std::unique_ptr<MeasuredLevel> menu;
    std::map<int, std::pair<int, int>> sizes;
};
