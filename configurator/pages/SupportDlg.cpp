#include "SupportDlg.h"

#include "PageIds.h"
#include "PageRegion.h"
#include "SkinImages.h"

CSupportDlg::CSupportDlg(PageHost& host) noexcept
    : CZelImageDialog(IDD_SUPPORT_PAGE), host_(host) {}

CSupportDlg::~CSupportDlg() = default;

bool CSupportDlg::OnInitDialog() noexcept {
    SkinImage background = GetSkinPiece(105, kSkinNormal, 0, 0, 0, 0);
    SetBackground(background);
    RECT client = ClientRect();
    SetPolygonRegion(PageRegionPoints(client.right, client.bottom));
    return true;
}

void CSupportDlg::ShowFirmwareVersion(std::optional<int32_t>) noexcept {}
