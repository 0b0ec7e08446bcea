#pragma once
// CBmpSheetFile: a skin sheet stored as an uncompressed 24-bit bitmap, read where a piece lies.
// Most pieces are a small part of a sheet of the window's size: reading only their rows costs
// a fraction of decoding the whole sheet, and no decoded sheet needs to be kept. The file stays
// open (shared for reading, writing and deleting, so an update can still replace it) and every
// read is checked for its full length, so a file that changes underneath gives no piece rather
// than a fault.

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "skin/logic/BmpLayout.h"
#include "skin/logic/PixelRect.h"

class CBmpSheetFile {
  public:
    CBmpSheetFile() = default;
    CBmpSheetFile(CBmpSheetFile&& other) noexcept;
    CBmpSheetFile& operator=(CBmpSheetFile&& other) noexcept;
    CBmpSheetFile(const CBmpSheetFile&) = delete;
    CBmpSheetFile& operator=(const CBmpSheetFile&) = delete;
    ~CBmpSheetFile();

    // Opens the file when it is a plain bitmap whose headers are sound; false for anything
    // else (missing, another format, damaged), leaving this closed.
    bool Open(const std::filesystem::path& path) noexcept;
    void Close() noexcept;
    bool IsOpen() const noexcept { return file_ != INVALID_HANDLE_VALUE; }
    int Width() const noexcept { return layout_.width; }
    int Height() const noexcept { return layout_.height; }

    // The pixels of `rect` (which must lie inside the sheet) as a 24-bit bitmap; null when the
    // rectangle does not fit or the file cannot be read.
    std::unique_ptr<Gdiplus::Bitmap> Cut(const PixelRect& rect) const noexcept;
    std::unique_ptr<Gdiplus::Bitmap> Whole() const noexcept;
    // The same pixels, opaque, in a 32-bit top-down DIB section with `bits` at its pixels (what
    // a window's background is blitted from); null on failure.
    HBITMAP CutToBitmap(const PixelRect& rect, void*& bits) const noexcept;

  private:
    bool Fits(const PixelRect& rect) const noexcept;
    // Reads the stored rows of `rows` picture rows from `top` on into `into`.
    bool ReadRows(int32_t top, int32_t rows, std::vector<uint8_t>& into) const noexcept;
    bool ReadAt(uint64_t offset, void* into, DWORD length) const noexcept;

    HANDLE file_ = INVALID_HANDLE_VALUE;
    BmpLayout layout_;
};
