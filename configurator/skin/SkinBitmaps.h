#pragma once
// Bitmaps of the skin: decoding a file (plain bitmaps without the system's decoders), copying a
// part of one, and resizing smoothly.

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <filesystem>
#include <memory>

#include "skin/logic/PixelRect.h"

// Loads one image file; null when it cannot be opened or decoded. The file is read whole and
// the result lives in memory, so the file is not kept open.
std::unique_ptr<Gdiplus::Bitmap> LoadSkinImage(const std::filesystem::path& path) noexcept;
// A 32-bit DIB section laid out top-down as GDI+ lays its rows, `bits` at its pixels; null (and
// `bits` null) on failure.
HBITMAP CreateTopDownBitmap(int width, int height, void*& bits) noexcept;
// A deep copy with the same pixel format; null on failure.
std::unique_ptr<Gdiplus::Bitmap> CopyBitmap(Gdiplus::Bitmap& source) noexcept;
// A copy of the rectangle of `source` (which must lie inside it); null on failure.
std::unique_ptr<Gdiplus::Bitmap> CopyBitmapRect(Gdiplus::Bitmap& source,
                                                const Gdiplus::Rect& rect) noexcept;
// A copy of `source` resized smoothly to width x height; the edges are mirrored so that the
// border pixels keep their colour.
std::unique_ptr<Gdiplus::Bitmap> ResizeBitmap(Gdiplus::Bitmap& source, int width,
                                              int height) noexcept;
// The image as `wanted` big: itself when it already is, else resized.
std::unique_ptr<Gdiplus::Bitmap> FitTo(std::unique_ptr<Gdiplus::Bitmap> image,
                                       const PixelRect& wanted) noexcept;
