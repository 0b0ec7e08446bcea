#include "pages/PopDlg.h"

#include "device/MouseCommands.h"
#include "pages/PlacedPieces.h"
#include "pages/logic/ButtonCatalogue.h"
#include "pages/logic/PageIds.h"
#include "pages/logic/PageLabels.h"
#include "pages/logic/PopDlgLayout.h"
#include "pages/logic/PopupRules.h"
#include "skin/KeyboardHookSlot.h"
#include "skin/ZelComboButton.h"
#include "skin/logic/SkinSheets.h"

namespace {

constexpr UINT_PTR kCountdownTimer = 1;
constexpr wchar_t kHookFailedText[] = L"set hook failed.";

void CreateSkinButton(CZelButton& button, HWND dialog, const ControlPlace& place, int states) {
    button.CreateChild({.parent = dialog,
                        .systemClass = L"BUTTON",
                        .style = WS_VISIBLE,
                        .rect = RectOfPlace(place),
                        .id = place.id});
    button.SetImages(PieceOfPlace(place, kSkinNormal), PieceOfPlace(place, kSkinOver),
                     PieceOfPlace(place, kSkinDown),
                     states > kSkinDisable ? PieceOfPlace(place, kSkinDisable) : SkinImage());
}

}  // namespace

CPopDlg::CPopDlg(PopupMode mode, HWND parent, DeviceLink* link) noexcept
    : CZelImageDialog(IDD_POPUP), mode_(mode), parent_(parent), link_(link) {}

CPopDlg::~CPopDlg() = default;

INT_PTR CPopDlg::Run() noexcept {
    return RunModal(parent_);
}

LRESULT CPopDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    switch (msg) {
        case WM_HOOK_EVENT:
            OnHookEvent(wParam);
            return 0;
        default:
            break;
    }
    return CZelImageDialog::HandleMessage(msg, wParam, lParam);
}

bool CPopDlg::OnInitDialog() noexcept {
    const PopupLayout* layout = FindPopupLayout(mode_);
    SetBackground(GetSkinPiece(mode_, kSkinNormal, 0, 0, 0, 0));
    CentreOverMainWindow();
    if (layout == nullptr) {
        return true;
    }
    SetText(layout->title);
    PlaceControls(*layout);
    LabelControls(Hwnd(), PopupAccessLabels(mode_));
    if (mode_ == kPopupAnalysisMove) {
        StartCountdown();
    } else if (mode_ == kPopupSingleKey) {
        StartKeyCapture();
        return false;
    }
    return true;
}

void CPopDlg::PlaceControls(const PopupLayout& layout) noexcept {
    HWND dialog = Hwnd();
    CreateSkinButton(ok_, dialog, layout.ok, layout.states);
    CreateSkinButton(close_, dialog, layout.close, layout.states);
    if (layout.HasCancel()) {
        CreateSkinButton(cancel_, dialog, layout.cancel, layout.states);
    }
    // Both statics exist in every mode and stay hidden unless the mode shows them.
    const ControlPlace& timePlace = layout.ShowsTime() ? layout.time : layout.ok;
    time_.CreateChild({.parent = dialog,
                       .systemClass = L"STATIC",
                       .style = 0,
                       .rect = RectOfPlace(timePlace),
                       .id = IDC_POPUP_TIME});
    const ControlPlace& imagePlace = layout.ShowsImage() ? layout.image : layout.ok;
    image_.CreateChild({.parent = dialog,
                        .systemClass = L"STATIC",
                        .style = 0,
                        .rect = RectOfPlace(imagePlace),
                        .id = IDC_POPUP_IMAGE});
    if (layout.ShowsTime()) {
        time_.SetImage(PieceOfPlace(layout.time, kSkinNormal));
    }
    if (layout.ShowsImage()) {
        image_.SetImage(PieceOfPlace(layout.image, kSkinNormal));
    }
}

void CPopDlg::CentreOverMainWindow() noexcept {
    RECT own{};
    GetWindowRect(Hwnd(), &own);
    RECT over{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    HWND root = parent_ != nullptr ? GetAncestor(parent_, GA_ROOT) : nullptr;
    if (root != nullptr && IsWindowVisible(root)) {
        GetWindowRect(root, &over);
    }
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const int x = over.left + (over.right - over.left - width) / 2;
    const int y = over.top + (over.bottom - over.top - height) / 2;
    SetWindowPos(Hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPopDlg::StartCountdown() noexcept {
    ok_.Enable(false);
    time_.Show(true);
    time_.SetText(kCountdownStart);
    for (const char* name : kAnalysisFrameFiles) {
        std::unique_ptr<Gdiplus::Bitmap> frame = LoadSkinFileAtScale(name);
        // A missing frame stays in the list as an empty image, so the others keep their places.
        image_.Images().push_back(frame ? SkinImage::Owned(std::move(frame)) : SkinImage());
    }
    image_.SetCurrentImage(0);
    image_.Show(true);
    StartTimer(kCountdownTimer, kCountdownTickMs);
}

void CPopDlg::StartKeyCapture() noexcept {
    time_.SetFontHeight(kPopupKeyFontHeight);
    time_.Show(true);
    time_.SetText(L"");
    if (!InstallKeyboardHook(Hwnd())) {
        MessageBoxW(Hwnd(), kHookFailedText, L"ORVA 7100", MB_OK);
    }
    SetFocus(Hwnd());
}

bool CPopDlg::PreTranslateMessage(MSG& msg) noexcept {
    if (!CapturesKeys(mode_) || Hwnd() == nullptr) {
        return false;
    }
    const bool keyMessage = msg.message == WM_KEYDOWN || msg.message == WM_KEYUP;
    // System keys (with Alt) still go through, so Alt+F4 and the like keep working.
    return keyMessage && (msg.hwnd == Hwnd() || IsChild(Hwnd(), msg.hwnd));
}

void CPopDlg::OnHookEvent(WPARAM virtualKey) noexcept {
    if (!CapturesKeys(mode_)) {
        return;
    }
    capturedKey_ = static_cast<int>(virtualKey);
    time_.SetText(KeyName(static_cast<uint32_t>(capturedKey_)));
}

bool CPopDlg::OnTimer(UINT_PTR id) noexcept {
    if (id != kCountdownTimer) {
        return false;
    }
    if (mode_ == kPopupAnalysisMove) {
        OnCountdownTick();
    }
    return true;
}

void CPopDlg::OnCountdownTick() noexcept {
    const CountdownTick tick = NextCountdownTick(time_.GetText());
    if (tick.finished) {
        ok_.Enable(true);
        StopTimer(kCountdownTimer);
        return;
    }
    time_.SetText(tick.text);
    image_.SetCurrentImage(tick.frame);
    image_.Redraw();
}

bool CPopDlg::OnCommand(int id, int code, HWND control) noexcept {
    if (code == BN_CLICKED) {
        switch (id) {
            case IDC_POPUP_OK:
                Accept();
                return true;
            case IDC_POPUP_CANCEL:
            case IDC_POPUP_CLOSE:
                Decline();
                return true;
            default:
                break;
        }
    }
    return CZelImageDialog::OnCommand(id, code, control);
}

void CPopDlg::OnOK() noexcept {
    // Enter: OK in every mode but the key capture, where Enter is a key to capture.
    if (!CapturesKeys(mode_) && ok_.IsEnabled()) {
        Accept();
    }
}

void CPopDlg::OnCancel() noexcept {
    // Escape never arrives while keys are captured (see PreTranslateMessage); what does is the
    // window's close request, which must still close the pop-up.
    Decline();
}

void CPopDlg::Accept() noexcept {
    switch (mode_) {
        case kPopupAnalysisStart:
            // A failed start is not noticed here: the quality read afterwards fails instead.
            if (link_ != nullptr) {
                StartSurfaceCapture(*link_);
            }
            ContinueWith(kPopupAnalysisMove);
            return;
        case kPopupAnalysisMove:
            ContinueWith(kPopupAnalysisFinish);
            return;
        case kPopupSingleKey:
            if (targetSlot_ != nullptr) {
                targetSlot_->SetVeto(false);
                targetSlot_->SetCaption(KeyName(static_cast<uint32_t>(capturedKey_)),
                                        kSingleKeyFunction, capturedKey_);
            }
            EndModal(kDialogOk);
            return;
        default:
            EndModal(kDialogOk);
            return;
    }
}

void CPopDlg::Decline() noexcept {
    if (mode_ == kPopupSingleKey && targetSlot_ != nullptr) {
        // The slot keeps its previous assignment.
        targetSlot_->SetVeto(false);
    }
    EndModal(kDialogCancel);
}

void CPopDlg::ContinueWith(PopupMode next) noexcept {
    StopTimer(kCountdownTimer);
    CPopDlg screen(next, Hwnd(), link_);
    EndModal(screen.Run() == kDialogOk ? kDialogOk : kDialogCancel);
}

void CPopDlg::OnDestroy() noexcept {
    StopTimer(kCountdownTimer);
    // In every mode: the hook, if this pop-up holds one, goes with its window.
    RemoveKeyboardHook(Hwnd());
}
