#pragma once
// A mouse-page slot's drop-down button seen as the SlotMenu that the catalogue builds and
// refreshes.

#include "pages/logic/ButtonCatalogue.h"
#include "skin/ZelComboButton.h"

class ComboSlotMenu final : public SlotMenu {
  public:
    explicit ComboSlotMenu(CZelComboButton& button) noexcept : button_(button) {}

    void AddItem(int id, const std::wstring& text) override;
    void AddSubItem(int parentId, int id, const std::wstring& text) override;
    MenuLevel* Menu() override;
    void SizeSubMenu(int parentId, int width, int height) override;

  private:
    CZelComboButton& button_;
};
