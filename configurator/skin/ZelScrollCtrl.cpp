#include "skin/ZelScrollCtrl.h"

#include <objidl.h>
#include <gdiplus.h>
#include <windowsx.h>

#include "skin/BufferedPaint.h"
#include "skin/SkinImages.h"

namespace {

constexpr int kStateNormal = 0;
constexpr int kStateOver = 1;
constexpr int kStateDown = 2;

}  // namespace

void CZelScrollCtrl::SetImages(ScrollImages images) noexcept {
    images_ = std::move(images);
    const RECT client = ClientRect();
    if (client.right > client.bottom) {
        model.LayOut(client.right, client.bottom, images_.firstArrow.Width(),
                     images_.secondArrow.Width(), images_.thumb.Width());
    } else {
        model.LayOut(client.right, client.bottom, images_.firstArrow.Height(),
                     images_.secondArrow.Height(), images_.thumb.Height());
    }
    Redraw();
}

void CZelScrollCtrl::SetImages(SkinImage background, SkinImage thumb, SkinImage pressedThumb,
                               SkinImage firstArrow, SkinImage pressedFirstArrow,
                               SkinImage secondArrow, SkinImage pressedSecondArrow) noexcept {
    SetImages(ScrollImages{std::move(background), std::move(thumb), std::move(pressedThumb),
                           std::move(firstArrow), std::move(pressedFirstArrow),
                           std::move(secondArrow), std::move(pressedSecondArrow)});
}

void CZelScrollCtrl::SetPos(int32_t position) noexcept {
    const int32_t clamped = model.SetPos(position);
    Redraw();
    NotifyParent(ControlId(), clamped);
}

int CZelScrollCtrl::Coordinate(int x, int y) const noexcept {
    return model.orientation == ScrollOrientation::kHorizontal ? x : y;
}

void CZelScrollCtrl::TakePositionAtPointer(int x, int y) noexcept {
    if (std::optional<int32_t> report = model.TrackPointer(Coordinate(x, y))) {
        NotifyParent(ControlId(), *report);
    }
}

LRESULT CZelScrollCtrl::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            LRESULT result = DefaultHandling(msg, wParam, lParam);
            OnLeftButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return result;
        }
        case WM_LBUTTONUP: {
            LRESULT result = DefaultHandling(msg, wParam, lParam);
            OnLeftButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return result;
        }
        case WM_MOUSEMOVE: {
            LRESULT result = DefaultHandling(msg, wParam, lParam);
            OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), wParam);
            return result;
        }
        case SBM_GETPOS:
            return model.position;
        case SBM_GETRANGE:
            return OnGetRange(reinterpret_cast<int*>(wParam), reinterpret_cast<int*>(lParam));
        default:
            return CZelOwnerDrawnStatic::HandleMessage(msg, wParam, lParam);
    }
}

LRESULT CZelScrollCtrl::OnGetRange(int* minimum, int* maximum) const noexcept {
    if (minimum != nullptr) {
        *minimum = model.minimum;
    }
    if (maximum != nullptr) {
        *maximum = model.maximum;
    }
    return 0;
}

void CZelScrollCtrl::OnLeftButtonDown(int x, int y) noexcept {
    pressed_ = true;
    state_ = kStateDown;
    pressedPart_ = model.HitTest(x, y);
    if (model.track.Contains(x, y)) {
        TakePositionAtPointer(x, y);
    }
    Redraw();
}

void CZelScrollCtrl::OnLeftButtonUp(int x, int y) noexcept {
    if (model.track.Contains(x, y)) {
        TakePositionAtPointer(x, y);
    }
    if (pressedPart_ == ScrollPart::kSecondArrow) {
        NotifyParent(ControlId(), model.maximum);
        SetPos(model.maximum);
    } else if (pressedPart_ == ScrollPart::kFirstArrow) {
        NotifyParent(ControlId(), model.minimum);
        SetPos(model.minimum);
    }
    pressed_ = false;
    state_ = kStateNormal;
    pressedPart_ = ScrollPart::kNone;
    Redraw();
}

void CZelScrollCtrl::OnMouseMove(int x, int y, WPARAM keys) noexcept {
    if (state_ == kStateDown && model.track.Contains(x, y)) {
        TakePositionAtPointer(x, y);
        Redraw();
    }
    switch (hover_.OnMouseMove(*this, x, y)) {
        case HoverCapture::Move::kEntered:
            pressed_ = (keys & MK_LBUTTON) != 0;
            state_ = kStateOver;
            Redraw();
            break;
        case HoverCapture::Move::kLeft:
            pressed_ = false;
            state_ = kStateNormal;
            Redraw();
            break;
        case HoverCapture::Move::kInside:
            break;
    }
}

void CZelScrollCtrl::OnDrawItem(const DRAWITEMSTRUCT& item) noexcept {
    BufferedPaint paint(item);
    if (!paint.IsValid()) {
        return;
    }
    Gdiplus::Graphics& graphics = paint.Graphics();
    auto draw = [&graphics](const SkinImage& image, const PixelRect& rect) {
        DrawSkinImage(graphics, image.Get(), rect.left, rect.top, rect.Width(), rect.Height());
    };
    DrawSkinImage(graphics, images_.background.Get(), 0, 0, paint.Width(), paint.Height());
    draw(pressedPart_ == ScrollPart::kFirstArrow ? images_.pressedFirstArrow : images_.firstArrow,
         model.firstArrow);
    draw(
        pressedPart_ == ScrollPart::kSecondArrow ? images_.pressedSecondArrow : images_.secondArrow,
        model.secondArrow);
    draw(pressedPart_ == ScrollPart::kThumb ? images_.pressedThumb : images_.thumb, model.thumb);
}

bool CZelScrollCtrl::DescribeSelf(AccessInfo& info) const noexcept {
    info.role = ROLE_SYSTEM_SCROLLBAR;
    info.name = AccessNameOr(model.orientation == ScrollOrientation::kVertical ? L"Vertical"
                                                                               : L"Horizontal");
    info.value = std::to_wstring(model.position);
    return true;
}
