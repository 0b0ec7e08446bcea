#include "app/NoticeDlg.h"

#include <shellapi.h>

#include "app/ButtonImageIds.h"
#include "app/NoticeDlgIds.h"
#include "app/ScopedWin.h"
#include "app/SkinBitmap.h"

namespace {

// Where the driver offer's button leads: the driver downloads of the support site.
constexpr const wchar_t* kDriverPageUrl =
    L"https://support.velmor.com/categories/20014118-software-manual-downloads";

struct ButtonPlace {
    const char* layout = nullptr;  // null: the notice has no such button
    ButtonImages images;
};

struct NoticeLayout {
    int background;
    ButtonPlace ok;
    ButtonPlace cancel;
    bool beforeMainWindow;
    const wchar_t* title;
};

constexpr const char* kCloseLayout = "BUTTON_EXIT,350,2,23,18,";
constexpr ButtonImages kCloseImages{IDB_EXIT_NORMAL, IDB_EXIT_HOVER, IDB_EXIT_PRESSED,
                                    IDB_EXIT_NORMAL};
constexpr ButtonImages kCancelImages{IDB_CANCEL_NORMAL, IDB_CANCEL_HOVER, IDB_CANCEL_PRESSED,
                                     IDB_CANCEL_NORMAL};
constexpr ButtonImages kOkImages{IDB_OK_NORMAL, IDB_OK_HOVER, IDB_OK_PRESSED, IDB_OK_NORMAL};

NoticeLayout LayoutOf(NoticeVariant variant) {
    switch (variant) {
        case NoticeVariant::kDriverOffer:
            return {IDB_DRIVER_OFFER,
                    {"BUTTON_OK,198,152,112,20,",
                     {IDB_DOWNLOAD_NORMAL, IDB_DOWNLOAD_HOVER, IDB_DOWNLOAD_PRESSED,
                      IDB_DOWNLOAD_NORMAL}},
                    {"BUTTON_Cancel,319,152,51,20,", kCancelImages},
                    true,
                    nullptr};
        case NoticeVariant::kUpToDate:
            return {IDB_UP_TO_DATE,
                    {},
                    {"BUTTON_Cancel,319,152,51,20,",
                     {IDB_CLOSE_NORMAL, IDB_CLOSE_HOVER, IDB_CLOSE_PRESSED, IDB_CLOSE_NORMAL}},
                    true,
                    nullptr};
        case NoticeVariant::kUpdateOffer:
            return {
                IDB_UPDATE_OFFER,
                {"BUTTON_OK,198,152,112,20,",
                 {IDB_UPGRADE_NORMAL, IDB_UPGRADE_HOVER, IDB_UPGRADE_PRESSED, IDB_UPGRADE_NORMAL}},
                {"BUTTON_CANCEL,319,152,51,20,", kCancelImages},
                true,
                nullptr};
        case NoticeVariant::kBackupWarning:
            return {IDB_BACKUP_WARNING,
                    {"BUTTON_OK,247,152,63,20,",
                     {IDB_CONTINUE_NORMAL, IDB_CONTINUE_HOVER, IDB_CONTINUE_PRESSED,
                      IDB_CONTINUE_NORMAL}},
                    {"BUTTON_Cancel,319,152,51,20,", kCancelImages},
                    true,
                    nullptr};
        case NoticeVariant::kFailure:
            return {IDB_FAILURE, {"BUTTON_OK,319,152,51,20,", kOkImages}, {}, false, nullptr};
        case NoticeVariant::kSuccess:
        default:
            return {IDB_SUCCESS,
                    {"BUTTON_OK,319,152,51,20,", kOkImages},
                    {},
                    false,
                    L"Firmware upgrade success"};
    }
}

// The shell may take its time starting a browser; the notice does not wait for it.
DWORD WINAPI OpenPageThread(void*) noexcept {
    ShellExecuteW(nullptr, L"open", kDriverPageUrl, nullptr, nullptr, SW_SHOWNORMAL);
    return 0;
}

}  // namespace

CNoticeDlg::CNoticeDlg(NoticeVariant variant, HWND owner)
    : CSkinnedDialog(IDD_NOTICE), variant_(variant), owner_(owner) {}

INT_PTR CNoticeDlg::Show(NoticeVariant variant, HWND owner) {
    CNoticeDlg notice(variant, owner);
    return notice.DoModal(owner);
}

INT_PTR CNoticeDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog();
        case WM_COMMAND:
            // Enter and Esc arrive without a button handle and end nothing.
            if (HIWORD(wParam) == BN_CLICKED && lParam != 0)
                OnButton(reinterpret_cast<HWND>(lParam));
            return TRUE;
        case WM_CLOSE:
            // Alt+F4 and a close from outside end nothing: only the buttons answer a notice.
            return TRUE;
        default:
            return CSkinnedDialog::HandleMessage(message, wParam, lParam);
    }
}

BOOL CNoticeDlg::OnInitDialog() {
    ProgramFolder();  // the folder is worked out afresh for each window
    const NoticeLayout layout = LayoutOf(variant_);
    LayOut();
    if (!buttonsMade_) {
        // Only its buttons end a notice; one that lacks them would never end.
        OutputDebugStringW(L"FW Update: notice without its buttons\n");
        End(IDCANCEL);
        return TRUE;
    }
    if (layout.title != nullptr)
        SetWindowTextW(window_, layout.title);
    if (layout.beforeMainWindow) {
        // Centred before it is shown, so it never appears at the corner first.
        CentreOn(nullptr);
        SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        ShowWindow(window_, SW_SHOW);
    } else {
        CentreOn(owner_);
    }
    return TRUE;
}

void CNoticeDlg::LayOut() {
    const NoticeLayout layout = LayoutOf(variant_);
    ApplySkin(layout.background, IDB_NOTICE_MASK);
    bool made = true;
    if (layout.ok.layout != nullptr)
        made =
            okButton_.Create(window_, layout.ok.layout, layout.ok.images, ButtonMode::kPush, Dpi());
    if (layout.cancel.layout != nullptr)
        made = cancelButton_.Create(window_, layout.cancel.layout, layout.cancel.images,
                                    ButtonMode::kPush, Dpi()) &&
               made;
    made =
        closeButton_.Create(window_, kCloseLayout, kCloseImages, ButtonMode::kPush, Dpi()) && made;
    buttonsMade_ = made;
}

void CNoticeDlg::OnButton(HWND button) {
    if (button == okButton_.Handle() && button != nullptr) {
        if (variant_ == NoticeVariant::kDriverOffer)
            OnDownloadDriver();
        else
            End(IDOK);
    } else if (button == cancelButton_.Handle() || button == closeButton_.Handle()) {
        End(IDCANCEL);
    }
}

void CNoticeDlg::OnDownloadDriver() {
    // The page opens on its own; its thread's handle is not needed.
    const ScopedHandle thread(CreateThread(nullptr, 0, OpenPageThread, nullptr, 0, nullptr));
}
