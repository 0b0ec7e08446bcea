#pragma once
// SkinImage: an image handed out by GetSkinPiece. Cut pieces and copies belong to the holder
// and are freed with it; a shared sheet belongs to the skin cache and is only borrowed.

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>

class SkinImage {
  public:
    SkinImage() = default;
    static SkinImage Owned(std::unique_ptr<Gdiplus::Bitmap> image) noexcept;
    static SkinImage Shared(Gdiplus::Bitmap* sheet) noexcept;

    SkinImage(SkinImage&& other) noexcept;
    SkinImage& operator=(SkinImage&& other) noexcept;
    SkinImage(const SkinImage&) = delete;
    SkinImage& operator=(const SkinImage&) = delete;
    ~SkinImage();

    Gdiplus::Bitmap* Get() const noexcept { return image_; }
    explicit operator bool() const noexcept { return image_ != nullptr; }
    bool IsShared() const noexcept { return image_ != nullptr && !owned_; }
    int Width() const noexcept;
    int Height() const noexcept;
    // A copy owned by the caller (how a dialog keeps its own background).
    SkinImage Copy() const noexcept;
    void Reset() noexcept;

  private:
    Gdiplus::Bitmap* image_ = nullptr;
    bool owned_ = false;
};
