#include "ORVADlg.h"

#include <windowsx.h>

#include "AppMessages.h"
#include "AppTexts.h"
#include "ApplySequence.h"
#include "ColorSettingsDlg.h"
#include "DeviceChange.h"
#include "HidTransportWin32.h"
#include "MacroSettingsDlg.h"
#include "MainWindowLabels.h"
#include "MainWindowLayout.h"
#include "MouseCommands.h"
#include "MouseSettingsDlg.h"
#include "PageIds.h"
#include "PopDlg.h"
#include "ProfileFile.h"
#include "ProfileFileDialogs.h"
#include "ProfileTransfer.h"
#include "SensorDlg.h"
#include "SkinImages.h"
#include "Storage.h"
#include "SupportDlg.h"
#include "SystemSettings.h"
#include "TransportFactory.h"
#include "WindowsSettings.h"
#include "ZelMenu.h"

namespace {

constexpr UINT kTrayIconId = 128;
// The tray menu's rectangle when it is created; only its width lasts.
constexpr RECT kTrayMenuRect{0, 0, 105, 10};
constexpr WPARAM kSysCommandDragMove = 0xF012;

std::wstring Wide(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}

std::u16string Utf16(const std::wstring& text) {
    return std::u16string(text.begin(), text.end());
}

RECT ToRect(const PixelRect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

SkinImage Piece(const ControlPlace& place, int state) {
    return GetSkinPiece(place.piece, state, place.rect.left, place.rect.top, place.rect.right,
                        place.rect.bottom);
}

void PlaceButton(CZelButtonBase& button, HWND parent, const ControlPlace& place) {
    button.CreateChild(parent, L"BUTTON", L"", WS_VISIBLE, ToRect(place.rect), place.id);
    button.SetImages(Piece(place, kSkinNormal), Piece(place, kSkinOver), Piece(place, kSkinDown),
                     Piece(place, kSkinDisable));
}

HICON LoadProgramIcon(int id, int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                         IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace

CORVADlg::CORVADlg() : CZelImageDialog(IDD_MAIN) {
    programIcon_ = LoadProgramIcon(IDI_PROGRAM, GetSystemMetrics(SM_CXICON));
    smallIcon_ = LoadProgramIcon(IDI_PROGRAM, GetSystemMetrics(SM_CXSMICON));
    trayIconImage_ = LoadProgramIcon(IDI_TRAY, GetSystemMetrics(SM_CXSMICON));
    transport_ = CreateHidTransport();
    if (!transport_) {
        // A virtual-mouse address that does not parse: the real HID is the way.
        transport_ = std::make_unique<HidTransportWin32>();
    }
    link_ = std::make_unique<DeviceLink>(*transport_, clock_);
    LoadDefaultProfiles(profiles_);
    current_ = 0;
}

CORVADlg::~CORVADlg() {
    if (transport_) {
        transport_->StopWatching();
    }
    for (HICON icon : {programIcon_, smallIcon_, trayIconImage_}) {
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
}

Profile& CORVADlg::ProfileAt(int slot) noexcept {
    return profiles_[static_cast<size_t>(slot >= 0 && slot < kProfileCount ? slot : 0)];
}

MacroCollection& CORVADlg::Macros() noexcept {
    return macroPage_ ? macroPage_->Macros() : noMacros_;
}

void CORVADlg::MacrosChanged() noexcept {
    if (HasPageWindow(kMousePage)) {
        mousePage_->SaveMousePage(CurrentProfile());
        mousePage_->LoadMousePage(CurrentProfile());
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
            OnDeviceChange(wParam, lParam);
            return TRUE;
        case WM_DEVICE_NOTICE:
            OnQueuedDeviceNotices();
            return 0;
        case WM_PROFILE_MENU:
            OnProfileMenu(static_cast<int>(wParam), static_cast<int>(lParam));
            return 0;
        case WM_LBUTTONDOWN:
            OnBackgroundPress(msg, wParam, lParam);
            return 0;
        case WM_PAINT:
            return OnPaint();
        case WM_QUERYDRAGICON:
            return reinterpret_cast<LRESULT>(programIcon_);
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
    if (trayMenu_ && code == trayMenu_->Id()) {
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
        profileMenus_[static_cast<size_t>(slot)].SetVeto(false);
        PostMessageW(Hwnd(), WM_PROFILE_MENU, static_cast<WPARAM>(slot), value);
        return true;
    }
    return false;
}

bool CORVADlg::OnTimer(UINT_PTR id) noexcept {
    if (id != PROFILE_POLL_TIMER) {
        return false;
    }
    OnPollTimer();
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
    RECT client = ClientRect();
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, programIcon_);
    EndPaint(Hwnd(), &paint);
    return 0;
}

// ---- start-up -----------------------------------------------------------------------------

bool CORVADlg::OnInitDialog() noexcept {
    SetWindowTextW(Hwnd(), Wide(kMainWindowTitle).c_str());
    SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(programIcon_));
    SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    // Full-window dragging until the user logs off.
    SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
    const LONG_PTR style = GetWindowLongPtrW(Hwnd(), GWL_STYLE);
    SetWindowLongPtrW(Hwnd(), GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_CAPTION));
    SetWindowPos(Hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    LayOutControls();
    CreatePages();
    ShowProfileOnPages(CurrentProfile());

    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    tray_.Add(Hwnd(), kTrayIconId, WM_TRAY_ICON, trayIconImage_, Wide(kTrayTip));

    if (!RegisterMouseNotifications(Hwnd())) {
        ShowMessage(kRegisterFailedText);
    }
    StartDeviceWatch();
    if (const std::optional<int32_t> version = ReadFirmwareUnasked()) {
        for (Profile& profile : profiles_) {
            profile.firmwareVersion = *version;
        }
    }
    StartTimer(PROFILE_POLL_TIMER, kProfilePollMs);
    return true;
}

void CORVADlg::LayOutControls() noexcept {
    SetBackground(GetSkinPiece(kMainBackgroundPiece, kSkinNormal, 0, 0, 0, 0));
    for (int i = 0; i < kPageCount; ++i) {
        PlaceButton(pageButtons_[static_cast<size_t>(i)], Hwnd(), kPageButtonPlaces[i]);
    }
    for (int slot = 0; slot < kProfileCount; ++slot) {
        const size_t s = static_cast<size_t>(slot);
        PlaceButton(profileMenus_[s], Hwnd(), kProfileMenuPlaces[s]);
        profileMenus_[s].SetShowCaption(false);
        profileMenus_[s].UseFixedWidthMenu();
        profileMenus_[s].AddItem(kMenuRename, Wide(kRenameItem));
        profileMenus_[s].AddItem(kMenuSave, Wide(kSaveItem));
        profileMenus_[s].AddItem(kMenuExport, Wide(kExportItem));
        profileMenus_[s].AddItem(kMenuImport, Wide(kImportItem));
        PlaceButton(profileButtons_[s], Hwnd(), kProfileButtonPlaces[s]);
        SetProfileCaption(slot);
    }
    profileButtons_[static_cast<size_t>(current_)].SetLatched(true);
    PlaceButton(reset_, Hwnd(), kResetPlace);
    PlaceButton(ok_, Hwnd(), kOkPlace);
    PlaceButton(apply_, Hwnd(), kApplyPlace);
    PlaceButton(cancel_, Hwnd(), kCancelPlace);
    PlaceButton(minimise_, Hwnd(), kMinimisePlace);
    PlaceButton(close_, Hwnd(), kClosePlace);
    version_.CreateChild(Hwnd(), L"STATIC", L"", WS_VISIBLE, ToRect(kVersionPlace.rect),
                         kVersionPlace.id);
    version_.SetImage(Piece(kVersionPlace, kSkinNormal));
    version_.SetFontHeight(kVersionFontHeight);
    version_.SetText(Wide(kProgramVersion));
    LabelControls(Hwnd(), kMainWindowLabels);
}

void CORVADlg::CreatePages() noexcept {
    sensorPage_ = std::make_unique<CSensorDlg>(*this);
    colourPage_ = std::make_unique<CColorSettingsDlg>(*this);
    macroPage_ = std::make_unique<CMacroSettingsDlg>(*this);
    supportPage_ = std::make_unique<CSupportDlg>(*this);
    mousePage_ = std::make_unique<CMouseSettingsDlg>(*this);
    // The mouse page shows the macros in its menus and bindings: they are read first.
    macroPage_->LoadMacros();
    // A mouse page that cannot be made is tried again when its page button is pressed.
    if (MakePage(kMousePage)) {
        mousePage_->Show(true);
    }
    // The hidden pages are made one by one when the window has been painted and nothing else
    // waits (OnIdle), or at once when one is needed before that.
}

bool CORVADlg::MakePage(Page page) noexcept {
    CZelImageDialog* window = PageWindow(page);
    if (window == nullptr) {
        return false;
    }
    if (window->Hwnd() != nullptr) {
        return true;
    }
    if (!window->Create(Hwnd())) {
        return false;
    }
    // The page answers to its template id, so that tools can tell its controls apart from
    // the main window's (the ids overlap).
    SetWindowLongPtrW(window->Hwnd(), GWLP_ID, window->TemplateId());
    const PixelRect& r = page == kSupportPage ? kSupportPageRect : kPageRect;
    window->Move(r.left, r.top, r.Width(), r.Height());
    // Tab reaches the page's controls between the profile row and "Reset to Default".
    SetWindowPos(window->Hwnd(), profileButtons_.back().Hwnd(), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    window->Show(false);
    // A page made late shows the profile as it is now.
    if (page == kSensorPage) {
        sensorPage_->LoadSensorPage(CurrentProfile());
    } else if (page == kColourPage) {
        colourPage_->LoadColourPage(CurrentProfile());
    }
    return true;
}

bool CORVADlg::OnIdle() noexcept {
    // One page each time, so that input and painting come in between. A page that cannot be
    // made is not tried again here; showing it tries again.
    constexpr Page kLater[] = {kSensorPage, kColourPage, kMacroPage, kSupportPage};
    constexpr size_t kCount = sizeof(kLater) / sizeof(kLater[0]);
    if (idlePagesTried_ < kCount) {
        MakePage(kLater[idlePagesTried_++]);
    }
    return idlePagesTried_ < kCount;
}

bool CORVADlg::HasPageWindow(Page page) const noexcept {
    const CZelImageDialog* window = PageWindow(page);
    return window != nullptr && window->Hwnd() != nullptr;
}

void CORVADlg::StartDeviceWatch() noexcept {
    // Transports whose arrivals do not come as the system's notifications (the virtual mouse)
    // report them on a thread of their own: hand each over to this window's thread.
    HWND window = Hwnd();
    DeviceNoticeQueue* queue = &deviceNotices_;
    watching_ = transport_->StartWatching([window, queue](const DeviceChangeNotice& notice) {
        queue->Push(notice);
        PostMessageW(window, WM_DEVICE_NOTICE, 0, 0);
    });
}

CZelImageDialog* CORVADlg::PageWindow(Page page) const noexcept {
    switch (page) {
        case kMousePage:
            return mousePage_.get();
        case kSensorPage:
            return sensorPage_.get();
        case kColourPage:
            return colourPage_.get();
        case kMacroPage:
            return macroPage_.get();
        case kSupportPage:
            return supportPage_.get();
    }
    return nullptr;
}

// ---- pages and profiles -------------------------------------------------------------------

// A page not made yet holds nothing to collect and shows the profile when it is made.
void CORVADlg::CollectPages() noexcept {
    Profile& profile = CurrentProfile();
    if (HasPageWindow(kMousePage)) {
        mousePage_->SaveMousePage(profile);
    }
    if (HasPageWindow(kSensorPage)) {
        sensorPage_->SaveSensorPage(profile);
    }
    if (HasPageWindow(kColourPage)) {
        colourPage_->SaveColourPage(profile);
    }
}

void CORVADlg::ShowProfileOnPages(Profile& profile) noexcept {
    if (HasPageWindow(kMousePage)) {
        mousePage_->LoadMousePage(profile);
    }
    if (HasPageWindow(kSensorPage)) {
        sensorPage_->LoadSensorPage(profile);
    }
    if (HasPageWindow(kColourPage)) {
        colourPage_->LoadColourPage(profile);
    }
}

void CORVADlg::ShowPage(Page page) noexcept {
    CZelImageDialog* window = PageWindow(page);
    if (!MakePage(page) || window->IsVisible()) {
        return;
    }
    for (int i = 0; i < kPageCount; ++i) {
        pageButtons_[static_cast<size_t>(i)].SetLatched(i == page);
    }
    for (int i = 0; i < kPageCount; ++i) {
        if (CZelImageDialog* other = PageWindow(static_cast<Page>(i))) {
            other->Show(false);
        }
    }
    CollectPages();
    window->Show(true);
    if (page == kMousePage) {
        mousePage_->RefreshMacroSubMenus();
    }
}

void CORVADlg::SwitchProfile(int slot) noexcept {
    if (slot < 0 || slot >= kProfileCount) {
        return;
    }
    CollectPages();
    for (int i = 0; i < kProfileCount; ++i) {
        profileButtons_[static_cast<size_t>(i)].SetLatched(i == slot);
    }
    current_ = slot;
    ShowProfileOnPages(CurrentProfile());
}

void CORVADlg::SetProfileCaption(int slot) noexcept {
    const size_t s = static_cast<size_t>(slot);
    profileButtons_[s].SetCaption(Wide(profiles_[s].name));
    profileButtons_[s].Redraw();
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
    return macroPage_ ? macroPage_->SaveMacros() : true;
}

void CORVADlg::ShowMessage(const std::u16string& text) noexcept {
    MessageBoxW(Hwnd(), Wide(text).c_str(), Wide(kMessageTitle).c_str(), MB_OK);
}

void CORVADlg::ApplyAll() noexcept {
    RunApply(*this, *link_, profiles_, current_, busy_);
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
    if (slot < 0 || slot >= kProfileCount) {
        return;
    }
    switch (item) {
        case kMenuRename:
            CRenameDlg(slot + 1, this, Hwnd()).Run();
            break;
        case kMenuSave:
            SaveProfileInPlace(slot);
            break;
        case kMenuExport:
            ExportProfile(slot);
            break;
        case kMenuImport:
            ImportProfile(slot);
            break;
        default:
            break;
    }
}

// Saving or exporting the profile on the pages takes what the pages show: the user asked for
// the current settings, not those of the last collection.
void CORVADlg::CollectIfCurrent(int slot) noexcept {
    if (slot == current_) {
        CollectPages();
    }
}

void CORVADlg::SaveProfileInPlace(int slot) noexcept {
    CollectIfCurrent(slot);
    const Profile& profile = profiles_[static_cast<size_t>(slot)];
    if (!SaveProfileFile(profile, profile.filePath)) {
        ShowMessage(SaveFailedText(profile.filePath.u16string()));
    }
}

void CORVADlg::ExportProfile(int slot) noexcept {
    CollectIfCurrent(slot);
    const Profile& profile = profiles_[static_cast<size_t>(slot)];
    const std::u16string proposal =
        ExportFileProposal(ApplicationFolder().u16string(), profile.name);
    const std::optional<std::wstring> path = AskExportPath(Hwnd(), Wide(proposal));
    if (!path) {
        return;
    }
    if (!SaveProfileFile(profile, std::filesystem::path(*path))) {
        ShowMessage(ExportFailedText(Utf16(*path)));
    }
}

void CORVADlg::ImportProfile(int slot) noexcept {
    const std::u16string proposal = ImportFileProposal(ApplicationFolder().u16string());
    const std::optional<std::wstring> path = AskImportPath(Hwnd(), Wide(proposal));
    if (!path) {
        return;
    }
    Profile& profile = profiles_[static_cast<size_t>(slot)];
    const ImportResult result = ImportProfileFrom(std::filesystem::path(*path), profile);
    if (result != ImportResult::kImported) {
        ShowMessage(ImportFailedText(result, Utf16(*path)));
        return;
    }
    // The imported settings show at once; otherwise the next collection of the pages would
    // copy the old page state over them.
    SetProfileCaption(slot);
    if (slot == current_) {
        ShowProfileOnPages(profile);
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
            OnTrayRightClick();
            break;
        default:
            break;
    }
    return 1;
}

void CORVADlg::OnTrayRightClick() noexcept {
    if (!trayMenu_) {
        auto menu = std::make_unique<CZelMenu>();
        const int32_t id = static_cast<int32_t>(GetTickCount());
        if (!menu->Create(L"menu", kTrayMenuRect, Hwnd(), id)) {
            return;
        }
        menu->AddItem(kTrayConfig, Wide(kTrayConfigItem));
        menu->AddItem(kTrayExit, Wide(kTrayExitItem));
        trayMenu_ = std::move(menu);
    }
    POINT pointer{};
    GetCursorPos(&pointer);
    SetWindowPos(trayMenu_->Hwnd(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // The menu opens above and left of the pointer, as from a task bar at the bottom; where
    // that would leave the screen (a task bar at the top or left), below and right of it.
    trayMenu_->LayoutItems();
    const RECT menu = trayMenu_->RectInParent();
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    int anchor = CZelMenu::kBottomRight;
    if (GetMonitorInfoW(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &monitor) &&
        (pointer.x - (menu.right - menu.left) < monitor.rcWork.left ||
         pointer.y - (menu.bottom - menu.top) < monitor.rcWork.top)) {
        anchor = CZelMenu::kTopLeft;
    }
    trayMenu_->PopupAt(pointer.x, pointer.y, anchor);
}

void CORVADlg::OnDeviceChange(WPARAM event, LPARAM data) noexcept {
    DeviceChangeNotice notice;
    if (ReadDeviceChange(static_cast<uintptr_t>(event), static_cast<intptr_t>(data), notice)) {
        OnDeviceNotice(notice);
    }
}

void CORVADlg::OnQueuedDeviceNotices() noexcept {
    for (const DeviceChangeNotice& notice : deviceNotices_.TakeAll()) {
        OnDeviceNotice(notice);
    }
}

std::optional<int32_t> CORVADlg::ReadFirmwareUnasked() noexcept {
    ScopedTransferLimit limit(*link_, kUnaskedTransferLimitMs);
    DeviceInfo info;
    if (link_->EnsureOpen() && ReadDeviceInfo(*link_, info)) {
        return info.firmwareVersion;
    }
    return std::nullopt;
}

void CORVADlg::OnDeviceNotice(const DeviceChangeNotice& notice) noexcept {
    // Nobody asked for the arrival's read: it waits no longer than the poll does.
    ScopedTransferLimit limit(*link_, kUnaskedTransferLimitMs);
    const DeviceChangeResult result = HandleDeviceChange(*link_, notice);
    switch (result.action) {
        case DeviceChangeAction::kArrived:
            if (result.firmwareVersion) {
                ShowFirmwareVersion(result.firmwareVersion);
            }
            break;
        case DeviceChangeAction::kRemoved:
            if (HasPageWindow(kSupportPage)) {
                supportPage_->ShowFirmwareVersion(std::nullopt);
            }
            break;
        default:
            break;
    }
}

void CORVADlg::ShowFirmwareVersion(std::optional<int32_t> version) noexcept {
    if (HasPageWindow(kSupportPage)) {
        supportPage_->ShowFirmwareVersion(version);
    }
    if (version) {
        for (Profile& profile : profiles_) {
            profile.firmwareVersion = *version;
        }
    }
}

void CORVADlg::OnPollTimer() noexcept {
    // The firmware updater this program started owns the mouse until it ends; then the mouse
    // is taken up again as at an arrival (an updater that flashed makes it arrive anyway).
    if (link_->IsHeld()) {
        updaterHeldLink_ = true;
        return;
    }
    if (updaterHeldLink_) {
        updaterHeldLink_ = false;
        ShowFirmwareVersion(ReadFirmwareUnasked());
    }
    // While Apply runs, or a pop-up, message box or file dialog of this program is open (the
    // window is disabled then), a switch would reload the pages under it and its OK would
    // write into another profile: the poll waits.
    const bool held = busy_ != 0 || !IsWindowEnabled(Hwnd());
    const PollDecision decision = poll_.Tick(*link_, held, profiles_);
    if (decision.switchToSlot >= 0) {
        SwitchProfile(decision.switchToSlot);
    }
    if (decision.applySettings) {
        ApplyWindowsSettings();
    }
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
    if (watching_) {
        transport_->StopWatching();
        watching_ = false;
    }
}
