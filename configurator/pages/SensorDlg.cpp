#include "SensorDlg.h"

#include "PageIds.h"
#include "PageRegion.h"
#include "SkinImages.h"

CSensorDlg::CSensorDlg(PageHost& host) noexcept : CZelImageDialog(IDD_SENSOR_PAGE), host_(host) {}

CSensorDlg::~CSensorDlg() = default;

bool CSensorDlg::OnInitDialog() noexcept {
    SkinImage background = GetSkinPiece(48, kSkinNormal, 0, 0, 0, 0);
    SetBackground(background);
    RECT client = ClientRect();
    SetPolygonRegion(PageRegionPoints(client.right, client.bottom));
    return true;
}

void CSensorDlg::LoadSensorPage(Profile&) noexcept {}

void CSensorDlg::SaveSensorPage(Profile&) noexcept {}
