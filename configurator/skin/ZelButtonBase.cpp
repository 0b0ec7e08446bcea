#include "skin/ZelButtonBase.h"

#include <commctrl.h>
#include <windowsx.h>

#include "skin/BufferedPaint.h"
#include "skin/ButtonAccess.h"
#include "skin/FocusMark.h"
#include "skin/SkinImages.h"

void CZelButtonBase::SetImages(ButtonImages images) noexcept {
    images_[kSkinNormal] = std::move(images.normal);
    images_[kSkinOver] = std::move(images.over);
    images_[kSkinDown] = std::move(images.down);
    images_[kSkinDisable] = std::move(images.disable);
    Redraw();
}

void CZelButtonBase::SetImages(SkinImage normal, SkinImage over, SkinImage down,
                               SkinImage disable) noexcept {
    SetImages(
        ButtonImages{std::move(normal), std::move(over), std::move(down), std::move(disable)});
}

DWORD CZelButtonBase::WantedStyle(DWORD style) const noexcept {
    return CZelWnd::WantedStyle((style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW);
}

LRESULT CZelButtonBase::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    LRESULT result;
    switch (msg) {
        case WM_MOUSEMOVE:
            result = DefaultHandling(msg, wParam, lParam);
            OnMouseMove(wParam, lParam);
            return result;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            // A quick second click is a press like any other, not a double click.
            result = DefaultHandling(WM_LBUTTONDOWN, wParam, lParam);
            OnButtonDown();
            return result;
        case WM_LBUTTONUP:
            result = DefaultHandling(msg, wParam, lParam);
            OnButtonUp();
            return result;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            result = DefaultHandling(msg, wParam, lParam);
            Redraw();
            return result;
        case WM_ERASEBKGND:
            return TRUE;
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH: {
            std::wstring text;
            if (ShownText(text)) {
                return AnswerTextQuery(msg, text, wParam, lParam);
            }
            return CZelWnd::HandleMessage(msg, wParam, lParam);
        }
        case BM_GETCHECK:
            return ShowsDown() ? BST_CHECKED : BST_UNCHECKED;
        case BM_GETSTATE:
            return OnGetState();
        default:
            return CZelWnd::HandleMessage(msg, wParam, lParam);
    }
}

LRESULT CZelButtonBase::OnGetState() const noexcept {
    // What the owner-drawn control shows, not the system button's own idea of it.
    LRESULT state = ShowsDown() ? BST_CHECKED : BST_UNCHECKED;
    if (state_ == kSkinDown) {
        state |= BST_PUSHED;
    }
    if (state_ == kSkinOver) {
        state |= BST_HOT;
    }
    if (GetFocus() == Hwnd()) {
        state |= BST_FOCUS;
    }
    return state;
}

bool CZelButtonBase::OnReflectedMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) noexcept {
    if (msg != WM_DRAWITEM) {
        return false;
    }
    OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
}

void CZelButtonBase::OnMouseMove(WPARAM keys, LPARAM point) noexcept {
    switch (hover_.OnMouseMove(*this, GET_X_LPARAM(point), GET_Y_LPARAM(point))) {
        case HoverCapture::Move::kEntered:
            pressed_ = (keys & MK_LBUTTON) != 0;
            state_ = kSkinOver;
            Redraw();
            OnHoverStarted();
            break;
        case HoverCapture::Move::kLeft:
            pressed_ = false;
            state_ = kSkinNormal;
            Redraw();
            break;
        case HoverCapture::Move::kInside:
            break;
    }
}

void CZelButtonBase::OnButtonDown() noexcept {
    pressed_ = true;
    state_ = kSkinDown;
    Redraw();
    OnPressed();
}

void CZelButtonBase::OnButtonUp() noexcept {
    bool wasPressed = pressed_;
    OnReleased(wasPressed);
    pressed_ = false;
    state_ = kSkinNormal;
    Redraw();
}

void CZelButtonBase::OnReleased(bool) noexcept {}

Gdiplus::Bitmap* CZelButtonBase::ChooseImage() const noexcept {
    if (!IsEnabled() && images_[kSkinDisable]) {
        return images_[kSkinDisable].Get();
    }
    if (ShowsDown() && images_[kSkinDown]) {
        return images_[kSkinDown].Get();
    }
    if (state_ == kSkinDown && images_[kSkinDown]) {
        return images_[kSkinDown].Get();
    }
    if (state_ == kSkinNormal && images_[kSkinNormal]) {
        return images_[kSkinNormal].Get();
    }
    if (state_ == kSkinOver && images_[kSkinOver]) {
        return images_[kSkinOver].Get();
    }
    return nullptr;
}

void CZelButtonBase::OnDrawItem(const DRAWITEMSTRUCT& item) noexcept {
    const RECT client = ClientRect();
    BufferedPaint paint(item.hDC, client);
    if (!paint.IsValid()) {
        return;
    }
    Gdiplus::Bitmap* image = ChooseImage();
    if (image == nullptr) {
        // Nothing of our own to show: let the window behind show through.
        DrawParentBackground(Hwnd(), paint.Dc());
    }
    DrawSkinImage(paint.Graphics(), image, 0, 0, paint.Width(), paint.Height());
    DrawCaption(paint.Dc(), client);
}

void CZelButtonBase::DrawCaptionText(HDC dc, const RECT& client, const std::wstring& text,
                                     HFONT font, uint32_t argb, int indent) noexcept {
    DrawLabelRecord label;
    label.text = text;
    label.colour = ArgbToColourRef(argb);
    label.centreVertically = true;
    label.left = client.left + ScaledLength(indent);
    label.top = client.top;
    label.right = client.right;
    label.bottom = client.bottom;
    DrawLabel(label, font, dc);
}

// ---- screen readers and the keyboard --------------------------------------------------------

void CZelButtonBase::Click() noexcept {
    if (Hwnd() == nullptr || !IsEnabled()) {
        return;
    }
    // The steps of a mouse click: the platform button sends the click command between the press
    // and the release, so a check box toggles after its parent has seen the command.
    OnButtonDown();
    SendMessageW(Parent(), WM_COMMAND, MAKEWPARAM(ControlId(), BN_CLICKED),
                 reinterpret_cast<LPARAM>(Hwnd()));
    OnButtonUp();
}

bool CZelButtonBase::DescribeSelf(AccessInfo& info) const noexcept {
    std::wstring shown;
    if (!ShownText(shown)) {
        shown = Text();
    }
    DescribeButton({AccessNameOr(shown), AccessHintOf(), ShowsDown(), state_}, info);
    return true;
}

bool CZelButtonBase::DoAccessAction(int index) noexcept {
    if (index >= 0 || AccessHintOf() == AccessHint::kDecoration) {
        return false;
    }
    Click();
    return true;
}

bool CZelButtonBase::OnKey(UINT key, bool alt, bool repeat) noexcept {
    if (alt || (key != VK_SPACE && key != VK_RETURN)) {
        return false;
    }
    // The dialog gives the focus to its first button when it opens, and a click leaves it on the
    // clicked one: only a focus the user moved with the keyboard (the one the mark shows) is
    // pressed by a key. Space is taken either way, so the system's button never clicks on it.
    if (repeat || !FocusCuesShown(Hwnd())) {
        return key == VK_SPACE;
    }
    Click();
    return true;
}

UINT CZelButtonBase::WantedKeys(const MSG* message) const noexcept {
    // Enter presses the button with the focus rather than the dialog's default, once the user
    // moves through the window with the keyboard; until then it stays the dialog's Enter.
    const bool enter =
        message != nullptr && message->message == WM_KEYDOWN && message->wParam == VK_RETURN;
    return enter && FocusCuesShown(Hwnd()) ? DLGC_WANTMESSAGE : 0;
}
