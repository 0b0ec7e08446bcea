// orva-skinart <Skins folder>: writes every skin sheet and animation frame as a 24-bit BMP at
// 100 % into the folder, and at each larger display scale as a PNG of the same stem into its
// subfolders 125, 150 and 200. The larger scales are PNG because they would be eight times the
// size of the 100 % set as bitmaps; the art is flat enough to shrink to a few percent.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "Canvas.h"
#include "SkinWindows.h"
#include "skin/logic/DisplayScale.h"
#include "skin/logic/SkinSheets.h"

namespace {

bool Write(const orva::art::Canvas& canvas, std::filesystem::path path) {
    if (canvas.Percent() == 100 ? canvas.WriteBmp(path)
                                : canvas.WritePng(path.replace_extension(".png")))
        return true;
    std::fprintf(stderr, "orva-skinart: cannot write %s\n", path.string().c_str());
    return false;
}

// Every sheet and frame at one scale into the folder.
bool DrawScale(const std::filesystem::path& folder, int percent, orva::art::TextRenderer& text) {
    for (const SkinSheetFile& sheet : kSkinSheets) {
        if (!Write(orva::art::DrawSheet(sheet, text, percent), folder / sheet.name))
            return false;
    }
    for (int i = 0; i < static_cast<int>(kAnalysisFrameFiles.size()); ++i) {
        if (!Write(orva::art::DrawAnalysisFrame(i, text, percent), folder / kAnalysisFrameFiles[i]))
            return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orva-skinart <Skins folder>\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    orva::art::TextRenderer text;
    std::filesystem::path font = orva::art::FindFont("LiberationSans-Regular.ttf");
    if (!text.Open(font)) {
        std::fprintf(stderr, "orva-skinart: Liberation Sans not found (fonts-liberation2)\n");
        return 1;
    }
    for (const int percent : DisplayScale::kArtPercents) {
        std::filesystem::path folder = out;
        if (percent != 100) {
            folder /= std::to_string(percent);
        }
        std::filesystem::create_directories(folder, ec);
        if (!DrawScale(folder, percent, text)) {
            return 1;
        }
    }
    return 0;
}
