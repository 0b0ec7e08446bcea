#include "skin/OffscreenBuffer.h"

OffscreenBuffer::OffscreenBuffer(HDC target, int width, int height) noexcept
    : width_(width > 0 ? width : 1),
      height_(height > 0 ? height : 1),
      dc_(CreateCompatibleDC(target)),
      bitmap_(dc_ ? CreateCompatibleBitmap(target, width_, height_) : nullptr),
      selection_(dc_.Get(), bitmap_.Get()) {}

void OffscreenBuffer::CopyTo(HDC target, int x, int y) const noexcept {
    if (IsValid()) {
        BitBlt(target, x, y, width_, height_, dc_.Get(), 0, 0, SRCCOPY);
    }
}
