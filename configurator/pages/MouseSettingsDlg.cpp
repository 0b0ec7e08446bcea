#include "MouseSettingsDlg.h"

#include "PageIds.h"
#include "PageRegion.h"
#include "SkinImages.h"

CMouseSettingsDlg::CMouseSettingsDlg(PageHost& host) noexcept
    : CZelImageDialog(IDD_MOUSE_PAGE), host_(host) {}

CMouseSettingsDlg::~CMouseSettingsDlg() = default;

bool CMouseSettingsDlg::OnInitDialog() noexcept {
    SkinImage background = GetSkinPiece(23, kSkinNormal, 0, 0, 0, 0);
    SetBackground(background);
    RECT client = ClientRect();
    SetPolygonRegion(PageRegionPoints(client.right, client.bottom));
    return true;
}

void CMouseSettingsDlg::LoadMousePage(Profile&) noexcept {}

void CMouseSettingsDlg::SaveMousePage(Profile&) noexcept {}

void CMouseSettingsDlg::RefreshMacroSubMenus() noexcept {}
