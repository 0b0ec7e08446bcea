#include "pages/ColorSettingsDlg.h"

#include <string>

#include "pages/PlacedControls.h"
#include "pages/logic/ColourPageLayout.h"
#include "pages/logic/PageIds.h"
#include "pages/logic/PageLabels.h"
#include "skin/SkinImages.h"

namespace {

const ControlPlace& PlaceOf(int id) noexcept {
    return *FindPlace(kColourPageLayout, id);
}

// The colour the page starts with: the first of the palette.
constexpr uint32_t kInitialColour = ArgbOf(kPalette[0]);

}  // namespace

CColorSettingsDlg::CColorSettingsDlg(PageHost& host) noexcept
    : CPageDialog(IDD_COLOUR_PAGE), host_(host) {}

CColorSettingsDlg::~CColorSettingsDlg() = default;

bool CColorSettingsDlg::OnInitDialog() noexcept {
    SetUpPage(kColourPageBackgroundPiece, kColourPageLabels, kColourPageName);
    for (size_t i = 0; i < palette_.size(); ++i) {
        palette_[i].SetAccessLabel(kPaletteNamePrefix + ColourTip(ArgbOf(kPalette[i])));
    }
    OnLightingChoice(IDC_LED_ON);
    SetCurrentColour(kInitialColour);
    return true;
}

void CColorSettingsDlg::CreateControls() noexcept {
    static const wchar_t* const kZoneNames[] = {L"Scroll Wheel", L"DPI Indicator", L"DPI Buttons",
                                                L"LogoType"};
    CreatePlacedButton(on_, Hwnd(), PlaceOf(IDC_LED_ON), L"ON");
    CreatePlacedButton(off_, Hwnd(), PlaceOf(IDC_LED_OFF), L"OFF");
    CreatePlacedButton(select_, Hwnd(), PlaceOf(IDC_LED_SELECT), L"Select");
    for (int zone = 0; zone < kZoneCount; ++zone) {
        CreatePlacedButton(zones_[zone], Hwnd(), PlaceOf(kColourPageZoneIds[zone]),
                           kZoneNames[zone]);
    }
    for (int row = 1; row <= kPaletteRows; ++row) {
        for (int column = 1; column <= kPaletteColumns; ++column) {
            const std::wstring name = std::to_wstring(row) + std::to_wstring(column);
            CreatePlacedButton(palette_[PaletteId(row, column) - IDC_PALETTE_FIRST], Hwnd(),
                               PlaceOf(PaletteId(row, column)), name.c_str());
        }
    }
    CreatePlaced(swatch_, Hwnd(), PlaceOf(IDC_SWATCH), L"STATIC", L"color");
    const ControlPlace& tipPlace = PlaceOf(IDC_COLOUR_TIP);
    CreatePlaced(tip_, Hwnd(), tipPlace, L"STATIC", L"Color Tip");
    tip_.SetImage(CutPiece(tipPlace, kSkinNormal));
    static const wchar_t* const kMarkerNames[] = {L"1", L"2", L"3", L"4"};
    for (int marker = 0; marker < 4; ++marker) {
        CreatePlacedButton(markers_[marker], Hwnd(), PlaceOf(kColourPageMarkerIds[marker]),
                           kMarkerNames[marker]);
    }
}

bool CColorSettingsDlg::OnCommand(int id, int code, HWND control) noexcept {
    if (code != BN_CLICKED) {
        return CZelImageDialog::OnCommand(id, code, control);
    }
    switch (id) {
        case IDC_LED_ON:
        case IDC_LED_OFF:
        case IDC_LED_SELECT:
            OnLightingChoice(id);
            return true;
        default:
            if (id >= IDC_PALETTE_FIRST && id <= IDC_PALETTE_LAST) {
                OnPaletteButton(id);
                return true;
            }
            return CZelImageDialog::OnCommand(id, code, control);
    }
}

bool CColorSettingsDlg::OnControlNotification(int code, LPARAM) noexcept {
    // Hover reports of the page's buttons need nothing; anything else goes on to the main window.
    return FindPlace(kColourPageLayout, code) != nullptr;
}

void CColorSettingsDlg::OnLightingChoice(int id) noexcept {
    LightingState state = ReadLighting();
    state.on = id == IDC_LED_ON;
    state.off = id == IDC_LED_OFF;
    state.select = id == IDC_LED_SELECT;
    state.zonesEnabled = state.select;
    ShowLighting(state);
}

void CColorSettingsDlg::OnPaletteButton(int id) noexcept {
    SetCurrentColour(ArgbOf(kPalette[id - IDC_PALETTE_FIRST]));
}

void CColorSettingsDlg::SetCurrentColour(uint32_t argb) noexcept {
    swatch_.SetFillColour(argb);
    swatch_.Redraw();
    tip_.SetText(ColourTip(argb));
}

LightingState CColorSettingsDlg::ReadLighting() const noexcept {
    LightingState state;
    state.on = on_.IsLatched();
    state.off = off_.IsLatched();
    state.select = select_.IsLatched();
    for (int zone = 0; zone < kZoneCount; ++zone) {
        state.zones[zone] = zones_[zone].IsChecked();
    }
    state.zonesEnabled = zones_[0].IsEnabled();
    return state;
}

void CColorSettingsDlg::ShowLighting(const LightingState& state) noexcept {
    // Only what changes is repainted.
    const LightingState shown = ReadLighting();
    if (shown.on != state.on) {
        on_.SetLatched(state.on);
    }
    if (shown.off != state.off) {
        off_.SetLatched(state.off);
    }
    if (shown.select != state.select) {
        select_.SetLatched(state.select);
    }
    for (int zone = 0; zone < kZoneCount; ++zone) {
        if (shown.zones[zone] != state.zones[zone]) {
            zones_[zone].SetChecked(state.zones[zone]);
        }
        if (zones_[zone].IsEnabled() != state.zonesEnabled) {
            zones_[zone].Enable(state.zonesEnabled);
            zones_[zone].Redraw();
        }
    }
}

void CColorSettingsDlg::SaveColourPage(Profile& profile) noexcept {
    profile.ledMode = LedModeOf(ReadLighting(), profile.ledMode);
    profile.ledColour = LedColourFromArgb(swatch_.FillColour());
}

void CColorSettingsDlg::LoadColourPage(Profile& profile) noexcept {
    ShowLighting(LightingForMode(profile.ledMode, ReadLighting()));
    const uint32_t argb = ArgbFromLedColour(profile.ledColour);
    if (argb != swatch_.FillColour()) {
        SetCurrentColour(argb);
    }
}
