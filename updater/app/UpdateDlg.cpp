#include "app/UpdateDlg.h"

#include "app/ButtonImageIds.h"
#include "app/MonitorProgram.h"
#include "app/NoticeDlg.h"
#include "app/SkinBitmap.h"
#include "app/UpdateDlgIds.h"
#include "app/UpdaterMessages.h"
#include "logic/ButtonLayout.h"
#include "logic/UpdaterPaths.h"

namespace {

constexpr const char* kCloseLayout = "BUTTON_EXIT,350,2,23,18,";
constexpr const char* kProgressLayout = "BUTTON_Progress,22,105,330,15,";
constexpr COLORREF kProgressBack = RGB(0x00, 0x00, 0x00);
constexpr COLORREF kProgressBar = RGB(0xBA, 0xD6, 0x4D);
constexpr const wchar_t* kWindowTitle = L"Kelti Gaming Mouse Firmware update";

}  // namespace

CUpdateDlg::CUpdateDlg() : CSkinnedDialog(IDD_UPDATE), worker_(driver_, clock_, image_) {}

CUpdateDlg::~CUpdateDlg() {
    if (icon_ != nullptr)
        DestroyIcon(icon_);
}

INT_PTR CUpdateDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnCreate();
            return OnInitDialog();
        case WM_COMMAND:
            OnCommand(wParam, lParam);
            return TRUE;
        case WM_TIMER:
            OnTimer(wParam);
            return TRUE;
        case WM_FW_PROGRESS:
            OnProgress(wParam);
            return TRUE;
        case WM_FW_DONE:
            OnDone(lParam);
            return TRUE;
        case WM_CLOSE:
            OnClose();
            return TRUE;
        case WM_DESTROY:
            OnDestroy();
            return TRUE;
        default:
            return CSkinnedDialog::HandleMessage(message, wParam, lParam);
    }
}

void CUpdateDlg::OnCreate() {
    folder_ = ProgramFolder();
    LayOut();
}

void CUpdateDlg::LayOut() {
    ApplySkin(IDB_UPDATE_BACKGROUND, IDB_UPDATE_MASK);
    // Its disabled image is dimmed: the button is disabled while a close waits for the
    // transfer, and the user must see that.
    if (!closeButton_.Create(window_, kCloseLayout,
                             {IDB_EXIT_NORMAL, IDB_EXIT_HOVER, IDB_EXIT_PRESSED, IDB_EXIT_DISABLED},
                             ButtonMode::kPush, Dpi()))
        OutputDebugStringW(L"FW Update: no close button\n");
    if (closePending_)
        EnableWindow(closeButton_.Handle(), FALSE);
    ButtonLayout layout;
    ButtonLayout::Parse(kProgressLayout, layout);
    progressRect_ = ScaledPlace(RECT{layout.left, layout.top, layout.right, layout.bottom});
    if (progress_.Handle() != nullptr)
        PlaceProgressBar();
}

BOOL CUpdateDlg::OnInitDialog() {
    icon_ = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_UPDATER),
                                          IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    SetMinimisedIcon(icon_);
    SetupProgressBar();
    ReadFirmwarePath();
    progress_.SetRange(127);
    progress_.SetStep(1);
    CentreOn(nullptr);
    CMonitorProgram::CloseAndWait();

    // Without the library, or one of its calls, nothing can reach the mouse: the timer then
    // shows the failure notice and sends nothing.
    if (driver_.Load(UpdaterPaths::DriverLibrary(folder_)) && worker_.Start(window_)) {
        driver_.OpenDevMonitor(window_, kDevMonitorArrivalMessage, kDevMonitorRemovalMessage);
        driver_.OpenFeatureDevice();
    }
    SetWindowTextW(window_, kWindowTitle);
    SetTimer(window_, kStartTimerId, kStartTimerMs, nullptr);
    return TRUE;
}

void CUpdateDlg::SetupProgressBar() {
    progress_.Attach(GetDlgItem(window_, IDC_PROGRESS));
    PlaceProgressBar();
    progress_.SetColours(kProgressBack, kProgressBar);
    progress_.SetPos(0);
    progress_.Redraw();
}

void CUpdateDlg::PlaceProgressBar() {
    MoveWindow(progress_.Handle(), progressRect_.left, progressRect_.top,
               progressRect_.right - progressRect_.left, progressRect_.bottom - progressRect_.top,
               TRUE);
}

void CUpdateDlg::ReadFirmwarePath() {
    wchar_t name[UpdaterPaths::kNameBufferChars] = {};
    const std::wstring config = UpdaterPaths::ConfigIni(folder_);
    GetPrivateProfileStringW(L"Firmware", L"Name", L"", name, UpdaterPaths::kNameBufferChars,
                             config.c_str());
    image_.SetPath(UpdaterPaths::FirmwareFile(folder_, name));
}

void CUpdateDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Enter and Esc come without a button handle; only the close button ends the window.
    if (HIWORD(wParam) == BN_CLICKED && lParam != 0 &&
        reinterpret_cast<HWND>(lParam) == closeButton_.Handle())
        OnClose();
}

void CUpdateDlg::OnTimer(UINT_PTR id) {
    if (id != kStartTimerId)
        return;
    KillTimer(window_, kStartTimerId);
    progress_.SetPos(0);
    progress_.Redraw();
    if (!driver_.IsLoaded() || !worker_.IsStarted() || image_.Load() == 0) {
        CNoticeDlg::Show(NoticeVariant::kFailure, window_);
        return;
    }
    const auto upper = static_cast<WORD>((image_.Length() / FirmwareImage::kBlockBytes) & 0xFFFF);
    progress_.SetRange(upper);
    worker_.BeginTransfer();
}

void CUpdateDlg::OnProgress(WPARAM index) {
    progress_.SetPos(static_cast<int>(index));
    progress_.Redraw();
}

void CUpdateDlg::OnDone(LPARAM result) {
    worker_.TransferEnded();
    // Each outcome is shown, also after a close that waited for the transfer: the success
    // notice tells the user to unplug and plug in the mouse, the failure that it needs another
    // run.
    if (result != 0) {
        CNoticeDlg::Show(NoticeVariant::kSuccess, window_);
        restartMonitor_ = true;
    } else {
        CNoticeDlg::Show(NoticeVariant::kFailure, window_);
    }
    if (closePending_) {
        End(IDCANCEL);
        return;
    }
    if (result != 0)
        PostMessageW(window_, WM_CLOSE, 0, 0);
}

void CUpdateDlg::OnClose() {
    if (closePending_)
        return;
    // Once the mouse has been told to start its loader, ending would leave it with a partial
    // image: the close is remembered, the close button shows it, and the window ends with the
    // transfer. Before that the transfer is stopped and the window ends at once.
    if (worker_.RequestClose() == CloseOutcome::kAfterTransfer) {
        closePending_ = true;
        EnableWindow(closeButton_.Handle(), FALSE);
        return;
    }
    End(IDCANCEL);
}

void CUpdateDlg::OnDestroy() {
    KillTimer(window_, kStartTimerId);
    // The worker is waiting for the event here, so it ends at once; only then may the device
    // be closed and the library released.
    worker_.Finish();
    driver_.CloseDevMonitor();
    driver_.CloseFeatureDevice();
    driver_.Release();
    if (restartMonitor_)
        CMonitorProgram::Start(UpdaterPaths::MonitorProgram(folder_));
}
