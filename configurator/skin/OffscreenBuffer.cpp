#include "skin/OffscreenBuffer.h"

#include <memory>
#include <new>
#include <vector>

#include "skin/ScopedWin.h"

// A memory DC with a bitmap selected into it for as long as both live.
struct BufferSurface {
    ScopedDC dc;
    ScopedBitmap bitmap;
    HGDIOBJ original = nullptr;  // what the DC held before the first bitmap went in
    int width = 0;
    int height = 0;
    bool pooled = false;
    bool inUse = false;

    ~BufferSurface() {
        if (dc && original != nullptr) {
            SelectObject(dc.Get(), original);
        }
    }

    // Puts a bitmap of at least width x height into the DC, keeping the one there if it is
    // big enough.
    bool Fit(HDC target, int wantedWidth, int wantedHeight) noexcept {
        if (!dc) {
            dc.Reset(CreateCompatibleDC(target));
            if (!dc) {
                return false;
            }
        }
        if (bitmap && width >= wantedWidth && height >= wantedHeight) {
            return true;
        }
        const int newWidth = wantedWidth > width ? wantedWidth : width;
        const int newHeight = wantedHeight > height ? wantedHeight : height;
        ScopedBitmap made(CreateCompatibleBitmap(target, newWidth, newHeight));
        if (!made) {
            return false;
        }
        HGDIOBJ previous = SelectObject(dc.Get(), made.Get());
        if (original == nullptr) {
            original = previous;
        }
        bitmap = std::move(made);
        width = newWidth;
        height = newHeight;
        return true;
    }
};

namespace {

// Controls and the pieces of windows they paint are small; a buffer larger than this (a whole
// window at a high scale) is made for its paint alone rather than kept.
constexpr long long kLargestKeptPixels = 512LL * 512LL;

std::vector<std::unique_ptr<BufferSurface>>& Pool() {
    static std::vector<std::unique_ptr<BufferSurface>> pool;
    return pool;
}

// A surface for one buffer; null without memory for one.
BufferSurface* TakeSurface(int width, int height) noexcept {
    if (static_cast<long long>(width) * height > kLargestKeptPixels) {
        return new (std::nothrow) BufferSurface();
    }
    for (const std::unique_ptr<BufferSurface>& surface : Pool()) {
        if (!surface->inUse) {
            surface->inUse = true;
            return surface.get();
        }
    }
    try {
        Pool().push_back(std::make_unique<BufferSurface>());
    } catch (...) {
        return nullptr;
    }
    BufferSurface* surface = Pool().back().get();
    surface->pooled = true;
    surface->inUse = true;
    return surface;
}

void GiveBack(BufferSurface* surface) noexcept {
    if (surface->pooled) {
        surface->inUse = false;
    } else {
        delete surface;
    }
}

}  // namespace

OffscreenBuffer::OffscreenBuffer(HDC target, int width, int height) noexcept
    : width_(width > 0 ? width : 1), height_(height > 0 ? height : 1) {
    if (target == nullptr) {
        return;
    }
    surface_ = TakeSurface(width_, height_);
    if (surface_ == nullptr || !surface_->Fit(target, width_, height_)) {
        return;
    }
    dc_ = surface_->dc.Get();
    // Whatever a painter selects or sets in the DC goes back when the buffer is done, and the
    // pixels start black as in a new bitmap.
    savedState_ = SaveDC(dc_);
    PatBlt(dc_, 0, 0, width_, height_, BLACKNESS);
}

OffscreenBuffer::~OffscreenBuffer() {
    if (dc_ != nullptr && savedState_ != 0) {
        RestoreDC(dc_, savedState_);
    }
    if (surface_ != nullptr) {
        GiveBack(surface_);
    }
}

void OffscreenBuffer::CopyTo(HDC target, int x, int y) const noexcept {
    if (IsValid()) {
        BitBlt(target, x, y, width_, height_, dc_, 0, 0, SRCCOPY);
    }
}
