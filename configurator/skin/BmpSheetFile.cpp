#include "skin/BmpSheetFile.h"

#include <cstring>
#include <utility>
#include <vector>

#include "skin/SkinBitmaps.h"

CBmpSheetFile::CBmpSheetFile(CBmpSheetFile&& other) noexcept
    : file_(std::exchange(other.file_, INVALID_HANDLE_VALUE)), layout_(other.layout_) {}

CBmpSheetFile& CBmpSheetFile::operator=(CBmpSheetFile&& other) noexcept {
    if (this != &other) {
        Close();
        file_ = std::exchange(other.file_, INVALID_HANDLE_VALUE);
        layout_ = other.layout_;
    }
    return *this;
}

CBmpSheetFile::~CBmpSheetFile() {
    Close();
}

bool CBmpSheetFile::Open(const std::filesystem::path& path) noexcept {
    Close();
    file_ = CreateFileW(path.c_str(), GENERIC_READ,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) {
        return false;
    }
    LARGE_INTEGER size{};
    uint8_t header[256];
    DWORD got = 0;
    if (!GetFileSizeEx(file_, &size) || size.QuadPart <= 0 ||
        !ReadFile(file_, header, sizeof(header), &got, nullptr) ||
        !ReadBmpLayout(header, got, static_cast<uint64_t>(size.QuadPart), layout_)) {
        Close();
        return false;
    }
    return true;
}

void CBmpSheetFile::Close() noexcept {
    if (file_ != INVALID_HANDLE_VALUE) {
        CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
    }
    layout_ = BmpLayout{};
}

bool CBmpSheetFile::ReadAt(uint64_t offset, void* into, DWORD length) const noexcept {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD got = 0;
    return ReadFile(file_, into, length, &got, &at) && got == length;
}

bool CBmpSheetFile::Fits(const PixelRect& rect) const noexcept {
    return IsOpen() && rect.left >= 0 && rect.top >= 0 && rect.right <= layout_.width &&
           rect.bottom <= layout_.height && rect.Width() > 0 && rect.Height() > 0;
}

bool CBmpSheetFile::ReadRows(int32_t top, int32_t rows, std::vector<uint8_t>& into) const noexcept {
    // The rows lie together in the file, from the lowest stored one on.
    const int32_t firstStored = layout_.topDown ? top : layout_.height - top - rows;
    try {
        into.resize(static_cast<size_t>(rows) * layout_.rowBytes);
    } catch (...) {
        return false;
    }
    return ReadAt(layout_.pixelOffset + static_cast<uint64_t>(firstStored) * layout_.rowBytes,
                  into.data(), static_cast<DWORD>(into.size()));
}

std::unique_ptr<Gdiplus::Bitmap> CBmpSheetFile::Cut(const PixelRect& rect) const noexcept {
    std::vector<uint8_t> stored;
    if (!Fits(rect) || !ReadRows(rect.top, rect.Height(), stored)) {
        return nullptr;
    }
    const int32_t rows = rect.Height();
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(rect.Width(), rows, PixelFormat24bppRGB);
    if (bitmap->GetLastStatus() != Gdiplus::Ok) {
        return nullptr;
    }
    Gdiplus::Rect whole(0, 0, rect.Width(), rows);
    Gdiplus::BitmapData to{};
    if (bitmap->LockBits(&whole, Gdiplus::ImageLockModeWrite, PixelFormat24bppRGB, &to) !=
        Gdiplus::Ok) {
        return nullptr;
    }
    const size_t rowBytes = static_cast<size_t>(rect.Width()) * 3;
    const size_t skip = static_cast<size_t>(rect.left) * 3;
    for (int32_t y = 0; y < rows; ++y) {
        const int32_t index = layout_.topDown ? y : rows - 1 - y;
        memcpy(static_cast<BYTE*>(to.Scan0) + static_cast<ptrdiff_t>(y) * to.Stride,
               stored.data() + static_cast<size_t>(index) * layout_.rowBytes + skip, rowBytes);
    }
    bitmap->UnlockBits(&to);
    return bitmap;
}

std::unique_ptr<Gdiplus::Bitmap> CBmpSheetFile::Whole() const noexcept {
    return Cut(PixelRect{0, 0, layout_.width, layout_.height});
}

HBITMAP CBmpSheetFile::CutToBitmap(const PixelRect& rect, void*& bits) const noexcept {
    bits = nullptr;
    if (!Fits(rect)) {
        return nullptr;
    }
    const int32_t width = rect.Width();
    const int32_t height = rect.Height();
    void* pixels = nullptr;
    HBITMAP bitmap = CreateTopDownBitmap(width, height, pixels);
    if (bitmap == nullptr) {
        return nullptr;
    }
    // A band of rows at a time, each pixel widened to four bytes, opaque.
    constexpr int32_t kBandRows = 64;
    std::vector<uint8_t> stored;
    for (int32_t bandTop = 0; bandTop < height; bandTop += kBandRows) {
        const int32_t rows = height - bandTop < kBandRows ? height - bandTop : kBandRows;
        if (!ReadRows(rect.top + bandTop, rows, stored)) {
            DeleteObject(bitmap);
            return nullptr;
        }
        for (int32_t y = 0; y < rows; ++y) {
            const int32_t index = layout_.topDown ? y : rows - 1 - y;
            const uint8_t* from = stored.data() + static_cast<size_t>(index) * layout_.rowBytes +
                                  static_cast<size_t>(rect.left) * 3;
            auto* to = static_cast<uint32_t*>(pixels) + static_cast<size_t>(bandTop + y) * width;
            for (int32_t x = 0; x < width; ++x, from += 3) {
                to[x] = 0xFF000000u | static_cast<uint32_t>(from[2]) << 16 |
                        static_cast<uint32_t>(from[1]) << 8 | from[0];
            }
        }
    }
    bits = pixels;
    return bitmap;
}
