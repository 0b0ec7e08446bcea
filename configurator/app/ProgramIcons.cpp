#include "app/ProgramIcons.h"

#include <initializer_list>

#include "app/logic/MainDlgIds.h"

namespace {

HICON LoadProgramIcon(int id, int size) noexcept {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                         IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace

ProgramIcons::ProgramIcons() noexcept
    : large_(LoadProgramIcon(IDI_PROGRAM, GetSystemMetrics(SM_CXICON))),
      small_(LoadProgramIcon(IDI_PROGRAM, GetSystemMetrics(SM_CXSMICON))),
      tray_(LoadProgramIcon(IDI_TRAY, GetSystemMetrics(SM_CXSMICON))) {}

ProgramIcons::~ProgramIcons() {
    for (HICON icon : {large_, small_, tray_}) {
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
}

void ProgramIcons::PaintCentred(HDC dc, const RECT& client) const noexcept {
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, large_);
}
