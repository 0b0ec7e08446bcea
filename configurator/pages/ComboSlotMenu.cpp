#include "pages/ComboSlotMenu.h"

#include "skin/ZelMenu.h"

void ComboSlotMenu::AddItem(int id, const std::wstring& text) {
    button_.AddItem(id, text);
}

void ComboSlotMenu::AddSubItem(int parentId, int id, const std::wstring& text) {
    button_.AddSubItem(parentId, id, text);
}

MenuLevel* ComboSlotMenu::Menu() {
    return button_.Menu();
}

void ComboSlotMenu::SizeSubMenu(int parentId, int width, int height) {
    if (CZelMenu* menu = button_.Menu()) {
        if (CZelMenu* sub = menu->GetSubMenu(parentId)) {
            sub->SetSize(width, height);
        }
    }
}
