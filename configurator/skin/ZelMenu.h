#pragma once
// CZelMenu: the skinned popup menu. One borderless, non-activating window per menu level; a
// level's items and sub-levels are its MenuLevel. A click on an item without a sub-menu is sent
// to the notify window as ControlNotification (level id, item id); around the hiding of each
// level the notify window receives NOTIFY_MENU_HIDING 1 and 0. While a menu is open the menu
// mouse hook closes it on a left-button press outside its levels.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "skin/SkinFont.h"
#include "skin/ScopedWin.h"
#include "skin/ZelPaintedWnd.h"
#include "skin/logic/MenuTree.h"

class BufferedPaint;

class CZelMenu : public CZelPaintedWnd, public MenuLevel {
  public:
    // Corner of the menu put at the point given to PopupAt.
    enum Anchor : int { kTopLeft = 0, kBottomRight = 3 };

    static constexpr COLORREF kTextColour = RGB(170, 170, 170);
    static constexpr COLORREF kHighlightColour = RGB(179, 211, 53);
    static constexpr COLORREF kBackgroundColour = RGB(0, 0, 0);
    static constexpr COLORREF kFrameColour = RGB(179, 211, 53);

    CZelMenu() = default;
    ~CZelMenu() override;

    // `rect` in screen coordinates; its width is the level's least width (a level is as wide as
    // its widest item needs), LayoutItems sets the height.
    bool Create(const wchar_t* name, const RECT& rect, HWND notifyWindow, int32_t levelId) noexcept;
    // As Create, but the window is made when the level is first shown. Every button slot has
    // its menu tree from the start and most levels are never opened, so this keeps dozens of
    // hidden top-level windows out of the program's start.
    void CreateOnFirstUse(const wchar_t* name, const RECT& rect, HWND notifyWindow,
                          int32_t levelId) noexcept;
    // The level's size until LayoutItems sets the height; kept for a window not made yet.
    void SetSize(int width, int height) noexcept;
    HWND NotifyWindow() const noexcept { return notifyWindow_; }
    CZelMenu* GetSubMenu(int32_t levelId) noexcept;
    CZelMenu* ParentMenu() const noexcept;

    // Shows the level with the corner `anchor` at the screen point; a level without items stays
    // hidden.
    void PopupAt(int x, int y, int anchor) noexcept;
    // Sets the window's height from the items, widens it where an item's text needs more room,
    // and places their lines.
    void LayoutItems() noexcept;
    // Hides this level, its parents and its sub-levels; the top level removes the hook.
    void CloseMenu() noexcept;
    void CloseSubMenus() noexcept;
    // Shows the sub-menu of item `index` beside it, closing the other sub-menus of this level.
    void OpenSubMenu(size_t index) noexcept;
    // What a click on item `index` does: an item without a sub-menu is reported to the notify
    // window and the menu closes; an item with one does nothing.
    void ChooseItem(size_t index) noexcept;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override;
    bool OnControlNotification(int code, LPARAM value) noexcept override;
    std::unique_ptr<MenuLevel> MakeSubLevel(int32_t levelId) override;
    int32_t MeasureTextWidth(const std::wstring& text) const override;
    // Screen readers: a popup menu of menu items. Keys: MenuKeys.h.
    bool DescribeSelf(AccessInfo& info) const noexcept override;
    int AccessItemCount() const noexcept override;
    bool DescribeItem(int index, AccessInfo& info, RECT& where) const noexcept override;
    bool DoAccessAction(int index) noexcept override;
    bool OnKey(UINT key, bool alt, bool repeat) noexcept override;

  private:
    void OnPaint(BufferedPaint& paint) noexcept override;
    void OnMouseMove(int x, int y) noexcept;
    void OnLeftButtonDown(int x, int y) noexcept;
    void OnLeftButtonUp(int x, int y) noexcept;
    void OnHookEvent(UINT mouseMessage) noexcept;
    void OnSize(int width) noexcept;
    void OnDestroy() noexcept override;
    void PaintItem(BufferedPaint& paint, const MenuItem& item, bool hovered) noexcept;
    // Whether a screen point lies on this level or one of its parent levels.
    bool IsOnOpenLevels(POINT screenPoint) const noexcept;
    bool TreeHoldsHookTarget() const noexcept;
    void NotifyHiding(int value) noexcept;
    bool EnsureWindow() noexcept;
    HFONT Font() const noexcept;

    HWND notifyWindow_ = nullptr;
    CSkinFont font_{15};  // the items' text height
    std::wstring name_;
    RECT rect_{};           // the window's rectangle while it is not made yet
    int minimumWidth_ = 0;  // the width its owner gave the level
    bool layingOut_ = false;
    bool windowPending_ = false;
};
