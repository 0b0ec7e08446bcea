#pragma once
// CColorSettingsDlg: the colour page: LED zones on, off or selected, and the LED colour. The
// rules live in ColourPageRules; the page wires its controls to them.

#include <array>

#include "pages/PageHost.h"
#include "pages/ProfilePage.h"
#include "pages/logic/ColourPageRules.h"
#include "skin/ZelButton.h"
#include "skin/ZelCheckBox.h"
#include "pages/PageDialog.h"
#include "skin/ZelStatic.h"

class CColorSettingsDlg : public CPageDialog, public ProfilePage {
  public:
    // ProfilePage
    void LoadProfile(Profile& profile) noexcept override { LoadColourPage(profile); }
    void SaveProfile(Profile& profile) noexcept override { SaveColourPage(profile); }

    explicit CColorSettingsDlg(PageHost& host) noexcept;
    ~CColorSettingsDlg() override;

    void LoadColourPage(Profile& profile) noexcept;
    void SaveColourPage(Profile& profile) noexcept;
    // Fills the swatch with the colour (ARGB) and writes it under the swatch as "r.g.b".
    void SetCurrentColour(uint32_t argb) noexcept;

  protected:
    bool OnInitDialog() noexcept override;
    bool OnCommand(int id, int code, HWND control) noexcept override;
    bool OnControlNotification(int code, LPARAM value) noexcept override;

  private:
    void CreateControls() noexcept override;
    void OnLightingChoice(int id) noexcept;
    void OnPaletteButton(int id) noexcept;
    LightingState ReadLighting() const noexcept;
    void ShowLighting(const LightingState& state) noexcept;

    PageHost& host_;
    CZelButton on_;
    CZelButton off_;
    CZelButton select_;
    std::array<CZelCheckBox, kZoneCount> zones_;
    std::array<CZelButton, kPaletteSize> palette_;
    CZelStatic swatch_;
    CZelStatic tip_;
    std::array<CZelButton, 4> markers_;
};
