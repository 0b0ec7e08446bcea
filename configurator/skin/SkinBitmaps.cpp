#include "skin/SkinBitmaps.h"

#include <cstring>
#include <vector>

#include "base/FileUtil.h"
#include "skin/logic/BmpLayout.h"

HBITMAP CreateTopDownBitmap(int width, int height, void*& bits) noexcept {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr && bits != nullptr) {
        return bitmap;
    }
    if (bitmap != nullptr) {
        DeleteObject(bitmap);
    }
    bits = nullptr;
    return nullptr;
}

std::unique_ptr<Gdiplus::Bitmap> CopyBitmapRect(Gdiplus::Bitmap& source,
                                                const Gdiplus::Rect& rect) noexcept {
    if (rect.Width <= 0 || rect.Height <= 0 || rect.X < 0 || rect.Y < 0 ||
        rect.GetRight() > static_cast<INT>(source.GetWidth()) ||
        rect.GetBottom() > static_cast<INT>(source.GetHeight())) {
        return nullptr;
    }
    Gdiplus::PixelFormat format = source.GetPixelFormat();
    if (Gdiplus::IsIndexedPixelFormat(format) || Gdiplus::GetPixelFormatSize(format) < 24) {
        format = PixelFormat32bppARGB;
    }
    auto copy = std::make_unique<Gdiplus::Bitmap>(rect.Width, rect.Height, format);
    if (copy->GetLastStatus() != Gdiplus::Ok) {
        return nullptr;
    }
    Gdiplus::BitmapData from{};
    Gdiplus::BitmapData to{};
    Gdiplus::Rect whole(0, 0, rect.Width, rect.Height);
    if (source.LockBits(&rect, Gdiplus::ImageLockModeRead, format, &from) != Gdiplus::Ok) {
        return nullptr;
    }
    bool ok = copy->LockBits(&whole, Gdiplus::ImageLockModeWrite, format, &to) == Gdiplus::Ok;
    if (ok) {
        size_t rowBytes = static_cast<size_t>(rect.Width) * Gdiplus::GetPixelFormatSize(format) / 8;
        for (INT y = 0; y < rect.Height; ++y) {
            memcpy(static_cast<BYTE*>(to.Scan0) + static_cast<ptrdiff_t>(y) * to.Stride,
                   static_cast<const BYTE*>(from.Scan0) + static_cast<ptrdiff_t>(y) * from.Stride,
                   rowBytes);
        }
        copy->UnlockBits(&to);
    }
    source.UnlockBits(&from);
    return ok ? std::move(copy) : nullptr;
}

namespace {

// An uncompressed 24-bit bitmap file: its rows are copied into a GDI+ bitmap of the same
// layout, without the system's decoders (which cost most of the program's start-up).
std::unique_ptr<Gdiplus::Bitmap> BitmapFromBmp(const std::vector<uint8_t>& bytes,
                                               const BmpLayout& layout) noexcept {
    auto bitmap =
        std::make_unique<Gdiplus::Bitmap>(layout.width, layout.height, PixelFormat24bppRGB);
    if (bitmap->GetLastStatus() != Gdiplus::Ok) {
        return nullptr;
    }
    Gdiplus::Rect whole(0, 0, layout.width, layout.height);
    Gdiplus::BitmapData to{};
    if (bitmap->LockBits(&whole, Gdiplus::ImageLockModeWrite, PixelFormat24bppRGB, &to) !=
        Gdiplus::Ok) {
        return nullptr;
    }
    const size_t rowBytes = static_cast<size_t>(layout.width) * 3;
    for (int32_t y = 0; y < layout.height; ++y) {
        const int32_t stored = layout.topDown ? y : layout.height - 1 - y;
        memcpy(static_cast<BYTE*>(to.Scan0) + static_cast<ptrdiff_t>(y) * to.Stride,
               bytes.data() + layout.pixelOffset + static_cast<size_t>(stored) * layout.rowBytes,
               rowBytes);
    }
    bitmap->UnlockBits(&to);
    return bitmap;
}

}  // namespace

std::unique_ptr<Gdiplus::Bitmap> ResizeBitmap(Gdiplus::Bitmap& source, int width,
                                              int height) noexcept {
    if (width <= 0 || height <= 0) {
        return nullptr;
    }
    auto resized = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
    if (resized->GetLastStatus() != Gdiplus::Ok) {
        return nullptr;
    }
    Gdiplus::Graphics graphics(resized.get());
    Gdiplus::ImageAttributes attributes;
    attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    const Gdiplus::Status drawn = graphics.DrawImage(
        &source, Gdiplus::Rect(0, 0, width, height), 0, 0, static_cast<INT>(source.GetWidth()),
        static_cast<INT>(source.GetHeight()), Gdiplus::UnitPixel, &attributes);
    return drawn == Gdiplus::Ok ? std::move(resized) : nullptr;
}

std::unique_ptr<Gdiplus::Bitmap> FitTo(std::unique_ptr<Gdiplus::Bitmap> image,
                                       const PixelRect& wanted) noexcept {
    if (!image || (static_cast<int>(image->GetWidth()) == wanted.Width() &&
                   static_cast<int>(image->GetHeight()) == wanted.Height())) {
        return image;
    }
    return ResizeBitmap(*image, wanted.Width(), wanted.Height());
}

std::unique_ptr<Gdiplus::Bitmap> CopyBitmap(Gdiplus::Bitmap& source) noexcept {
    return CopyBitmapRect(source, Gdiplus::Rect(0, 0, static_cast<INT>(source.GetWidth()),
                                                static_cast<INT>(source.GetHeight())));
}

std::unique_ptr<Gdiplus::Bitmap> LoadSkinImage(const std::filesystem::path& path) noexcept {
    // Read once and decoded once: the sheets are most of the program's start-up.
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes) || bytes.empty()) {
        return nullptr;
    }
    BmpLayout layout;
    if (ReadBmpLayout(bytes.data(), bytes.size(), bytes.size(), layout)) {
        return BitmapFromBmp(bytes, layout);
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (block == nullptr) {
        return nullptr;
    }
    if (void* target = GlobalLock(block)) {
        memcpy(target, bytes.data(), bytes.size());
        GlobalUnlock(block);
    }
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream))) {
        GlobalFree(block);
        return nullptr;
    }
    std::unique_ptr<Gdiplus::Bitmap> result;
    {
        // A bitmap decoded from a stream reads from it for as long as it lives; the copy made
        // here owns its pixels, so the stream and its memory can go at once.
        // Only what the library decodes as a bitmap with some image flags is taken.
        Gdiplus::Bitmap decoded(stream);
        if (decoded.GetLastStatus() == Gdiplus::Ok && decoded.GetFlags() != 0) {
            result = CopyBitmap(decoded);
        }
    }
    stream->Release();
    return result;
}
