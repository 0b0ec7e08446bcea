#include "pages/PageDialog.h"

#include "pages/PageRegion.h"
#include "skin/SkinImages.h"

void CPageDialog::SetUpPage(int backgroundPiece, std::span<const AccessLabel> labels,
                            const wchar_t* name) noexcept {
    SetBackground(GetSkinPiece(backgroundPiece, kSkinNormal, 0, 0, 0, 0));
    const RECT client = ClientRect();
    SetPolygonRegion(PageRegionPoints(client.right, client.bottom));
    CreateControls();
    LabelControls(Hwnd(), labels);
    SetAccessLabel(name);
}
