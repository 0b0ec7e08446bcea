#include "skin/OffscreenBuffer.h"

OffscreenBuffer::OffscreenBuffer(HDC target, int width, int height) noexcept
    : width_(width > 0 ? width : 1), height_(height > 0 ? height : 1) {
    dc_ = CreateCompatibleDC(target);
    if (dc_ == nullptr) {
        return;
    }
    bitmap_ = CreateCompatibleBitmap(target, width_, height_);
    if (bitmap_ == nullptr) {
        DeleteDC(dc_);
        dc_ = nullptr;
        return;
    }
    previous_ = SelectObject(dc_, bitmap_);
}

OffscreenBuffer::~OffscreenBuffer() {
    if (dc_ != nullptr) {
        // Our bitmap must be deselected before either is deleted, or it leaks.
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    if (bitmap_ != nullptr) {
        DeleteObject(bitmap_);
    }
}

void OffscreenBuffer::CopyTo(HDC target, int x, int y) const noexcept {
    if (IsValid()) {
        BitBlt(target, x, y, width_, height_, dc_, 0, 0, SRCCOPY);
    }
}
