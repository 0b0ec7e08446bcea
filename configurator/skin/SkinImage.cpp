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

SkinImage::SkinImage(SkinImage&& other) noexcept
    : image_(std::exchange(other.image_, nullptr)), owned_(std::exchange(other.owned_, false)) {}

SkinImage& SkinImage::operator=(SkinImage&& other) noexcept {
    if (this != &other) {
        Reset();
        image_ = std::exchange(other.image_, nullptr);
        owned_ = std::exchange(other.owned_, false);
    }
    return *this;
}

SkinImage::~SkinImage() {
    Reset();
}

void SkinImage::Reset() noexcept {
    if (owned_) {
        delete image_;
    }
    image_ = nullptr;
    owned_ = false;
}

int SkinImage::Width() const noexcept {
    return image_ ? static_cast<int>(image_->GetWidth()) : 0;
}

int SkinImage::Height() const noexcept {
    return image_ ? static_cast<int>(image_->GetHeight()) : 0;
}

SkinImage SkinImage::Copy() const noexcept {
    if (image_ == nullptr) {
        return {};
    }
    return Owned(CopyBitmap(*image_));
}
