#include "ColorSettingsDlg.h"

#include "PageIds.h"
#include "PageRegion.h"
#include "SkinImages.h"

CColorSettingsDlg::CColorSettingsDlg(PageHost& host) noexcept
    : CZelImageDialog(IDD_COLOUR_PAGE), host_(host) {}

CColorSettingsDlg::~CColorSettingsDlg() = default;

bool CColorSettingsDlg::OnInitDialog() noexcept {
    SkinImage background = GetSkinPiece(59, kSkinNormal, 0, 0, 0, 0);
    SetBackground(background);
    RECT client = ClientRect();
    SetPolygonRegion(PageRegionPoints(client.right, client.bottom));
    return true;
}

void CColorSettingsDlg::LoadColourPage(Profile&) noexcept {}

void CColorSettingsDlg::SaveColourPage(Profile&) noexcept {}
