#pragma once
// CZelProgressCtrl: a skinned bar on a static control that shows a cut of its bar image in
// proportion to the position, filling from the left or, when vertical, up from the bottom. The
// owner writes the fields and calls Redraw. It answers PBM_GETPOS and PBM_GETRANGE like a system
// progress bar.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "skin/SkinImage.h"
#include "skin/ZelPaintedWnd.h"

class CZelProgressCtrl : public CZelPaintedWnd {
  public:
    void SetImages(SkinImage newBackground, SkinImage newBar) noexcept;

    int32_t minimum = 0;
    int32_t maximum = 100;
    int32_t position = 0;
    bool vertical = false;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override;
    ControlKind AccessKind() const noexcept override { return ControlKind::Progress; }
    // A progress bar named by its label, its value the share of the range it shows.
    bool DescribeSelf(AccessInfo& info) const noexcept override;

  private:
    void OnPaint(BufferedPaint& paint) noexcept override;
    LRESULT OnGetRange(bool low, PBRANGE* range) const noexcept;

    SkinImage background_;
    SkinImage bar_;
};
