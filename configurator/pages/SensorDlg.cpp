#include "pages/SensorDlg.h"

#include "device/MouseCommands.h"
#include "pages/PlacedPieces.h"
#include "pages/PopDlg.h"
#include "pages/logic/PageIds.h"
#include "pages/logic/PageLabels.h"
#include "pages/logic/SensorPageLayout.h"

namespace {

const ControlPlace& PlaceOf(int id) {
    return *FindPlace(kSensorPageLayout, id);
}

void CreateSkinButton(CZelButtonBase& button, HWND page, int id, int states) {
    CreatePlacedButton(button, page, PlaceOf(id), states > kSkinDisable);
}

void CreateSlider(CZelSliderCtrl& slider, HWND page, int id, int32_t minimum, int32_t maximum,
                  int32_t step, int32_t start, bool showValue) {
    const ControlPlace& place = PlaceOf(id);
    slider.CreateChild({.parent = page,
                        .systemClass = L"STATIC",
                        .style = WS_VISIBLE | SS_NOTIFY,
                        .rect = RectOfPlace(place),
                        .id = id});
    slider.SetImages(PieceOfPlace(place, kSkinNormal),
                     GetSkinPiece(kSliderThumbPiece, kSkinNormal, 0, 0, 0, 0),
                     GetSkinPiece(kSliderThumbPiece, kSkinNormal, 0, 0, 0, 0),
                     GetSkinPiece(kSliderDisabledThumbPiece, kSkinNormal, 0, 0, 0, 0));
    slider.model.minimum = minimum;
    slider.model.maximum = maximum;
    slider.model.step = step;
    slider.showValue = showValue;
    slider.SetValue(start, false);
}

}  // namespace

CSensorDlg::CSensorDlg(PageHost& host) noexcept : CPageDialog(IDD_SENSOR_PAGE), host_(host) {}

CSensorDlg::~CSensorDlg() = default;

bool CSensorDlg::OnInitDialog() noexcept {
    SetUpPage(kSensorBackgroundPiece, kSensorPageLabels, kSensorPageName);
    // The sliders show step 1 of the current profile, but the set-up writes nothing: with the
    // box still clear here, a notification would copy X over a separate Y. Only the user's moves
    // and LoadSensorPage, with the profile's own box state, store resolutions.
    Profile shown = host_.CurrentProfile();
    dpi_.ShowStepResolution(shown, Step(), separate_.IsChecked());
    RedrawDpiSliders();
    return true;
}

void CSensorDlg::CreateControls() noexcept {
    HWND page = Hwnd();
    CreateSkinButton(dpiStep_, page, IDC_SENSOR_DPI_STEP, 3);
    for (int step = 1; step <= 3; ++step) {
        dpiStep_.AddItem(step, std::to_wstring(step));
    }
    dpiStep_.SelectItem(1);
    CreateSkinButton(separate_, page, IDC_SENSOR_SEPARATE, 4);
    CreateSlider(xAxis_, page, IDC_SENSOR_X_AXIS, kDpiSliderMinimum, kDpiSliderMaximum, kDpiUnit,
                 kDpiSliderMinimum, true);
    CreateSlider(yAxis_, page, IDC_SENSOR_Y_AXIS, kDpiSliderMinimum, kDpiSliderMaximum, kDpiUnit,
                 kDpiSliderMinimum, true);
    CreateSlider(pointerSpeed_, page, IDC_SENSOR_POINTER_SPEED, kPointerSpeedMinimum,
                 kPointerSpeedMaximum, 1, kPointerSpeedAtStart, false);
    CreateSlider(liftDistance_, page, IDC_SENSOR_LIFT_DISTANCE, kLiftSliderMinimum,
                 kLiftSliderMaximum, 1, kLiftSliderMinimum, false);

    const ControlPlace& gauge = PlaceOf(IDC_SENSOR_QUALITY);
    quality_.CreateChild({.parent = page,
                          .systemClass = L"STATIC",
                          .style = WS_VISIBLE,
                          .rect = RectOfPlace(gauge),
                          .id = gauge.id});
    // The empty gauge from the normal sheet, the lit one from the down sheet.
    quality_.SetImages(PieceOfPlace(gauge, kSkinNormal), PieceOfPlace(gauge, kSkinDown));
    quality_.minimum = 0;
    quality_.maximum = kQualityLevelMaximum;
    ShowQuality(0);

    CreateSkinButton(analyze_, page, IDC_SENSOR_ANALYZE, 4);
    CreateSkinButton(test_, page, IDC_SENSOR_TEST, 4);
    CreateSkinButton(save_, page, IDC_SENSOR_SAVE, 4);
}

void CSensorDlg::LoadSensorPage(Profile& profile) noexcept {
    dpiStep_.SelectItem(profile.dpiStage);
    separate_.SetChecked(profile.separateXY != 0);
    pointerSpeed_.SetValue(profile.pointerSpeed, true);
    liftDistance_.SetValue(profile.liftDistance, true);
    ShowQuality(profile.surfaceQuality);
    ShowStepResolution();
}

void CSensorDlg::SaveSensorPage(Profile& profile) noexcept {
    profile.dpiStage = static_cast<uint8_t>(Step());
    profile.separateXY = separate_.IsChecked() ? 1 : 0;
    profile.pointerSpeed = static_cast<uint8_t>(pointerSpeed_.Value());
    profile.liftDistance = static_cast<uint8_t>(liftDistance_.Value());
    profile.surfaceQuality = static_cast<int16_t>(quality_.position);
}

bool CSensorDlg::OnControlNotification(int code, LPARAM value) noexcept {
    switch (code) {
        case IDC_SENSOR_X_AXIS:
            OnXMoved();
            return true;
        case IDC_SENSOR_Y_AXIS:
            OnYMoved();
            return true;
        case IDC_SENSOR_DPI_STEP:
            OnStepChosen(static_cast<int>(value));
            return true;
        default:
            // Hovering and the other sliders need nothing; the page passes on only a menu
            // opening or closing, since its control ids mean other controls to the main window.
            return false;
    }
}

bool CSensorDlg::OnCommand(int id, int code, HWND control) noexcept {
    if (code != BN_CLICKED) {
        return CZelImageDialog::OnCommand(id, code, control);
    }
    switch (id) {
        case IDC_SENSOR_SEPARATE:
            OnSeparateClicked();
            return true;
        case IDC_SENSOR_TEST:
            OnTestLift();
            return true;
        case IDC_SENSOR_SAVE:
            OnSaveLift();
            return true;
        case IDC_SENSOR_ANALYZE:
            OnAnalyzeSurface();
            return true;
        default:
            return CZelImageDialog::OnCommand(id, code, control);
    }
}

void CSensorDlg::ShowStepResolution() noexcept {
    dpi_.ShowStepResolution(host_.CurrentProfile(), Step(), separate_.IsChecked());
    RedrawDpiSliders();
}

void CSensorDlg::OnXMoved() noexcept {
    dpi_.XMoved(host_.CurrentProfile(), Step(), separate_.IsChecked());
    RedrawDpiSliders();
}

void CSensorDlg::OnYMoved() noexcept {
    dpi_.YMoved(host_.CurrentProfile(), Step(), separate_.IsChecked());
    RedrawDpiSliders();
}

void CSensorDlg::OnStepChosen(int step) noexcept {
    const int previous = Step();
    dpiStep_.SelectItem(step);
    dpi_.StepChosen(host_.CurrentProfile(), previous, Step() == step ? step : previous);
    RedrawDpiSliders();
}

void CSensorDlg::OnSeparateClicked() noexcept {
    // The box toggles after this handler: IsChecked is still the state before the click.
    dpi_.SeparateClicked(host_.CurrentProfile(), Step(), separate_.IsChecked());
    RedrawDpiSliders();
}

bool CSensorDlg::MouseIsFree() noexcept {
    if (!host_.Link().IsHeld()) {
        return true;
    }
    host_.ShowMessage(kUpdaterOwnsMouseText);
    return false;
}

void CSensorDlg::OnTestLift() noexcept {
    // The result is not shown: a mouse that is absent simply does not try the distance.
    if (MouseIsFree()) {
        TestLiftDistance(host_.Link(), LiftDistanceToSend(liftDistance_.Value()));
    }
}

void CSensorDlg::OnSaveLift() noexcept {
    if (MouseIsFree()) {
        SaveLiftDistance(host_.Link(), LiftDistanceToSend(liftDistance_.Value()));
    }
}

void CSensorDlg::OnAnalyzeSurface() noexcept {
    if (!MouseIsFree()) {
        return;
    }
    ShowQuality(0);
    UpdateWindow(quality_.Hwnd());
    CPopDlg start(kPopupAnalysisStart, Hwnd(), &host_.Link());
    if (start.Run() != kDialogOk) {
        return;
    }
    uint32_t count = 0;
    if (!ReadSurfaceQuality(host_.Link(), count)) {
        return;
    }
    // The count is compared as a signed number: a huge reply reads as negative, level 0.
    ShowQuality(QualityLevel(static_cast<int32_t>(count)));
}

void CSensorDlg::ShowQuality(int32_t level) noexcept {
    quality_.position = level;
    quality_.Redraw();
}

void CSensorDlg::RedrawDpiSliders() noexcept {
    xAxis_.Redraw();
    yAxis_.Redraw();
}
