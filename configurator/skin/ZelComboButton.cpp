#include "skin/ZelComboButton.h"

#include "skin/SkinImages.h"
#include "skin/ZelMenu.h"

namespace {
constexpr int kFontHeight = 15;
constexpr int kCaptionIndent = 4;
constexpr int kFixedMenuWidth = 158;
constexpr UINT_PTR kMenuWatchTimer = 1;
constexpr UINT kMenuWatchPeriod = 100;
// A press this soon after the menu was seen open is the press that closed it.
constexpr DWORD kReopenGuardMs = 200;
}  // namespace

CZelComboButton::CZelComboButton() noexcept : font_(kFontHeight) {}

CZelComboButton::~CZelComboButton() {
    Detach();
    menu_.reset();
}

bool CZelComboButton::EnsureMenu(int width) noexcept {
    if (menu_) {
        return true;
    }
    if (Hwnd() == nullptr) {
        return false;  // the menu reports to this button's window, so that must exist first
    }
    auto menu = std::make_unique<CZelMenu>();
    RECT rect{0, 0, width, ScaledLength(10)};
    // The level id is never looked at: the button tells choices apart by the item id.
    menu->CreateOnFirstUse(L"menu", rect, Hwnd(), static_cast<int32_t>(GetTickCount()));
    menu_ = std::move(menu);
    return true;
}

void CZelComboButton::OnWindowGone() noexcept {
    menu_.reset();
}

void CZelComboButton::AddItem(int id, const std::wstring& text) noexcept {
    RECT client = ClientRect();
    if (EnsureMenu(client.right - ScaledLength(2))) {
        menu_->AddItem(id, text);
    }
}

void CZelComboButton::AddSubItem(int parentId, int id, const std::wstring& text) noexcept {
    if (menu_) {
        menu_->AddSubItem(parentId, id, text);
    }
}

void CZelComboButton::SelectItem(int id) noexcept {
    const MenuItem* item = menu_ ? menu_->FindItem(id) : nullptr;
    if (item == nullptr) {
        return;
    }
    SetCaption(item->text, id, currentValue_);
}

void CZelComboButton::SetCaption(const std::wstring& text, int id, int value) noexcept {
    // No repaint without a change: a profile switch sets every slot.
    if (caption_ == text && currentId_ == id && currentValue_ == value) {
        return;
    }
    caption_ = text;
    currentId_ = id;
    currentValue_ = value;
    Redraw();
}

std::wstring CZelComboButton::GetItemText(int id) const {
    const MenuItem* item = menu_ ? menu_->FindItem(id) : nullptr;
    return item ? item->text : std::wstring();
}

void CZelComboButton::UseFixedWidthMenu() noexcept {
    if (!menu_) {
        EnsureMenu(ScaledLength(kFixedMenuWidth));
        return;
    }
    menu_->SetSize(ScaledLength(kFixedMenuWidth), ScaledLength(20));
}

void CZelComboButton::SetLatched(bool latched) noexcept {
    if (latched_ == latched) {
        return;
    }
    latched_ = latched;
    Redraw();
}

void CZelComboButton::SetShowCaption(bool show) noexcept {
    showCaption_ = show;
    Redraw();
}

void CZelComboButton::OnPressed() noexcept {
    reopenGuard_ = GetTickCount() - lastSeenOpen_ < kReopenGuardMs;
}

void CZelComboButton::OnReleased(bool) noexcept {
    if (menu_ && !reopenGuard_) {
        OpenMenu();
    }
}

void CZelComboButton::OpenMenu() noexcept {
    RECT window{};
    GetWindowRect(Hwnd(), &window);
    menu_->PopupAt(window.left, window.bottom, CZelMenu::kTopLeft);
    reopenGuard_ = true;
    StartTimer(kMenuWatchTimer, kMenuWatchPeriod);
}

bool CZelComboButton::OnTimer(UINT_PTR id) noexcept {
    if (id != kMenuWatchTimer) {
        return false;
    }
    if (menu_ && menu_->IsVisible()) {
        lastSeenOpen_ = GetTickCount();
    }
    return true;
}

bool CZelComboButton::OnControlNotification(int code, LPARAM value) noexcept {
    if (code == NOTIFY_MENU_HIDING) {
        NotifyParent(NOTIFY_MENU_HIDING, value);
        return true;
    }
    const MenuItem* item = menu_ ? menu_->FindItem(static_cast<int32_t>(value)) : nullptr;
    if (item == nullptr) {
        return true;
    }
    // Copies: the parent may change the menu while it handles the choice.
    int itemId = item->id;
    std::wstring text = item->text;
    NotifyParent(ControlId(), itemId);
    if (veto_) {
        caption_ = text;
        currentId_ = itemId;
        Redraw();
    } else {
        veto_ = true;
    }
    return true;
}

bool CZelComboButton::ShownText(std::wstring& text) const noexcept {
    // The chosen item, also while the caption is not drawn (the profile menu buttons).
    text = caption_;
    return true;
}

void CZelComboButton::DrawCaption(HDC dc, const RECT& client) noexcept {
    if (!showCaption_) {
        return;
    }
    const bool hot = latched_ || State() == kSkinOver;
    DrawCaptionText(dc, client, caption_, font_.Get(), hot ? hotCaptionColour_ : captionColour_,
                    kCaptionIndent);
}

bool CZelComboButton::DescribeSelf(AccessInfo& info) const noexcept {
    CZelButtonBase::DescribeSelf(info);
    info.role = ROLE_SYSTEM_BUTTONMENU;
    info.name = AccessNameOr(caption_);
    info.value = AccessName().empty() ? std::wstring() : caption_;
    const bool open = menu_ && menu_->IsVisible();
    info.state = (info.state & ~STATE_SYSTEM_PRESSED) | STATE_SYSTEM_HASPOPUP |
                 (open ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED);
    info.defaultAction = L"Open";
    info.keyboardShortcut = L"Alt+Down";
    return true;
}

bool CZelComboButton::OnKey(UINT key, bool alt, bool repeat) noexcept {
    const bool opens = (key == VK_F4 && !alt) || (key == VK_DOWN && alt);
    if (!opens || repeat || !menu_) {
        return CZelButtonBase::OnKey(key, alt, repeat);
    }
    OpenMenu();
    // From the keyboard the first item is lit at once, ready for Enter.
    menu_->SetHoveredIndex(0);
    menu_->Redraw();
    return true;
}
