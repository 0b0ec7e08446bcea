#include "MacroSettingsDlg.h"

#include "PageIds.h"
#include "PageRegion.h"
#include "SkinImages.h"
#include "Storage.h"

CMacroSettingsDlg::CMacroSettingsDlg(PageHost& host) noexcept
    : CZelImageDialog(IDD_MACRO_PAGE), host_(host) {}

CMacroSettingsDlg::~CMacroSettingsDlg() = default;

MacroCollection& CMacroSettingsDlg::Macros() noexcept {
    return macros_;
}

bool CMacroSettingsDlg::SaveMacros() noexcept {
    return macros_.SaveMacros();
}

bool CMacroSettingsDlg::OnInitDialog() noexcept {
    SkinImage background = GetSkinPiece(97, kSkinNormal, 0, 0, 0, 0);
    SetBackground(background);
    RECT client = ClientRect();
    SetPolygonRegion(PageRegionPoints(client.right, client.bottom));
    macros_.SetFolder(MacroFolder());
    macros_.LoadMacros();
    return true;
}
