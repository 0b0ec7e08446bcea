#include "pages/RenameDlg.h"

#include "pages/logic/PageIds.h"
#include "pages/logic/PageLabels.h"
#include "pages/logic/RenameDlgIds.h"
#include "pages/logic/RenameDlgLayout.h"
#include "skin/SkinImages.h"

namespace {

RECT ToRect(const PixelRect& r) {
    return ScaledRect(r);
}

SkinImage Piece(const ControlPlace& place, int state) {
    return GetSkinPiece(place.piece, state, place.rect.left, place.rect.top, place.rect.right,
                        place.rect.bottom);
}

}  // namespace

CRenameDlg::CRenameDlg(int profileNumber, ProfileNamer* namer, HWND parent) noexcept
    : CZelImageDialog(IDD_RENAME), profileNumber_(profileNumber), namer_(namer), parent_(parent) {}

CRenameDlg::~CRenameDlg() = default;

INT_PTR CRenameDlg::Run() noexcept {
    return RunModal(parent_);
}

void CRenameDlg::PlaceButton(CZelButton& button, int id) noexcept {
    const ControlPlace* place = FindPlace(kRenameLayout, id);
    if (place == nullptr) {
        return;
    }
    button.CreateChild({.parent = Hwnd(),
                        .systemClass = L"BUTTON",
                        .style = WS_VISIBLE | WS_TABSTOP,
                        .rect = ToRect(place->rect),
                        .id = id});
    button.SetImages(Piece(*place, kSkinNormal), Piece(*place, kSkinOver),
                     Piece(*place, kSkinDown));
}

bool CRenameDlg::OnInitDialog() noexcept {
    // No caption bar (the skin draws one), but a title that names the window.
    SetWindowTextW(Hwnd(), L"Rename");
    // Without a frame the window is exactly its background, so the controls sit on their art.
    const LONG_PTR style = GetWindowLongPtrW(Hwnd(), GWL_STYLE);
    SetWindowLongPtrW(Hwnd(), GWL_STYLE,
                      style & ~static_cast<LONG_PTR>(WS_CAPTION | WS_THICKFRAME));
    const LONG_PTR exStyle = GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE);
    SetWindowLongPtrW(Hwnd(), GWL_EXSTYLE,
                      exStyle & ~static_cast<LONG_PTR>(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE |
                                                       WS_EX_CLIENTEDGE));
    SetWindowPos(Hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SetBackground(GetSkinPiece(kRenameBackgroundPiece, kSkinNormal, 0, 0, 0, 0));
    const RECT field = ToRect(kRenameNamePlace.rect);
    name_.CreateChild({.parent = Hwnd(),
                       .systemClass = L"EDIT",
                       .style = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                       .rect = field,
                       .id = IDC_RENAME_NAME});
    name_.SetBackground(Piece(kRenameNamePlace, kSkinNormal));
    PlaceButton(ok_, IDC_RENAME_OK);
    PlaceButton(cancel_, IDC_RENAME_CANCEL);
    PlaceButton(close_, IDC_RENAME_CLOSE);
    LabelControls(Hwnd(), kRenameLabels);
    CentreOverParent();
    SetFocus(name_.Hwnd());
    return false;
}

// The dialog opens over the main window rather than at the screen's corner.
void CRenameDlg::CentreOverParent() noexcept {
    HWND root = parent_ != nullptr ? GetAncestor(parent_, GA_ROOT) : nullptr;
    if (root == nullptr) {
        return;
    }
    RECT over{};
    RECT own{};
    GetWindowRect(root, &over);
    GetWindowRect(Hwnd(), &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const int x = over.left + ((over.right - over.left) - width) / 2;
    const int y = over.top + ((over.bottom - over.top) - height) / 2;
    SetWindowPos(Hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CRenameDlg::OnCommand(int id, int code, HWND control) noexcept {
    switch (id) {
        case IDC_RENAME_OK:
            OnOK();
            return true;
        case IDC_RENAME_CANCEL:
        case IDC_RENAME_CLOSE:
            OnCancel();
            return true;
        default:
            return CZelImageDialog::OnCommand(id, code, control);
    }
}

void CRenameDlg::OnOK() noexcept {
    if (namer_ != nullptr && profileNumber_ >= 1 && profileNumber_ <= 5) {
        const std::wstring text = name_.Text();
        namer_->SetProfileName(profileNumber_, std::u16string(text.begin(), text.end()));
    }
    EndModal(kDialogOk);
}
