#include "BufferedPaint.h"

#include "SkinImages.h"

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
    if (buffer_) {
        buffer_->CopyTo(target_, origin_.x, origin_.y);
    }
    buffer_.reset();
    if (window_ != nullptr) {
        EndPaint(window_, &paint_);
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
