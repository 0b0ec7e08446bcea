#pragma once
// The rename dialog's layout: id, rectangle and skin piece of each control on its 374 x 180
// sheet. Read by the dialog, the art generator and the tests.

#include <array>

#include "pages/logic/RenameDlgIds.h"
#include "skin/logic/WindowLayout.h"

inline constexpr int kRenameBackgroundPiece = 117;

inline constexpr ControlPlace kRenameOkPlace = Place(IDC_RENAME_OK, 256, 149, 56, 24, 118);
inline constexpr ControlPlace kRenameCancelPlace = Place(IDC_RENAME_CANCEL, 316, 149, 56, 24, 119);
inline constexpr ControlPlace kRenameClosePlace = Place(IDC_RENAME_CLOSE, 347, 0, 27, 21, 120);
// The piece is the field's background.
inline constexpr ControlPlace kRenameNamePlace = Place(IDC_RENAME_NAME, 110, 62, 171, 17, 121);

inline constexpr std::array<ControlPlace, 4> kRenameLayout = {kRenameOkPlace, kRenameCancelPlace,
                                                              kRenameClosePlace, kRenameNamePlace};
