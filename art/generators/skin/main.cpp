// orva-skinart <output folder>: writes every skin sheet and animation frame as a 24-bit BMP.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "Canvas.h"
#include "SkinWindows.h"
#include "skin/logic/SkinSheets.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orva-skinart <output folder>\n");
        return 2;
    }
    std::filesystem::path out = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    orva::art::TextRenderer text;
    std::filesystem::path font = orva::art::FindFont("LiberationSans-Regular.ttf");
    if (!text.Open(font)) {
        std::fprintf(stderr, "orva-skinart: Liberation Sans not found (fonts-liberation2)\n");
        return 1;
    }
    for (const SkinSheetFile& sheet : kSkinSheets) {
        if (!orva::art::DrawSheet(sheet, text).WriteBmp(out / sheet.name)) {
            std::fprintf(stderr, "orva-skinart: cannot write %s\n", sheet.name);
            return 1;
        }
    }
    for (int i = 0; i < static_cast<int>(kAnalysisFrameFiles.size()); ++i) {
        if (!orva::art::DrawAnalysisFrame(i, text).WriteBmp(out / kAnalysisFrameFiles[i])) {
            std::fprintf(stderr, "orva-skinart: cannot write %s\n", kAnalysisFrameFiles[i]);
            return 1;
        }
    }
    return 0;
}
