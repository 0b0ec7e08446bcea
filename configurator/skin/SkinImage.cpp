#include "skin/SkinImage.h"

#include <utility>

#include "skin/SkinImages.h"

SkinImage SkinImage::Owned(std::unique_ptr<Gdiplus::Bitmap> image) noexcept {
    SkinImage result;
    result.image_ = image.release();
    result.owned_ = result.image_ != nullptr;
    return result;
}

SkinImage SkinImage::Shared(Gdiplus::Bitmap* sheet) noexcept {
    SkinImage result;
    result.image_ = sheet;
    result.owned_ = false;
    return result;
}

SkinImage SkinImage::Pending(std::shared_ptr<PendingSkinPiece> piece) noexcept {
    SkinImage result;
    result.pending_ = std::move(piece);
    return result;
}

SkinImage::SkinImage(SkinImage&& other) noexcept {
    TakeOver(other);
}

SkinImage& SkinImage::operator=(SkinImage&& other) noexcept {
    if (this != &other) {
        Reset();
        TakeOver(other);
    }
    return *this;
}

SkinImage::~SkinImage() {
    Reset();
}

void SkinImage::TakeOver(SkinImage& other) noexcept {
    image_ = std::exchange(other.image_, nullptr);
    owned_ = std::exchange(other.owned_, false);
    pending_ = std::move(other.pending_);
    other.pending_.reset();
}

void SkinImage::Reset() noexcept {
    if (owned_) {
        delete image_;
    }
    image_ = nullptr;
    owned_ = false;
    pending_.reset();
}

Gdiplus::Bitmap* SkinImage::Get() const noexcept {
    if (pending_) {
        SkinImage cut = TakePendingSkinPiece(*pending_);
        pending_.reset();
        image_ = std::exchange(cut.image_, nullptr);
        owned_ = std::exchange(cut.owned_, false);
    }
    return image_;
}

int SkinImage::Width() const noexcept {
    Gdiplus::Bitmap* image = Get();
    return image ? static_cast<int>(image->GetWidth()) : 0;
}

int SkinImage::Height() const noexcept {
    Gdiplus::Bitmap* image = Get();
    return image ? static_cast<int>(image->GetHeight()) : 0;
}

SkinImage SkinImage::Copy() const noexcept {
    Gdiplus::Bitmap* image = Get();
    if (image == nullptr) {
        return {};
    }
    return Owned(CopyBitmap(*image));
}
