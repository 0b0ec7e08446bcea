#pragma once
// CSensorDlg: the sensor page: the three DPI steps with their X and Y sliders, pointer speed,
// lift distance and the surface analysis.

#include "pages/PageHost.h"
#include "pages/ProfilePage.h"
#include "pages/logic/SensorRules.h"
#include "skin/ZelButton.h"
#include "skin/ZelCheckBox.h"
#include "skin/ZelComboButton.h"
#include "pages/PageDialog.h"
#include "skin/ZelProgressCtrl.h"
#include "skin/ZelSliderCtrl.h"

class CSensorDlg : public CPageDialog, public ProfilePage {
  public:
    // ProfilePage
    void LoadProfile(Profile& profile) noexcept override { LoadSensorPage(profile); }
    void SaveProfile(Profile& profile) noexcept override { SaveSensorPage(profile); }

    explicit CSensorDlg(PageHost& host) noexcept;
    ~CSensorDlg() override;

    // Shows the profile; the DPI sliders write into this profile as they move.
    void LoadSensorPage(Profile& profile) noexcept;
    // dpiStage, separateXY, pointerSpeed, liftDistance and surfaceQuality into the profile.
    void SaveSensorPage(Profile& profile) noexcept;

  protected:
    bool OnInitDialog() noexcept override;
    bool OnControlNotification(int code, LPARAM value) noexcept override;
    bool OnCommand(int id, int code, HWND control) noexcept override;

  private:
    void CreateControls() noexcept override;
    void ShowStepResolution() noexcept;
    void OnXMoved() noexcept;
    void OnYMoved() noexcept;
    void OnStepChosen(int step) noexcept;
    void OnSeparateClicked() noexcept;
    // False, and the user told why, while the firmware updater this program started runs.
    bool MouseIsFree() noexcept;
    void OnTestLift() noexcept;
    void OnSaveLift() noexcept;
    void OnAnalyzeSurface() noexcept;
    void ShowQuality(int32_t level) noexcept;
    void RedrawDpiSliders() noexcept;
    int Step() const noexcept { return dpiStep_.CurrentId(); }

    PageHost& host_;
    CZelComboButton dpiStep_;
    CZelCheckBox separate_;
    CZelSliderCtrl xAxis_;
    CZelSliderCtrl yAxis_;
    CZelSliderCtrl pointerSpeed_;
    CZelSliderCtrl liftDistance_;
    CZelProgressCtrl quality_;
    CZelButton analyze_;
    CZelButton test_;
    CZelButton save_;
    SensorDpiEditor dpi_{xAxis_.model, yAxis_.model};
};
