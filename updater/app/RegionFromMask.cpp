#include "app/RegionFromMask.h"

#include <algorithm>
#include <vector>

#include "app/ScopedWin.h"
#include "logic/MaskRuns.h"

namespace {

// One region from up to MaskRuns::kBatchRects rectangles.
HRGN RegionFromRects(const MaskRect* rects, size_t count) {
    std::vector<uint8_t> buffer(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(count);
    data->rdh.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
    RECT bounds{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    auto* out = reinterpret_cast<RECT*>(data->Buffer);
    for (size_t i = 0; i < count; ++i) {
        out[i] = RECT{rects[i].left, rects[i].top, rects[i].right, rects[i].bottom};
        bounds.left = std::min(bounds.left, out[i].left);
        bounds.top = std::min(bounds.top, out[i].top);
        bounds.right = std::max(bounds.right, out[i].right);
        bounds.bottom = std::max(bounds.bottom, out[i].bottom);
    }
    data->rdh.rcBound = bounds;
    return ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data);
}

}  // namespace

HRGN RegionFromMask(HBITMAP mask, COLORREF key, COLORREF tolerance) {
    BITMAP info{};
    if (mask == nullptr || GetObjectW(mask, sizeof info, &info) == 0 || info.bmWidth <= 0 ||
        info.bmHeight <= 0)
        return nullptr;
    const int width = info.bmWidth;
    const int height = info.bmHeight;

    // The mask as 32-bit pixels, top row first.
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
    int rows = 0;
    {
        const ScopedScreenDC screen;
        const ScopedDC memory(screen.Get() ? CreateCompatibleDC(screen.Get()) : nullptr);
        if (memory)
            rows = GetDIBits(memory.Get(), mask, 0, height, pixels.data(), &format, DIB_RGB_COLORS);
    }
    if (rows != height)
        return nullptr;

    std::vector<MaskRect> rects;
    if (!MaskRuns::Collect(pixels, width, height, key, tolerance, rects))
        return nullptr;
    ScopedRegion result(CreateRectRgn(0, 0, 0, 0));
    for (size_t start = 0; result && start < rects.size(); start += MaskRuns::kBatchRects) {
        const size_t count = std::min(MaskRuns::kBatchRects, rects.size() - start);
        const ScopedRegion batch(RegionFromRects(rects.data() + start, count));
        if (!batch)
            return nullptr;
        CombineRgn(result.Get(), result.Get(), batch.Get(), RGN_OR);
    }
    return result.Release();
}
