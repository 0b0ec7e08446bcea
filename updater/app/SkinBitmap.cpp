#include "app/SkinBitmap.h"

#include <vector>

#include "logic/UpdaterPaths.h"

HBITMAP LoadBitmapResource(int id) {
    return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0)
        return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

std::wstring ProgramFolder() {
    // Long install paths do not fit MAX_PATH; grow until the whole path fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return UpdaterPaths::FolderOf(std::wstring_view(buffer.data(), length));
        if (buffer.size() >= 32768)
            return {};
        buffer.resize(buffer.size() * 2);
    }
}
