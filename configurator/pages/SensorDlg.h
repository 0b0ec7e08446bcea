#pragma once
// CSensorDlg: the sensor page: the three DPI steps with their X and Y sliders, pointer speed,
// lift distance and the surface analysis.

#include "PageHost.h"
#include "ZelImageDialog.h"

class CSensorDlg : public CZelImageDialog {
  public:
    explicit CSensorDlg(PageHost& host) noexcept;
    ~CSensorDlg() override;

    // Shows the profile; the DPI sliders write into this profile as they move.
    void LoadSensorPage(Profile& profile) noexcept;
    // dpiStage, separateXY, pointerSpeed, liftDistance and surfaceQuality into the profile.
    void SaveSensorPage(Profile& profile) noexcept;

  protected:
    bool OnInitDialog() noexcept override;
    void OnOK() noexcept override {}
    void OnCancel() noexcept override {}

  private:
    PageHost& host_;
};
