#include "skin/ZelMenu.h"

#include <objidl.h>
#include <gdiplus.h>
#include <windowsx.h>

#include "skin/BufferedPaint.h"
#include "skin/HookEvent.h"
#include "skin/MenuAccess.h"
#include "skin/MenuKeys.h"
#include "skin/MenuMouseHook.h"
#include "skin/SkinImages.h"

namespace {

// A sub-menu level is made this size (96-DPI pixels); it takes its height from its items when
// shown.
constexpr PixelRect kSubMenuRect{0, 0, 50, 10};
// A sub-menu opens this far left of its parent's right edge and above the item's top.
constexpr int kSubMenuOverlap = 5;
// The sub-menu arrow: a triangle whose flat side stands kArrowBack from the line's right end,
// kArrowInset below its top and above its bottom, with its point kArrowTip from the end.
constexpr int kArrowBack = 10;
constexpr int kArrowTip = 5;
constexpr int kArrowInset = 5;

}  // namespace

CZelMenu::~CZelMenu() {
    // Destroyed here, while the window is still handled as a menu, so that an open level takes
    // the hook with it.
    DestroyWindow();
}

bool CZelMenu::Create(const wchar_t* name, const RECT& rect, HWND notify,
                      int32_t levelId) noexcept {
    CreateOnFirstUse(name, rect, notify, levelId);
    return EnsureWindow();
}

void CZelMenu::CreateOnFirstUse(const wchar_t* name, const RECT& rect, HWND notify,
                                int32_t levelId) noexcept {
    name_ = name != nullptr ? name : L"";
    rect_ = rect;
    minimumWidth_ = rect.right - rect.left;
    notifyWindow_ = notify;
    SetLevelId(levelId);
    windowPending_ = Hwnd() == nullptr;
}

bool CZelMenu::EnsureWindow() noexcept {
    if (Hwnd() != nullptr) {
        return true;
    }
    if (!windowPending_) {
        return false;
    }
    windowPending_ = false;
    // A tool window keeps the menu off the task bar.
    if (!CreateCustom(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, name_.c_str(),
                      WS_POPUP | WS_CLIPSIBLINGS, rect_, notifyWindow_, nullptr)) {
        return false;
    }
    LONG style = GetWindowLongW(Hwnd(), GWL_STYLE);
    SetWindowLongW(Hwnd(), GWL_STYLE, style & ~(WS_CAPTION | WS_BORDER));
    Move(rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top);
    return true;
}

void CZelMenu::SetSize(int width, int height) noexcept {
    minimumWidth_ = width;
    rect_.right = rect_.left + width;
    rect_.bottom = rect_.top + height;
    if (Hwnd() != nullptr) {
        SetWindowPos(Hwnd(), nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
}

HFONT CZelMenu::Font() const noexcept {
    return font_.Get();
}

CZelMenu* CZelMenu::GetSubMenu(int32_t levelId) noexcept {
    return static_cast<CZelMenu*>(MenuLevel::GetSubMenu(levelId));
}

CZelMenu* CZelMenu::ParentMenu() const noexcept {
    return static_cast<CZelMenu*>(ParentLevel());
}

std::unique_ptr<MenuLevel> CZelMenu::MakeSubLevel(int32_t levelId) {
    auto sub = std::make_unique<CZelMenu>();
    sub->CreateOnFirstUse(L"menu", ScaledRect(kSubMenuRect), notifyWindow_, levelId);
    return sub;
}

int32_t CZelMenu::MeasureTextWidth(const std::wstring& text) const {
    // A memory DC: the level may have no window yet, and text is measured the same on any DC.
    const ScopedDC dc(CreateCompatibleDC(nullptr));
    if (!dc) {
        return 0;
    }
    const ScopedSelect font(dc.Get(), Font());
    SIZE size{};
    GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

void CZelMenu::LayoutItems() noexcept {
    if (Items().empty() || !EnsureWindow()) {
        Show(false);
        return;
    }
    int lineHeight = 0;
    if (const ScopedWindowDC dc(Hwnd()); dc) {
        const ScopedSelect font(dc.Get(), Font());
        const std::wstring& text = Items().front().text;
        SIZE size{};
        GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
        lineHeight = size.cy;
    }
    const int width = FittingWidth(minimumWidth_, SkinScale());
    const int height = MenuLevel::LayoutItems(width, lineHeight, SkinScale());
    layingOut_ = true;
    SetWindowPos(Hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    layingOut_ = false;
}

void CZelMenu::PopupAt(int x, int y, int anchor) noexcept {
    if (Items().empty() || !EnsureWindow()) {
        Show(false);
        return;
    }
    LayoutItems();
    SetHoveredIndex(-1);
    const RECT window = RectInParent();
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    if (anchor == kBottomRight) {
        x -= width;
        y -= height;
    }
    // Above the level it opens from, which may have been made topmost by its owner.
    HWND insertAfter = HWND_TOP;
    if (const CZelMenu* parent = ParentMenu();
        parent != nullptr && (GetWindowLongW(parent->Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) {
        insertAfter = HWND_TOPMOST;
    }
    SetWindowPos(Hwnd(), insertAfter, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    LayoutItems();
    ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
    Redraw();
    SetMenuHookTarget(Hwnd());
    if (ParentMenu() == nullptr) {
        SetKeyOwner(this);  // the open menu takes the keys
    }
}

void CZelMenu::NotifyHiding(int value) noexcept {
    ControlNotification(notifyWindow_, NOTIFY_MENU_HIDING, value);
}

void CZelMenu::CloseMenu() noexcept {
    if (!IsVisible()) {
        return;
    }
    NotifyHiding(1);
    Show(false);
    if (CZelMenu* parent = ParentMenu()) {
        parent->CloseMenu();
    }
    CloseSubMenus();
    NotifyHiding(0);
    // Another menu tree opened meanwhile keeps the hook.
    if (ParentMenu() == nullptr && TreeHoldsHookTarget()) {
        RemoveMenuHook();
    }
    if (ParentMenu() == nullptr && KeyOwner() == this) {
        SetKeyOwner(nullptr);
    }
}

void CZelMenu::CloseSubMenus() noexcept {
    for (const auto& level : SubMenus()) {
        auto* sub = static_cast<CZelMenu*>(level.get());
        if (!sub->IsVisible()) {
            continue;
        }
        NotifyHiding(1);
        sub->CloseSubMenus();
        sub->Show(false);
        NotifyHiding(0);
    }
    // Only a hook working for this tree: another open tree keeps its target.
    if (IsMenuHookInstalled() && TreeHoldsHookTarget()) {
        SetMenuHookTarget(Hwnd());
    }
}

bool CZelMenu::TreeHoldsHookTarget() const noexcept {
    const HWND target = MenuHookTarget();
    if (target == nullptr) {
        return true;
    }
    const CZelMenu* top = this;
    while (top->ParentMenu() != nullptr) {
        top = top->ParentMenu();
    }
    // Depth first over the tree below the top level.
    auto holds = [target](const CZelMenu* level, const auto& self) -> bool {
        if (level->Hwnd() == target) {
            return true;
        }
        for (const auto& sub : level->SubMenus()) {
            if (self(static_cast<const CZelMenu*>(sub.get()), self)) {
                return true;
            }
        }
        return false;
    };
    return holds(top, holds);
}

bool CZelMenu::IsOnOpenLevels(POINT screenPoint) const noexcept {
    for (const CZelMenu* level = this; level != nullptr; level = level->ParentMenu()) {
        RECT rect{};
        if (level->Hwnd() != nullptr && GetWindowRect(level->Hwnd(), &rect) &&
            PtInRect(&rect, screenPoint)) {
            return true;
        }
    }
    return false;
}

LRESULT CZelMenu::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    switch (msg) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_MOUSEMOVE:
            OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:  // a quick second click is still a press
            OnLeftButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_LBUTTONUP:
            OnLeftButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_HOOK_EVENT:
            OnHookEvent(static_cast<UINT>(wParam));
            return 0;
        case WM_SIZE:
            OnSize(LOWORD(lParam));
            return 0;
        default:
            return CZelPaintedWnd::HandleMessage(msg, wParam, lParam);
    }
}

bool CZelMenu::OnControlNotification(int code, LPARAM value) noexcept {
    // Not one of ours: the notify window decides, and the menu goes away.
    ControlNotification(notifyWindow_, code, value);
    CloseMenu();
    return true;
}

void CZelMenu::OnMouseMove(int x, int y) noexcept {
    for (size_t i = 0; i < Items().size(); ++i) {
        const MenuItem& item = Items()[i];
        if (!item.rect.Contains(x, y)) {
            continue;
        }
        const bool hovered = HoveredIndex() == static_cast<int32_t>(i);
        if (item.hasSubMenu != 0) {
            if (hovered) {
                continue;
            }
            OpenSubMenu(i);
        } else {
            CloseSubMenus();
        }
        if (!hovered) {
            SetHoveredIndex(static_cast<int32_t>(i));
            Redraw();
            return;
        }
    }
}

void CZelMenu::OnLeftButtonDown(int x, int y) noexcept {
    SetHoveredIndex(HitTest(x, y));
    if (HoveredIndex() < 0) {
        CloseMenu();
    }
    Redraw();
}

void CZelMenu::OpenSubMenu(size_t index) noexcept {
    if (index >= Items().size()) {
        return;
    }
    const MenuItem& item = Items()[index];
    CloseSubMenus();
    const RECT window = RectInParent();
    if (CZelMenu* sub = GetSubMenu(item.id)) {
        const int overlap = ScaledLength(kSubMenuOverlap);
        sub->PopupAt(window.right - overlap, window.top + item.rect.top - overlap, kTopLeft);
    }
}

void CZelMenu::OnLeftButtonUp(int x, int y) noexcept {
    SetHoveredIndex(-1);
    SetHoveredIndex(HitTest(x, y));
    if (HoveredIndex() < 0) {
        return;
    }
    ChooseItem(static_cast<size_t>(HoveredIndex()));
}

void CZelMenu::ChooseItem(size_t index) noexcept {
    if (index >= Items().size()) {
        return;
    }
    const MenuItem* item = FindItem(Items()[index].id);
    if (item == nullptr) {
        return;
    }
    // The notify window may change the menu while it handles the command.
    const int32_t itemId = item->id;
    const bool hasSubMenu = item->hasSubMenu != 0;
    if (hasSubMenu) {
        return;
    }
    if (notifyWindow_ != nullptr) {
        ControlNotification(notifyWindow_, Id(), itemId);
    }
    CloseMenu();
}

void CZelMenu::OnSize(int width) noexcept {
    // The owner sized the level (the editor moves its menu to its width): that width is the
    // least the level takes from now on. The level's own fitting to its texts is not.
    if (!layingOut_) {
        minimumWidth_ = width;
    }
}

void CZelMenu::OnDestroy() noexcept {
    // A level that goes while open (with its object, or with its owner window) must not leave
    // the hook installed with a dead target.
    if (IsMenuHookInstalled() && MenuHookTarget() == Hwnd()) {
        RemoveMenuHook();
    }
}

void CZelMenu::OnHookEvent(UINT mouseMessage) noexcept {
    if (mouseMessage != WM_LBUTTONDOWN || !IsVisible()) {
        return;
    }
    POINT pointer{};
    if (GetCursorPos(&pointer) && !IsOnOpenLevels(pointer)) {
        CloseMenu();
    }
}

void CZelMenu::OnPaint(BufferedPaint& paint) noexcept {
    const RECT client{0, 0, paint.Width(), paint.Height()};
    HDC dc = paint.Dc();
    FillRect(dc, &client, ScopedBrush(CreateSolidBrush(kBackgroundColour)).Get());
    FrameRect(dc, &client, ScopedBrush(CreateSolidBrush(kFrameColour)).Get());
    for (size_t i = 0; i < Items().size(); ++i) {
        PaintItem(paint, Items()[i], HoveredIndex() == static_cast<int32_t>(i));
    }
}

void CZelMenu::PaintItem(BufferedPaint& paint, const MenuItem& item, bool hovered) noexcept {
    const int indent = ScaledLength(kMenuTextIndent);
    RECT line{item.rect.left + indent, item.rect.top, item.rect.right + indent, item.rect.bottom};
    if (item.hasSubMenu != 0) {
        Gdiplus::Graphics& graphics = paint.Graphics();
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        const Gdiplus::Color colour(255, GetRValue(kTextColour), GetGValue(kTextColour),
                                    GetBValue(kTextColour));
        const int back = ScaledLength(kArrowBack);
        const int inset = ScaledLength(kArrowInset);
        const Gdiplus::Point arrow[3] = {
            {line.right - back, line.top + inset},
            {line.right - back, line.bottom - inset},
            {line.right - ScaledLength(kArrowTip), (line.top + line.bottom) / 2},
        };
        Gdiplus::SolidBrush brush(colour);
        Gdiplus::Pen pen(colour);
        graphics.FillPolygon(&brush, arrow, 3);
        graphics.DrawPolygon(&pen, arrow, 3);
    }
    HDC dc = paint.Dc();
    const ScopedSelect font(dc, Font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, hovered ? kHighlightColour : kTextColour);
    // The level is as wide as its widest text needs (LayoutItems).
    DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &line,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// ---- screen readers and the keyboard --------------------------------------------------------

bool CZelMenu::DescribeSelf(AccessInfo& info) const noexcept {
    info.role = ROLE_SYSTEM_MENUPOPUP;
    info.name = AccessName();
    return true;
}

int CZelMenu::AccessItemCount() const noexcept {
    return static_cast<int>(Items().size());
}

bool CZelMenu::DescribeItem(int index, AccessInfo& info, RECT& where) const noexcept {
    return DescribeMenuItem(*this, index, IsVisible(), info, where);
}

bool CZelMenu::DoAccessAction(int index) noexcept {
    if (index < 0 || index >= AccessItemCount() || !IsVisible()) {
        return false;
    }
    const size_t item = static_cast<size_t>(index);
    if (Items()[item].hasSubMenu != 0) {
        OpenSubMenu(item);
    } else {
        ChooseItem(item);
    }
    return true;
}

bool CZelMenu::OnKey(UINT key, bool alt, bool repeat) noexcept {
    return HandleMenuKey(*this, key, alt, repeat);
}
