#pragma once
// The skinned windows of the configurator as they appear on the sheets.

#include "Canvas.h"
#include "skin/logic/SkinSheets.h"

namespace orva::art {

// Draws one sheet of a family in the look of its role, at a display scale in percent.
Canvas DrawSheet(const SkinSheetFile& sheet, TextRenderer& text, int percent = 100);
// Frame 0 .. 3 of the surface-analysis animation.
Canvas DrawAnalysisFrame(int frame, TextRenderer& text, int percent = 100);

}  // namespace orva::art
