#include "skin/BufferedPaint.h"

#include "skin/FocusMark.h"
#include "skin/SkinImages.h"

BufferedPaint::BufferedPaint(HWND window) noexcept {
    if (window == nullptr) {
        return;
    }
    target_ = BeginPaint(window, &paint_);
    window_ = window;
    RECT client{};
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    MakeBuffer();
}

BufferedPaint::BufferedPaint(const DRAWITEMSTRUCT& item) noexcept
    : BufferedPaint(item.hDC, item.rcItem) {}

BufferedPaint::BufferedPaint(HDC target, const RECT& area) noexcept
    : target_(target),
      origin_{area.left, area.top},
      width_(area.right - area.left),
      height_(area.bottom - area.top) {
    MakeBuffer();
}

void BufferedPaint::MakeBuffer() noexcept {
    if (target_ == nullptr || width_ <= 0 || height_ <= 0) {
        return;
    }
    buffer_ = std::make_unique<OffscreenBuffer>(target_, width_, height_);
    if (!buffer_->IsValid()) {
        // Without memory for a buffer the control still draws, straight onto the target.
        buffer_.reset();
    }
}

BufferedPaint::~BufferedPaint() {
    graphics_.reset();
    MarkFocus();
    if (buffer_) {
        buffer_->CopyTo(target_, origin_.x, origin_.y);
    }
    buffer_.reset();
    if (window_ != nullptr) {
        EndPaint(window_, &paint_);
    }
}

void BufferedPaint::MarkFocus() noexcept {
    if (target_ == nullptr || width_ <= 0 || height_ <= 0) {
        return;
    }
    // The window painted: the one of the paint request, or the one whose DC an owner-draw
    // request brought (a buffer's memory DC has none).
    HWND window = window_ != nullptr ? window_ : WindowFromDC(target_);
    RECT client{};
    if (window == nullptr || !GetClientRect(window, &client) || origin_.x != 0 || origin_.y != 0 ||
        client.right != width_ || client.bottom != height_) {
        return;  // a part of a window, such as the background behind a control
    }
    if (buffer_) {
        DrawFocusMarkIfFocused(window, buffer_->Dc(), 0, 0, width_, height_);
    } else {
        DrawFocusMarkIfFocused(window, target_, origin_.x, origin_.y, width_, height_);
    }
}

Gdiplus::Graphics& BufferedPaint::Graphics() noexcept {
    if (!graphics_) {
        // Drawing straight onto the target uses its coordinates, so shift to the area.
        graphics_ = std::make_unique<Gdiplus::Graphics>(buffer_ ? buffer_->Dc() : target_);
        if (!buffer_) {
            graphics_->TranslateTransform(static_cast<Gdiplus::REAL>(origin_.x),
                                          static_cast<Gdiplus::REAL>(origin_.y));
        }
        PrepareGraphics(*graphics_);
    }
    return *graphics_;
}

HDC BufferedPaint::Dc() noexcept {
    graphics_.reset();
    return buffer_ ? buffer_->Dc() : target_;
}
