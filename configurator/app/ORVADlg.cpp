#include "app/ORVADlg.h"

#include <windowsx.h>

#include "app/AppMessages.h"
#include "app/SystemSettings.h"
#include "app/logic/AppTexts.h"
#include "app/logic/ApplySequence.h"
#include "app/logic/MainWindowLayout.h"
#include "app/logic/WindowsSettings.h"
#include "pages/MacroSettingsDlg.h"
#include "pages/MouseSettingsDlg.h"
#include "pages/PopDlg.h"
#include "pages/SupportDlg.h"
#include "pages/logic/PageIds.h"
#include "profiles/ProfileFile.h"
#include "profiles/Storage.h"
#include "skin/SkinImages.h"
#include "skin/ZelMenu.h"

static_assert(kProfileCount == kOnBoardProfiles,
              "one profile button for each profile the mouse holds");

namespace {

constexpr UINT kTrayIconId = 128;
// Pieces cut in one idle step: a few milliseconds, or one sheet decoded.
constexpr int kPiecesCutWhenIdle = 8;
constexpr WPARAM kSysCommandDragMove = 0xF012;

std::wstring Wide(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}

}  // namespace

CORVADlg::CORVADlg() : CZelImageDialog(IDD_MAIN) {
    LoadDefaultProfiles(profiles_);
    current_ = 0;
}

CORVADlg::~CORVADlg() {
    presence_.Stop();
}

Profile& CORVADlg::ProfileAt(int slot) noexcept {
    return profiles_[static_cast<size_t>(slot >= 0 && slot < kProfileCount ? slot : 0)];
}

MacroCollection& CORVADlg::Macros() noexcept {
    return pages_.MacroPage() ? pages_.MacroPage()->Macros() : noMacros_;
}

void CORVADlg::MacrosChanged() noexcept {
    if (pages_.HasWindow(kMousePage)) {
        pages_.MousePage()->SaveMousePage(CurrentProfile());
        pages_.MousePage()->LoadMousePage(CurrentProfile());
    }
}

// ---- messages -----------------------------------------------------------------------------

LRESULT CORVADlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
        tray_.AddAgain();
        return 0;
    }
    switch (msg) {
        case WM_TRAY_ICON:
            return OnTrayIcon(lParam);
        case WM_SHOW_CONFIGURATOR:
            ShowMainWindow();
            return 0;
        case WM_DEVICECHANGE:
            presence_.OnDeviceChange(wParam, lParam);
            return TRUE;
        case WM_DEVICE_NOTICE:
            presence_.OnQueuedNotices();
            return 0;
        case WM_PROFILE_MENU:
            OnProfileMenu(static_cast<int>(wParam), static_cast<int>(lParam));
            return 0;
        case WM_LBUTTONDOWN:
            OnBackgroundPress(msg, wParam, lParam);
            return 0;
        case WM_PAINT:
            return OnPaint();
        case WM_DPICHANGED:
            OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<LRESULT>(icons_.Large());
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            OnEndSession(wParam != FALSE);
            return 0;
        default:
            break;
    }
    return CZelImageDialog::HandleMessage(msg, wParam, lParam);
}

bool CORVADlg::OnCommand(int id, int code, HWND control) noexcept {
    if (id >= IDC_PAGE_MOUSE && id <= IDC_PAGE_SUPPORT) {
        ShowPage(static_cast<Page>(id - IDC_PAGE_MOUSE));
        return true;
    }
    if (id >= IDC_PROFILE1 && id <= IDC_PROFILE5) {
        SwitchProfile(id - IDC_PROFILE1);
        return true;
    }
    switch (id) {
        case IDC_RESET:
            ResetAll();
            return true;
        case IDC_APPLY:
            ApplyAll();
            return true;
        case IDC_OK_BUTTON:
            ApplyAll();
            ShowWindow(Hwnd(), SW_HIDE);
            return true;
        case IDC_CANCEL_BUTTON:
        case IDC_CLOSE:
            // Nothing is undone: the edits stay, the program stays in the notification area.
            ShowWindow(Hwnd(), SW_HIDE);
            return true;
        case IDC_MINIMISE:
            PostMessageW(Hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
            return true;
        default:
            return CZelImageDialog::OnCommand(id, code, control);
    }
}

bool CORVADlg::OnControlNotification(int code, LPARAM value) noexcept {
    if (code == NOTIFY_MENU_HIDING) {
        // Topmost while a popup menu is open, so the menu is not hidden behind other windows.
        SetWindowPos(Hwnd(), value != 0 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return true;
    }
    if (trayMenu_.IsFrom(code)) {
        if (value == kTrayConfig) {
            ShowMainWindow();
        } else if (value == kTrayExit) {
            OnTrayExit();
        }
        return true;
    }
    const int slot = ProfileSlotOfMenuId(code);
    if (slot >= 0 && value >= kMenuRename && value <= kMenuImport) {
        // Run after the menu has closed and its hook is gone: the items open modal windows.
        controls_.ProfileMenu(slot).SetVeto(false);
        PostMessageW(Hwnd(), WM_PROFILE_MENU, static_cast<WPARAM>(slot), value);
        return true;
    }
    return false;
}

bool CORVADlg::OnTimer(UINT_PTR id) noexcept {
    if (id != PROFILE_POLL_TIMER) {
        return false;
    }
    pendingScale_.OnPoll();
    presence_.OnPollTimer();
    return true;
}

void CORVADlg::OnBackgroundPress(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    // Dragging the background moves the window.
    SendMessageW(Hwnd(), WM_SYSCOMMAND, kSysCommandDragMove, 0);
    DefaultHandling(msg, wParam, lParam);
}

LRESULT CORVADlg::OnPaint() noexcept {
    if (!IsIconic(Hwnd())) {
        return DefaultHandling(WM_PAINT, 0, 0);
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Hwnd(), &paint);
    icons_.PaintCentred(dc, ClientRect());
    EndPaint(Hwnd(), &paint);
    return 0;
}

// ---- start-up -----------------------------------------------------------------------------

bool CORVADlg::OnInitDialog() noexcept {
    SetWindowTextW(Hwnd(), Wide(kMainWindowTitle).c_str());
    SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons_.Large()));
    SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons_.Small()));
    // Full-window dragging until the user logs off.
    SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
    const LONG_PTR style = GetWindowLongPtrW(Hwnd(), GWL_STYLE);
    SetWindowLongPtrW(Hwnd(), GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_CAPTION));
    SetWindowPos(Hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    // Every skinned window of the program is laid out at the main window's scale.
    SetSkinScale(WindowDpi(Hwnd()));
    LayOutControls();
    // Each page shows the current profile as it is made.
    // Tab reaches the page's controls between the profile row and "Reset to Default".
    pages_.Create(Hwnd(), controls_.LastProfileButton());
    // The tray icon and the mouse follow at the first idle moment, after the first paint.
    return true;
}

void CORVADlg::StartTrayAndMouse() noexcept {
    trayAndMouseStarted_ = true;
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    tray_.Add(Hwnd(), kTrayIconId, WM_TRAY_ICON, icons_.Tray(), Wide(kTrayTip));

    if (!presence_.Start(Hwnd())) {
        ShowMessage(kRegisterFailedText);
    }
    StartTimer(PROFILE_POLL_TIMER, kProfilePollMs);
}

void CORVADlg::LayOutControls() noexcept {
    SetBackground(GetSkinPiece(kMainBackgroundPiece, kSkinNormal, 0, 0, 0, 0));
    controls_.LayOut(Hwnd(), profiles_, current_);
}

void CORVADlg::OnDpiChanged(uint32_t dpi, const RECT& suggested) noexcept {
    // A pop-up or message box of a page may be running on the stack of the page: the pages are
    // made again once it has ended (the poll timer looks).
    pendingScale_.Announce(dpi);
    // The window is as large as its background at the scale; the system suggests where.
    const RECT own = RectInParent();
    SetWindowPos(Hwnd(), nullptr, suggested.left, suggested.top, own.right - own.left,
                 own.bottom - own.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

uint32_t CORVADlg::LaidOutDpi() noexcept {
    return SkinScale().Dpi();
}

bool CORVADlg::RebuildAtScale(uint32_t dpi) noexcept {
    if (CMacroSettingsDlg* macros = pages_.MacroPage();
        macros != nullptr && macros->IsRecording()) {
        macros->StopRecording();
    }
    // What the pages show goes into the current profile, the macros into their folder; the new
    // pages read both back.
    CollectPages();
    if (!SaveMacros()) {
        return false;
    }
    const Page shown = pages_.Shown();
    pages_.Destroy();
    trayMenu_.Drop();
    while (HWND child = GetWindow(Hwnd(), GW_CHILD)) {
        ::DestroyWindow(child);
    }
    SetSkinScale(dpi);
    LayOutControls();
    pages_.Create(Hwnd(), controls_.LastProfileButton());
    controls_.LatchPage(shown);
    if (shown != kMousePage && pages_.Make(shown, CurrentProfile())) {
        pages_.ShowOnly(shown);
    }
    InvalidateRect(Hwnd(), nullptr, TRUE);
    return true;
}

bool CORVADlg::OnIdle() noexcept {
    // After the first paint: the tray icon and the mouse, the other pages, then the images
    // that no window has shown yet (hover and pressed states, hidden pages), a few at a time so
    // input comes in between.
    if (!trayAndMouseStarted_) {
        StartTrayAndMouse();
        return true;
    }
    if (pages_.MakeNextWhenIdle(CurrentProfile())) {
        return true;
    }
    return CutPendingSkinPieces(kPiecesCutWhenIdle);
}

// ---- pages and profiles -------------------------------------------------------------------

void CORVADlg::CollectPages() noexcept {
    pages_.Collect(CurrentProfile());
}

void CORVADlg::ShowProfileOnPages(Profile& profile) noexcept {
    pages_.Load(profile);
}

void CORVADlg::ShowPage(Page page) noexcept {
    if (!pages_.Make(page, CurrentProfile()) || pages_.IsShown(page)) {
        return;
    }
    controls_.LatchPage(page);
    CollectPages();
    pages_.ShowOnly(page);
}

void CORVADlg::SwitchProfile(int slot) noexcept {
    if (slot < 0 || slot >= kProfileCount) {
        return;
    }
    CollectPages();
    controls_.LatchProfile(slot);
    current_ = slot;
    ShowProfileOnPages(CurrentProfile());
}

void CORVADlg::SetProfileCaption(int slot) noexcept {
    controls_.SetProfileCaption(slot, profiles_[static_cast<size_t>(slot)].name);
}

void CORVADlg::SetProfileName(int number, const std::u16string& name) noexcept {
    if (number < 1 || number > kProfileCount) {
        return;
    }
    profiles_[static_cast<size_t>(number - 1)].name = name;
    SetProfileCaption(number - 1);
}

// ---- apply and reset ----------------------------------------------------------------------

void CORVADlg::ApplyWindowsSettings() noexcept {
    ApplyToSystem(WindowsSettingsFor(CurrentProfile()));
}

bool CORVADlg::SaveMacros() noexcept {
    return pages_.MacroPage() ? pages_.MacroPage()->SaveMacros() : true;
}

void CORVADlg::ShowMessage(const std::u16string& text) noexcept {
    MessageBoxW(Hwnd(), Wide(text).c_str(), Wide(kMessageTitle).c_str(), MB_OK);
}

void CORVADlg::ApplyAll() noexcept {
    RunApply(*this, presence_.Link(), profiles_, current_, busy_);
}

void CORVADlg::ResetAll() noexcept {
    if (CPopDlg(kPopupResetWarning, Hwnd()).Run() != kDialogOk) {
        return;
    }
    CurrentProfile().ResetProfile();
    ShowProfileOnPages(CurrentProfile());
    for (Profile& profile : profiles_) {
        profile.ResetProfile();
    }
    ApplyAll();
}

// ---- profile menus ------------------------------------------------------------------------

void CORVADlg::OnProfileMenu(int slot, int item) noexcept {
    if (profileCommands_.Run(slot, item, current_, Hwnd())) {
        // The imported settings show at once; otherwise the next collection of the pages would
        // copy the old page state over them.
        SetProfileCaption(slot);
        if (slot == current_) {
            ShowProfileOnPages(CurrentProfile());
        }
    }
}

// ---- tray, device, poll -------------------------------------------------------------------

void CORVADlg::ShowMainWindow() noexcept {
    ShowWindow(Hwnd(), SW_SHOW);
}

LRESULT CORVADlg::OnTrayIcon(LPARAM mouseMessage) noexcept {
    switch (mouseMessage) {
        case WM_LBUTTONDBLCLK:
            ShowMainWindow();
            break;
        case WM_RBUTTONDOWN:
            trayMenu_.Open(Hwnd());
            break;
        default:
            break;
    }
    return 1;
}

void CORVADlg::ShowFirmwareVersion(std::optional<int32_t> version) noexcept {
    if (pages_.HasWindow(kSupportPage)) {
        pages_.SupportPage()->ShowFirmwareVersion(version);
    }
    if (version) {
        for (Profile& profile : profiles_) {
            profile.firmwareVersion = *version;
        }
    }
}

void CORVADlg::FollowMouseProfile(int slot) noexcept {
    if (slot >= 0) {
        SwitchProfile(slot);
    }
    // Also when no profile has the mouse's index: the current profile's settings are applied.
    ApplyWindowsSettings();
}

bool CORVADlg::PollMustWait() noexcept {
    // A pop-up, message box or file dialog of this program disables the window while it runs.
    return busy_ != 0 || !IsWindowEnabled(Hwnd());
}

// ---- the end ------------------------------------------------------------------------------

void CORVADlg::OnTrayExit() noexcept {
    // Saved here, while a window may still be shown, so that a failure is told; the end of a
    // Windows session saves silently instead.
    macrosSavedAtEnd_ = true;
    if (!SaveMacros()) {
        ShowMessage(MacrosNotSavedText(MacroFolder().u16string()));
    }
    PostQuitMessage(0);
}

void CORVADlg::OnEndSession(bool ending) noexcept {
    // Windows ends the process soon after this, without destroying the window: save now, as
    // the tray's "Exit" does.
    if (!ending || macrosSavedAtEnd_) {
        return;
    }
    macrosSavedAtEnd_ = true;
    SaveMacros();
    tray_.Remove();
}

void CORVADlg::OnDestroy() noexcept {
    StopTimer(PROFILE_POLL_TIMER);
    tray_.Remove();
    if (!macrosSavedAtEnd_) {
        macrosSavedAtEnd_ = true;
        SaveMacros();
    }
    presence_.Stop();
}
