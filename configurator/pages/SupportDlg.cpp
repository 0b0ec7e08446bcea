#include "pages/SupportDlg.h"

#include <shellapi.h>

#include <filesystem>
#include <memory>

#include "device/MouseCommands.h"
#include "pages/PlacedPieces.h"
#include "pages/logic/PageIds.h"
#include "pages/logic/PageLabels.h"
#include "pages/logic/SensorRules.h"
#include "pages/logic/SupportPageLayout.h"
#include "pages/logic/SupportRules.h"
#include "profiles/Storage.h"
#include "skin/ScopedWin.h"

namespace {

const ControlPlace& PlaceOf(int id) {
    return *FindPlace(kSupportPageLayout, id);
}

void CreateSkinButton(CZelButton& button, HWND page, int id) {
    CreatePlacedButton(button, page, PlaceOf(id), true);
}

void CreateVersionLabel(CZelStatic& label, HWND page, int id) {
    const ControlPlace& place = PlaceOf(id);
    label.CreateChild({.parent = page,
                       .systemClass = L"STATIC",
                       .style = WS_VISIBLE,
                       .rect = RectOfPlace(place),
                       .id = id});
    label.SetImage(PieceOfPlace(place, kSkinNormal));
    label.SetFontHeight(kSupportVersionFontHeight);
}

// The worker owns its copy of the address and touches nothing else.
DWORD WINAPI OpenWebPageWorker(void* parameter) {
    auto* address = static_cast<std::wstring*>(parameter);
    // The shell may hand the address to a COM handler: the thread needs its own apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    ShellExecuteW(nullptr, L"open", address->c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    delete address;
    return 0;
}

}  // namespace

CSupportDlg::CSupportDlg(PageHost& host) noexcept : CPageDialog(IDD_SUPPORT_PAGE), host_(host) {}

CSupportDlg::~CSupportDlg() = default;

bool CSupportDlg::OnInitDialog() noexcept {
    SetUpPage(kSupportBackgroundPiece, kSupportPageLabels, kSupportPageName);
    ShowVersions();
    return true;
}

void CSupportDlg::CreateControls() noexcept {
    HWND page = Hwnd();
    CreateSkinButton(onlineSupport_, page, IDC_SUPPORT_ONLINE);
    CreateSkinButton(checkUpdates_, page, IDC_SUPPORT_CHECK_UPDATES);
    CreateSkinButton(checkFirmware_, page, IDC_SUPPORT_CHECK_FIRMWARE);
    CreateVersionLabel(softVersion_, page, IDC_SUPPORT_SOFT_VERSION);
    CreateVersionLabel(firmVersion_, page, IDC_SUPPORT_FIRM_VERSION);
}

void CSupportDlg::ShowVersions() noexcept {
    softVersion_.SetText(kSoftwareVersionText);
    DeviceLink& link = host_.Link();
    // The page is made while the program is idle: this read must not hold the window.
    ScopedTransferLimit limit(link, kUnaskedTransferLimitMs);
    DeviceInfo info;
    // A mouse that is there but does not answer shows the same as no mouse.
    if (link.EnsureOpen() && ReadDeviceInfo(link, info)) {
        ShowFirmwareVersion(info.firmwareVersion);
    } else {
        ShowFirmwareVersion(std::nullopt);
    }
}

void CSupportDlg::ShowFirmwareVersion(std::optional<int32_t> version) noexcept {
    firmVersion_.SetText(FirmwareVersionText(version));
}

void CSupportDlg::OpenWebPage(const std::wstring& address) noexcept {
    auto* copy = new (std::nothrow) std::wstring(address);
    if (copy == nullptr) {
        return;
    }
    // The worker runs on its own; its handle is not needed.
    const ScopedHandle thread(CreateThread(nullptr, 0, &OpenWebPageWorker, copy, 0, nullptr));
    if (!thread) {
        delete copy;
    }
}

void CSupportDlg::CheckFirmware() noexcept {
    if (host_.Link().IsHeld()) {
        host_.ShowMessage(kUpdaterOwnsMouseText);
        return;
    }
    DeviceInfo info;
    if (!ReadDeviceInfo(host_.Link(), info)) {
        return;
    }
    const std::filesystem::path folder = ApplicationFolder() / kUpdaterFolder;
    const std::filesystem::path config = folder / kUpdaterConfigFile;
    wchar_t value[kFirmwareVersionBuffer] = {};
    GetPrivateProfileStringW(kFirmwareSection, kFirmwareVersionKey, kFirmwareVersionDefault, value,
                             kFirmwareVersionBuffer, config.c_str());
    const std::wstring argument = UpdaterArgument(value, info.firmwareVersion);
    const std::filesystem::path updater = folder / kUpdaterProgram;
    // The configurator does not wait for the updater; a missing one simply does not start.
    SHELLEXECUTEINFOW run{};
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_NOCLOSEPROCESS;
    run.hwnd = Hwnd();
    run.lpVerb = L"open";
    run.lpFile = updater.c_str();
    run.lpParameters = argument.c_str();
    run.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&run) || run.hProcess == nullptr) {
        return;
    }
    // The updater owns the mouse until it ends: nothing of this program reaches the mouse
    // meanwhile. The process handle answers that at the cost of one call, where the process
    // list would cost a walk every 500 ms.
    std::shared_ptr<void> process(run.hProcess, CloseHandle);
    host_.Link().HoldWhile(
        [process] { return WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT; });
}

bool CSupportDlg::OnCommand(int id, int code, HWND control) noexcept {
    if (code == BN_CLICKED) {
        switch (id) {
            case IDC_SUPPORT_ONLINE:
                OpenWebPage(kSupportStartPage);
                return true;
            case IDC_SUPPORT_CHECK_UPDATES:
                OpenWebPage(kSupportDownloadPage);
                return true;
            case IDC_SUPPORT_CHECK_FIRMWARE:
                CheckFirmware();
                return true;
            default:
                break;
        }
    }
    return CZelImageDialog::OnCommand(id, code, control);
}
