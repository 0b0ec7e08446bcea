#include "SkinWindows.h"

#include "SkinPainter.h"

namespace orva::art {

Canvas DrawSheet(const SkinSheetFile& sheet, TextRenderer& text) {
    Canvas canvas(sheet.width, sheet.height, kBlack);
    SkinPainter p(canvas, text, LookOf(sheet.role));
    canvas.FrameRect({0, 0, sheet.width, sheet.height}, Rgb{50, 50, 50});
    return canvas;
}

Canvas DrawAnalysisFrame(int, TextRenderer&) {
    return Canvas(kFrameWidth, kFrameHeight, kBlack);
}

}  // namespace orva::art
