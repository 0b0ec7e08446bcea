#pragma once
// Where the macro page places its controls and which skin pieces they are cut from, in the order
// the page creates them. Read by the page, its tests and the art generator.

#include "pages/logic/MacroPageIds.h"
#include "skin/logic/WindowLayout.h"

constexpr int kMacroPageBackgroundPiece = 97;
// The scroll bars of the list and the editor.
constexpr int kMacroScrollTrackPiece = 113;
constexpr int kMacroScrollFirstArrowPiece = 114;
constexpr int kMacroScrollSecondArrowPiece = 115;
constexpr int kMacroScrollThumbPiece = 116;

constexpr ControlPlace kMacroPageLayout[] = {
    Place(IDC_MACRO_LIST, 49, 63, 204, 220, 98),
    Place(IDC_MACRO_EDITOR, 307, 63, 204, 220, 99),
    Place(IDC_NEW_MACRO, 47, 306, 114, 21, 100),
    Place(IDC_DELETE_MACRO, 178, 306, 114, 21, 101),
    Place(IDC_RECORD_DELAY, 577, 54, 30, 30, 102),
    Place(IDC_START_RECORD, 587, 118, 112, 20, 103),
    // Stands where Start Record stands; its images are drawn just below that place on the sheets.
    Place(IDC_STOP_RECORD, 587, 118, 112, 20, 104),
};

// Where the sheets hold the Stop Record images.
constexpr PixelRect kStopRecordArt{587, 144, 699, 164};
