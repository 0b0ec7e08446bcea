#include "pages/MouseSettingsDlg.h"

#include <algorithm>
#include <vector>

#include "macros/MacroCollection.h"
#include "pages/ComboSlotMenu.h"
#include "pages/PlacedControls.h"
#include "pages/PopDlg.h"
#include "pages/logic/MousePageLayout.h"
#include "pages/logic/PageIds.h"
#include "pages/logic/PageLabels.h"
#include "pages/logic/WideText.h"
#include "skin/SkinImages.h"
#include "skin/ZelMenu.h"

namespace {

const ControlPlace& PlaceOf(int id) noexcept {
    return *FindPlace(kMousePageLayout, id);
}

void SetUpSlider(CZelSliderCtrl& slider, HWND parent, int id, const SliderRange& range) noexcept {
    const ControlPlace& place = PlaceOf(id);
    CreatePlaced(slider, parent, place, L"STATIC", L"", SS_NOTIFY);
    slider.SetImages(CutPiece(place, kSkinNormal),
                     GetSkinPiece(kMousePageThumbPiece, kSkinNormal, 0, 0, 0, 0),
                     GetSkinPiece(kMousePageThumbPiece, kSkinNormal, 0, 0, 0, 0),
                     GetSkinPiece(kMousePageDisabledThumbPiece, kSkinNormal, 0, 0, 0, 0));
    slider.model.minimum = range.minimum;
    slider.model.maximum = range.maximum;
    slider.model.step = range.step;
}

}  // namespace

CMouseSettingsDlg::CMouseSettingsDlg(PageHost& host) noexcept
    : CPageDialog(IDD_MOUSE_PAGE), host_(host) {}

CMouseSettingsDlg::~CMouseSettingsDlg() = default;

bool CMouseSettingsDlg::OnInitDialog() noexcept {
    SetUpPage(kMousePageBackgroundPiece, kMousePageLabels, kMousePageName);
    SetUpSlots();
    SetUpSliders();
    rateBoxes_[3].SetChecked(true);  // "1000"
    wheelLines_.SetChecked(true);
    RefreshMacroSubMenus();
    return true;
}

void CMouseSettingsDlg::CreateControls() noexcept {
    static const wchar_t* const kSlotNames[] = {L"Function1", L"Function2", L"Function3",
                                                L"Function4", L"Function5", L"Function6",
                                                L"Function7"};
    static const wchar_t* const kMarkerNames[] = {L"Bn1", L"Bn2", L"Bn3", L"Bn4",
                                                  L"Bn5", L"Bn6", L"Bn7"};
    static const wchar_t* const kRateNames[] = {L"125", L"250", L"500", L"1000"};
    for (int k = 0; k < kButtonCount; ++k) {
        const ControlPlace& place = PlaceOf(kMousePageSlotIds[k]);
        CreatePlaced(slots_[k], Hwnd(), place, L"BUTTON", kSlotNames[k]);
        slots_[k].SetImages(CutPiece(place, kSkinNormal), CutPiece(place, kSkinOver),
                            CutPiece(place, kSkinDown));
    }
    for (int k = 0; k < kButtonCount; ++k) {
        CreatePlacedButton(markers_[k], Hwnd(), PlaceOf(kMousePageMarkerIds[k]), kMarkerNames[k]);
    }
    for (int box = 0; box < kRateBoxCount; ++box) {
        CreatePlacedButton(rateBoxes_[box], Hwnd(), PlaceOf(kMousePageRateIds[box]),
                           kRateNames[box]);
    }
    SetUpSlider(doubleClick_, Hwnd(), IDC_DOUBLE_CLICK, kDoubleClickRange);
    CreatePlacedButton(wheelLines_, Hwnd(), PlaceOf(IDC_WHEEL_LINES), L"Speed");
    CreatePlacedButton(wheelPage_, Hwnd(), PlaceOf(IDC_WHEEL_PAGE), L"page");
    SetUpSlider(scrollSpeed_, Hwnd(), IDC_SCROLL_SPEED, kScrollLinesRange);
    SetUpSlider(acceleration_, Hwnd(), IDC_ACCELERATION, kAccelerationRange);
    CreatePlacedButton(accelerationOn_, Hwnd(), PlaceOf(IDC_ACCELERATION_ON), L"Enable");
}

void CMouseSettingsDlg::SetUpSlots() noexcept {
    for (int k = 0; k < kButtonCount; ++k) {
        ComboSlotMenu menu(slots_[k]);
        BuildButtonMenu(menu);
        slots_[k].SelectItem(k);  // slot k starts on function k
    }
}

void CMouseSettingsDlg::SetUpSliders() noexcept {
    doubleClick_.SetValue(static_cast<int32_t>(GetDoubleClickTime()), false);
    scrollSpeed_.SetValue(1, false);
    acceleration_.SetValue(1, false);
    acceleration_.SetDisabled(true);
}

void CMouseSettingsDlg::RefreshMacroSubMenus() noexcept {
    std::vector<MacroMenuEntry> entries;
    for (const auto& macro : host_.Macros().Macros()) {
        entries.push_back({macro->id, WideFromUtf16(macro->name)});
    }
    std::array<ComboSlotMenu, kButtonCount> menus = {
        ComboSlotMenu(slots_[0]), ComboSlotMenu(slots_[1]), ComboSlotMenu(slots_[2]),
        ComboSlotMenu(slots_[3]), ComboSlotMenu(slots_[4]), ComboSlotMenu(slots_[5]),
        ComboSlotMenu(slots_[6])};
    std::array<SlotMenu*, kButtonCount> pointers{};
    for (int k = 0; k < kButtonCount; ++k) {
        pointers[k] = &menus[k];
    }
    ::RefreshMacroSubMenus(pointers, entries);
}

bool CMouseSettingsDlg::OnControlNotification(int code, LPARAM value) noexcept {
    const int slot = SlotOfId(code);
    if (slot >= 0) {
        OnSlotChoice(slot, static_cast<int>(value));
        return true;
    }
    // Slider positions and hover reports need nothing; the menu-hiding code goes on to the
    // main window.
    return IsPageControl(code);
}

bool CMouseSettingsDlg::OnCommand(int id, int code, HWND control) noexcept {
    if (code != BN_CLICKED) {
        return CZelImageDialog::OnCommand(id, code, control);
    }
    switch (id) {
        case IDC_RATE_125:
        case IDC_RATE_250:
        case IDC_RATE_500:
        case IDC_RATE_1000:
            OnRateBox(id);
            return true;
        case IDC_WHEEL_LINES:
        case IDC_WHEEL_PAGE:
            OnWheelMode(id);
            return true;
        case IDC_ACCELERATION_ON:
            OnAccelerationBox();
            return true;
        default:
            return CZelImageDialog::OnCommand(id, code, control);
    }
}

void CMouseSettingsDlg::OnSlotChoice(int slot, int choice) noexcept {
    CZelComboButton& button = slots_[slot];
    std::array<int, kButtonCount> functions{};
    for (int k = 0; k < kButtonCount; ++k) {
        functions[k] = slots_[k].CurrentId();
    }
    switch (DecideSlotChoice(functions, slot, choice)) {
        case SlotChoice::kWarnLastLeftClick: {
            CloseSlotMenu(slot);
            CPopDlg warning(kPopupLeftClickWarning, host_.MainWindow());
            warning.Run();
            button.SetVeto(false);
            break;
        }
        case SlotChoice::kCaptureKey: {
            CloseSlotMenu(slot);
            CPopDlg capture(kPopupSingleKey, host_.MainWindow());
            capture.SetTargetSlot(&button);
            capture.Run();
            // The pop-up has set the key on OK; in every case "Single key assign..." itself is
            // never applied (also when the pop-up could not be shown).
            button.SetVeto(false);
            break;
        }
        case SlotChoice::kTakeMacro:
            button.SetVeto(false);
            button.SetCaption(button.GetItemText(choice), kFunctionMacro, choice);
            break;
        case SlotChoice::kTakeEmptyMacro:
            button.SetVeto(false);
            button.SetCaption(button.GetItemText(kFunctionMacro), kFunctionMacro, 0);
            break;
        case SlotChoice::kButtonApplies:
            break;
    }
}

void CMouseSettingsDlg::CloseSlotMenu(int slot) noexcept {
    if (CZelMenu* menu = slots_[slot].Menu()) {
        menu->CloseMenu();
    }
}

void CMouseSettingsDlg::OnRateBox(int) noexcept {
    // The clicked box checks itself once this returns, so exactly one stays checked.
    for (CZelCheckBox& box : rateBoxes_) {
        box.SetChecked(false);
    }
}

void CMouseSettingsDlg::OnWheelMode(int id) noexcept {
    wheelLines_.SetChecked(false);
    wheelPage_.SetChecked(false);
    scrollSpeed_.SetDisabled(id != IDC_WHEEL_LINES);
}

void CMouseSettingsDlg::OnAccelerationBox() noexcept {
    // Runs before the box toggles: a checked box is being turned off.
    acceleration_.SetDisabled(accelerationOn_.IsChecked());
}

MousePageState CMouseSettingsDlg::ReadState() const noexcept {
    MousePageState state;
    for (int k = 0; k < kButtonCount; ++k) {
        state.slots[k] = {slots_[k].CurrentId(), slots_[k].CurrentValue()};
    }
    MouseControls& c = state.controls;
    for (int box = 0; box < kRateBoxCount; ++box) {
        c.rateBoxes[box] = rateBoxes_[box].IsChecked();
    }
    c.doubleClick = doubleClick_.Value();
    c.scrollLines = scrollSpeed_.Value();
    c.scrollByLines = wheelLines_.IsChecked();
    c.scrollByPage = wheelPage_.IsChecked();
    c.accelerationOn = accelerationOn_.IsChecked();
    c.accelerationLevel = acceleration_.Value();
    return state;
}

void CMouseSettingsDlg::SaveMousePage(Profile& profile) noexcept {
    SaveMousePageState(ReadState(), profile, host_.Macros());
}

void CMouseSettingsDlg::LoadMousePage(Profile& profile) noexcept {
    RefreshMacroSubMenus();
    for (int k = 0; k < kButtonCount; ++k) {
        CZelComboButton& button = slots_[k];
        if (auto shown = SlotForProfile(profile, k, button.Menu())) {
            button.SetCaption(shown->caption, shown->function,
                              shown->value.value_or(button.CurrentValue()));
        }
    }
    ShowControls(MouseControlsForProfile(profile));
}

void CMouseSettingsDlg::ShowControls(const MouseControls& c) noexcept {
    for (int box = 0; box < kRateBoxCount; ++box) {
        if (rateBoxes_[box].IsChecked() != c.rateBoxes[box]) {
            rateBoxes_[box].SetChecked(c.rateBoxes[box]);
        }
    }
    doubleClick_.SetValue(c.doubleClick, true);
    scrollSpeed_.SetValue(c.scrollLines, true);
    acceleration_.SetValue(c.accelerationLevel, true);
    wheelLines_.SetChecked(c.scrollByLines);
    wheelPage_.SetChecked(c.scrollByPage);
    accelerationOn_.SetChecked(c.accelerationOn);
    scrollSpeed_.SetDisabled(!ScrollSliderEnabled(c));
    acceleration_.SetDisabled(!AccelerationSliderEnabled(c));
}

int CMouseSettingsDlg::SlotOfId(int id) const noexcept {
    auto found = std::find(kMousePageSlotIds.begin(), kMousePageSlotIds.end(), id);
    return found == kMousePageSlotIds.end() ? -1
                                            : static_cast<int>(found - kMousePageSlotIds.begin());
}

bool CMouseSettingsDlg::IsPageControl(int id) const noexcept {
    return FindPlace(kMousePageLayout, id) != nullptr;
}
