#include "pages/MacroSettingsDlg.h"

#include <utility>

#include "pages/PopDlg.h"
#include "pages/logic/MacroPageLabels.h"
#include "pages/logic/MacroPageLayout.h"
#include "pages/logic/PageIds.h"
#include "profiles/Storage.h"
#include "skin/HookEvent.h"
#include "skin/KeyboardHookSlot.h"
#include "skin/SkinImages.h"

namespace {

constexpr int kNameFontHeight = 16;
// Message boxes are titled apart from the main window ("ORVA7100"), which a second start of the
// program looks for by its title.
constexpr wchar_t kMessageTitle[] = L"ORVA 7100";

RECT ToRect(const PixelRect& rect) {
    return ScaledRect(rect);
}

SkinImage Cut(int piece, int state, const PixelRect& rect) {
    return GetSkinPiece(piece, state, rect.left, rect.top, rect.right, rect.bottom);
}

// A button of the layout table, skinned in its three states.
template <typename Button>
void CreateButton(Button& button, HWND page, int id, const wchar_t* text, bool visible,
                  const PixelRect* art = nullptr) {
    const ControlPlace* place = FindPlace(kMacroPageLayout, id);
    if (place == nullptr || !button.CreateChild({.parent = page,
                                                 .systemClass = L"BUTTON",
                                                 .text = text,
                                                 .style = visible ? WS_VISIBLE : 0,
                                                 .rect = ToRect(place->rect),
                                                 .id = id})) {
        return;
    }
    const PixelRect& cut = art != nullptr ? *art : place->rect;
    button.SetImages(Cut(place->piece, kSkinNormal, cut), Cut(place->piece, kSkinOver, cut),
                     Cut(place->piece, kSkinDown, cut));
}

}  // namespace

CMacroSettingsDlg::CMacroSettingsDlg(PageHost& host) noexcept
    : CPageDialog(IDD_MACRO_PAGE), host_(host) {}

CMacroSettingsDlg::~CMacroSettingsDlg() {
    ReleaseHook();
}

void CMacroSettingsDlg::LoadMacros() noexcept {
    if (macrosLoaded_) {
        return;
    }
    macrosLoaded_ = true;
    editor_.Macros().SetFolder(MacroFolder());
    editor_.Macros().LoadMacros();
}

MacroCollection& CMacroSettingsDlg::Macros() noexcept {
    return editor_.Macros();
}

bool CMacroSettingsDlg::SaveMacros() noexcept {
    return editor_.Macros().SaveMacros();
}

bool CMacroSettingsDlg::OnInitDialog() noexcept {
    SetUpPage(kMacroPageBackgroundPiece, kMacroPageLabels, kMacroPageName);
    LoadMacros();
    editor_.BuildContextMenu();
    LoadMacroList();
    return true;
}

void CMacroSettingsDlg::CreateControls() noexcept {
    CreateButton(newMacro_, Hwnd(), IDC_NEW_MACRO, L"New Macro", true);
    CreateButton(delete_, Hwnd(), IDC_DELETE_MACRO, L"Delete", true);
    CreateButton(recordDelay_, Hwnd(), IDC_RECORD_DELAY, L"Record Delay", true);
    CreateButton(startRecord_, Hwnd(), IDC_START_RECORD, L"Start Record", true);
    CreateButton(stopRecord_, Hwnd(), IDC_STOP_RECORD, L"Stop Record", false, &kStopRecordArt);

    if (const ControlPlace* place = FindPlace(kMacroPageLayout, IDC_MACRO_LIST);
        place != nullptr && list_.CreateChild({.parent = Hwnd(),
                                               .systemClass = L"STATIC",
                                               .text = L"Macro",
                                               .style = WS_VISIBLE,
                                               .rect = ToRect(place->rect),
                                               .id = IDC_MACRO_LIST})) {
        list_.SetBackground(Cut(place->piece, kSkinNormal, place->rect));
        list_.SetRowNaming(rowNaming_);
        list_.SetUpScrollBar();
    }
    if (const ControlPlace* place = FindPlace(kMacroPageLayout, IDC_MACRO_EDITOR);
        place != nullptr && editor_.CreateChild({.parent = Hwnd(),
                                                 .systemClass = L"STATIC",
                                                 .text = L"Events",
                                                 .style = WS_VISIBLE,
                                                 .rect = ToRect(place->rect),
                                                 .id = IDC_MACRO_EDITOR})) {
        editor_.SetBackground(Cut(place->piece, kSkinNormal, place->rect));
        editor_.SetUpScrollBar();
    }
}

void CMacroSettingsDlg::LoadMacroList() noexcept {
    // Each entry added selects itself and makes its macro current: the last one stays so.
    for (const std::unique_ptr<CMacro>& macro : editor_.Macros().Macros()) {
        list_.AddItemWithId(std::wstring(macro->name.begin(), macro->name.end()), macro->id);
    }
}

LRESULT CMacroSettingsDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    switch (msg) {
        case WM_HOOK_EVENT:
            OnHookEvent(wParam, lParam);
            return 0;
        default:
            return CZelImageDialog::HandleMessage(msg, wParam, lParam);
    }
}

bool CMacroSettingsDlg::OnCommand(int id, int code, HWND control) noexcept {
    if (code != BN_CLICKED) {
        return CZelImageDialog::OnCommand(id, code, control);
    }
    switch (id) {
        case IDC_NEW_MACRO:
            BeginNameEdit();
            return true;
        case IDC_DELETE_MACRO:
            DeleteSelectedMacro();
            return true;
        case IDC_RECORD_DELAY:
            return true;  // the box keeps its own state; it is read at every key
        case IDC_START_RECORD:
            OnStartRecordClicked();
            return true;
        case IDC_STOP_RECORD:
            StopRecording();
            return true;
        default:
            return CZelImageDialog::OnCommand(id, code, control);
    }
}

bool CMacroSettingsDlg::OnControlNotification(int code, LPARAM value) noexcept {
    switch (code) {
        case NOTIFY_MACRO_SELECTED:
            OnMacroSelected(static_cast<int32_t>(value));
            return true;
        case NOTIFY_MACRO_DELETED:
            // The row still selected is the one going: the macro at its place among those
            // with its id goes with it.
            editor_.Macros().RemoveMacro(static_cast<int32_t>(value), list_.SelectedOccurrence());
            editor_.Redraw();
            return true;
        case NOTIFY_START_RECORDING:
            StartRecording();
            return true;
        case NOTIFY_MENU_HIDING:
            return false;  // the main window keeps itself topmost while a menu is open
        default:
            // Hover reports of the buttons and changes of the name box.
            return true;
    }
}

void CMacroSettingsDlg::OnMacroSelected(int32_t id) noexcept {
    const CBoxItem* entry = list_.SelectedItem();
    if (entry == nullptr) {
        return;
    }
    const int32_t occurrence = entry->id == id ? list_.SelectedOccurrence() : 0;
    editor_.ShowMacro(id, std::wstring(entry->name.begin(), entry->name.end()), occurrence);
}

bool CMacroSettingsDlg::PreTranslateMessage(MSG& msg) noexcept {
    if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP) {
        return false;
    }
    if (msg.wParam == VK_RETURN) {
        list_.CommitNameEdit();
        editor_.CommitDelayEdit();
    }
    // Keys typed for a macro must not press the page's buttons or type into its boxes.
    return editor_.IsRecording();
}

void CMacroSettingsDlg::StartRecording() noexcept {
    startRecord_.Show(false);
    stopRecord_.Show(true);
    list_.CommitNameEdit();
    editor_.SetRecording(true);
    recorder_.Start();
    if (hookTarget_ == nullptr && InstallKeyboardHook(Hwnd())) {
        hookTarget_ = Hwnd();
    }
    if (hookTarget_ == nullptr) {
        // The page stays in its recording state; Stop Record brings it back.
        MessageBoxW(host_.MainWindow() != nullptr ? host_.MainWindow() : Hwnd(), kHookFailedText,
                    kMessageTitle, MB_OK);
    }
}

void CMacroSettingsDlg::OnStartRecordClicked() noexcept {
    StartRecording();
    // Recording from the button replaces the macro's events.
    if (CMacro* macro = editor_.Macros().CurrentMacro()) {
        macro->ClearEvents();
    }
    editor_.Redraw();
}

void CMacroSettingsDlg::StopRecording() noexcept {
    startRecord_.Show(true);
    stopRecord_.Show(false);
    editor_.SetRecording(false);
    recorder_.Stop();
    ReleaseHook();
}

void CMacroSettingsDlg::ReleaseHook() noexcept {
    if (hookTarget_ != nullptr) {
        RemoveKeyboardHook(hookTarget_);
        hookTarget_ = nullptr;
    }
}

void CMacroSettingsDlg::OnWindowGone() noexcept {
    ReleaseHook();
    CZelImageDialog::OnWindowGone();
}

void CMacroSettingsDlg::OnHookEvent(WPARAM virtualKey, LPARAM upFlag) noexcept {
    if (!editor_.IsRecording()) {
        return;
    }
    const std::optional<RecordedKey> key = recorder_.OnKeyEvent(
        static_cast<uint32_t>(virtualKey), static_cast<uint32_t>(upFlag), recordDelay_.IsChecked());
    if (key && MacroRecorder::Place(editor_.Macros(), *key)) {
        editor_.Redraw();
    }
}

void CMacroSettingsDlg::BeginNameEdit() noexcept {
    if (editor_.IsRecording() || list_.CommitNameEdit()) {
        return;
    }
    RECT rect = list_.NewRowRectangle();
    if (list_.ScrollBar().IsVisible()) {
        const RECT bar = list_.ScrollBar().ClientRect();
        rect.right -= bar.right;
    }
    if (list_.NameEdit() == nullptr) {
        auto edit = std::make_unique<CZelEdit>();
        if (!edit->CreateChild({.parent = list_.Hwnd(),
                                .systemClass = L"EDIT",
                                .style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                                .rect = rect,
                                .id = kNameEditId})) {
            return;
        }
        edit->SetFontHeight(kNameFontHeight);
        edit->SetAccessLabel(kNewMacroNameLabel);
        list_.SetNameEdit(std::move(edit));
    }
    CZelWnd* edit = list_.NameEdit();
    edit->Move(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    edit->Show(true);
    SetFocus(edit->Hwnd());
}

void CMacroSettingsDlg::DeleteSelectedMacro() noexcept {
    if (editor_.IsRecording()) {
        return;
    }
    CPopDlg confirm(kPopupDeleteMacro, Hwnd(), &host_.Link());
    if (confirm.Run() != kDialogOk) {
        return;
    }
    if (list_.SelectedItem() == nullptr) {
        return;
    }
    list_.DeleteSelectedItem();
    // Buttons bound to the deleted macro fall back to their own functions.
    host_.MacrosChanged();
}
