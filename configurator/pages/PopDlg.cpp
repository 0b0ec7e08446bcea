#include "PopDlg.h"

#include "PageIds.h"

CPopDlg::CPopDlg(PopupMode mode, HWND parent, DeviceLink* link) noexcept
    : CZelImageDialog(IDD_POPUP), mode_(mode), parent_(parent), link_(link) {}

CPopDlg::~CPopDlg() = default;

INT_PTR CPopDlg::Run() noexcept {
    return RunModal(parent_);
}
