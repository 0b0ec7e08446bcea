#pragma once
// SkinImage: an image handed out by GetSkinPiece. Cut pieces and copies belong to the holder
// and are freed with it; a shared sheet belongs to the skin cache and is only borrowed.
// A piece of the skin sheets is cut when it is first looked at (most controls are made hidden,
// or show one of their states only): until then the image holds the request, which the skin
// cache may also fulfil beforehand in idle time (CutPendingSkinPieces).

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>

// A piece asked for and not cut yet; defined by the skin cache, which queues it.
struct PendingSkinPiece;

class SkinImage {
  public:
    SkinImage() = default;
    static SkinImage Owned(std::unique_ptr<Gdiplus::Bitmap> image) noexcept;
    static SkinImage Shared(Gdiplus::Bitmap* sheet) noexcept;
    static SkinImage Pending(std::shared_ptr<PendingSkinPiece> piece) noexcept;

    SkinImage(SkinImage&& other) noexcept;
    SkinImage& operator=(SkinImage&& other) noexcept;
    SkinImage(const SkinImage&) = delete;
    SkinImage& operator=(const SkinImage&) = delete;
    ~SkinImage();

    // Each look cuts a pending piece first.
    Gdiplus::Bitmap* Get() const noexcept;
    explicit operator bool() const noexcept { return Get() != nullptr; }
    bool IsShared() const noexcept { return Get() != nullptr && !owned_; }
    // Whether the piece is still to be cut (and nothing else): a look that does not cut it.
    bool IsPending() const noexcept { return pending_ != nullptr; }
    // The request of a piece still to be cut (the skin cache's own), else null.
    const PendingSkinPiece* PendingPiece() const noexcept {
        return image_ == nullptr ? pending_.get() : nullptr;
    }
    int Width() const noexcept;
    int Height() const noexcept;
    // A copy owned by the caller (how a dialog keeps its own background).
    SkinImage Copy() const noexcept;
    void Reset() noexcept;

  private:
    void TakeOver(SkinImage& other) noexcept;

    // Filled in when a pending piece is first looked at, which drawing does through a const
    // holder.
    mutable Gdiplus::Bitmap* image_ = nullptr;
    mutable bool owned_ = false;
    mutable std::shared_ptr<PendingSkinPiece> pending_;
};
