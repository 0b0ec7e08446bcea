#pragma once
// CZelComboButton: a drop-down button that opens its CZelMenu below itself and shows the chosen
// item as its caption. The parent hears of a choice with (control id, item id) before it is
// applied, and may clear the veto flag during that notification to keep the old caption.

#include <memory>
#include <string>

#include "skin/SkinFont.h"
#include "skin/ScopedWin.h"
#include "skin/ZelButtonBase.h"

class CZelMenu;

class CZelComboButton : public CZelButtonBase {
  public:
    CZelComboButton() noexcept;
    ~CZelComboButton() override;

    // Creates the menu on first use, then adds the item to its top level. The button must be
    // attached (or created) and sized first: the menu takes its width from it.
    void AddItem(int id, const std::wstring& text) noexcept;
    // Adds to the sub-menu of the item `parentId`; nothing while there is no menu.
    void AddSubItem(int parentId, int id, const std::wstring& text) noexcept;
    // Shows the item's text and takes its id when the menu has it; no notification.
    void SelectItem(int id) noexcept;
    void SetCaption(const std::wstring& text, int id, int value) noexcept;
    std::wstring GetItemText(int id) const;
    // Menus of the main window's profile buttons are 158 pixels wide.
    void UseFixedWidthMenu() noexcept;
    CZelMenu* Menu() noexcept { return menu_.get(); }

    const std::wstring& Caption() const noexcept { return caption_; }
    int CurrentId() const noexcept { return currentId_; }
    void SetCurrentId(int id) noexcept { currentId_ = id; }
    int CurrentValue() const noexcept { return currentValue_; }
    void SetCurrentValue(int value) noexcept { currentValue_ = value; }
    bool IsLatched() const noexcept { return latched_; }
    void SetLatched(bool latched) noexcept;
    bool Veto() const noexcept { return veto_; }
    void SetVeto(bool veto) noexcept { veto_ = veto; }
    bool ShowsCaption() const noexcept { return showCaption_; }
    void SetShowCaption(bool show) noexcept;

  protected:
    void OnPressed() noexcept override;
    void OnReleased(bool wasPressed) noexcept override;
    bool OnTimer(UINT_PTR id) noexcept override;
    bool OnControlNotification(int code, LPARAM value) noexcept override;
    bool ShowsDown() const noexcept override { return latched_; }
    bool ShownText(std::wstring& text) const noexcept override;
    void DrawCaption(HDC dc, const RECT& client) noexcept override;
    // The menu's windows went with the button's; a button made again makes a new menu.
    void OnWindowGone() noexcept override;
    // A menu button named by its label, its value the chosen item; F4 or Alt+Down opens the
    // menu with its first item lit.
    bool DescribeSelf(AccessInfo& info) const noexcept override;
    bool OnKey(UINT key, bool alt, bool repeat) noexcept override;

  private:
    bool EnsureMenu(int width) noexcept;
    void OpenMenu() noexcept;

    std::unique_ptr<CZelMenu> menu_;
    std::wstring caption_;
    int currentId_ = -1;
    int currentValue_ = -1;
    CSkinFont font_;
    uint32_t captionColour_ = kArgbWhite;
    uint32_t hotCaptionColour_ = kArgbAccent;
    bool latched_ = false;
    bool showCaption_ = true;
    bool veto_ = true;
    bool reopenGuard_ = false;
    DWORD lastSeenOpen_ = 0;
};
