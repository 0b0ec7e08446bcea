#include "app/MainControls.h"

#include "app/logic/AppTexts.h"
#include "app/logic/MainWindowLabels.h"
#include "skin/SkinImages.h"

namespace {

std::wstring Wide(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}

SkinImage Piece(const ControlPlace& place, int state) {
    return GetSkinPiece(place.piece, state, place.rect.left, place.rect.top, place.rect.right,
                        place.rect.bottom);
}

void PlaceButton(CZelButtonBase& button, HWND parent, const ControlPlace& place) {
    button.CreateChild({.parent = parent,
                        .systemClass = L"BUTTON",
                        .style = WS_VISIBLE,
                        .rect = ScaledRect(place.rect),
                        .id = place.id});
    button.SetImages(Piece(place, kSkinNormal), Piece(place, kSkinOver), Piece(place, kSkinDown),
                     Piece(place, kSkinDisable));
}

}  // namespace

void MainControls::LayOut(HWND parent, const ProfileSet& profiles, int currentSlot) noexcept {
    for (int i = 0; i < kPageCount; ++i) {
        PlaceButton(pageButtons_[static_cast<size_t>(i)], parent, kPageButtonPlaces[i]);
    }
    for (int slot = 0; slot < kProfileCount; ++slot) {
        const size_t s = static_cast<size_t>(slot);
        PlaceButton(profileMenus_[s], parent, kProfileMenuPlaces[s]);
        profileMenus_[s].SetShowCaption(false);
        profileMenus_[s].UseFixedWidthMenu();
        profileMenus_[s].AddItem(kMenuRename, Wide(kRenameItem));
        profileMenus_[s].AddItem(kMenuSave, Wide(kSaveItem));
        profileMenus_[s].AddItem(kMenuExport, Wide(kExportItem));
        profileMenus_[s].AddItem(kMenuImport, Wide(kImportItem));
        PlaceButton(profileButtons_[s], parent, kProfileButtonPlaces[s]);
        SetProfileCaption(slot, profiles[s].name);
    }
    profileButtons_[static_cast<size_t>(currentSlot)].SetLatched(true);
    PlaceButton(reset_, parent, kResetPlace);
    PlaceButton(ok_, parent, kOkPlace);
    PlaceButton(apply_, parent, kApplyPlace);
    PlaceButton(cancel_, parent, kCancelPlace);
    PlaceButton(minimise_, parent, kMinimisePlace);
    PlaceButton(close_, parent, kClosePlace);
    version_.CreateChild({.parent = parent,
                          .systemClass = L"STATIC",
                          .style = WS_VISIBLE,
                          .rect = ScaledRect(kVersionPlace.rect),
                          .id = kVersionPlace.id});
    version_.SetImage(Piece(kVersionPlace, kSkinNormal));
    version_.SetFontHeight(kVersionFontHeight);
    version_.SetText(Wide(kProgramVersion));
    CZelWnd::LabelControls(parent, kMainWindowLabels);
}

void MainControls::LatchPage(int page) noexcept {
    for (int i = 0; i < kPageCount; ++i) {
        pageButtons_[static_cast<size_t>(i)].SetLatched(i == page);
    }
}

void MainControls::LatchProfile(int slot) noexcept {
    for (int i = 0; i < kProfileCount; ++i) {
        profileButtons_[static_cast<size_t>(i)].SetLatched(i == slot);
    }
}

void MainControls::SetProfileCaption(int slot, const std::u16string& name) noexcept {
    CZelButton& button = profileButtons_[static_cast<size_t>(slot)];
    button.SetCaption(Wide(name));
    button.Redraw();
}

CZelComboButton& MainControls::ProfileMenu(int slot) noexcept {
    return profileMenus_[static_cast<size_t>(slot)];
}
