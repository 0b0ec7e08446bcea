// orva-appart <output folder>: draws the configurator's icons: program.ico (the window and the
// executable, resource 138) and tray.ico (the notification area, resource 139).
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "Canvas.h"
#include "IconFile.h"

namespace {

using orva::art::Canvas;
using orva::art::IconImage;
using orva::art::PointF;
using orva::art::Rect;
using orva::art::Rgb;

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kTile{24, 26, 20};

// The mouse seen from above on a dark rounded tile, drawn for one size. With `tile` false the
// mouse stands alone (the tray shows it on the task bar's own colour).
IconImage DrawIcon(int size, bool tile) {
    const float s = static_cast<float>(size);
    IconImage image{Canvas(size, size, orva::art::kBlack), Canvas(size, size, orva::art::kBlack)};
    const int radius = size / 5;
    if (tile) {
        image.colour.FillRoundRect({0, 0, size, size}, radius, kTile);
        image.coverage.FillRoundRect({0, 0, size, size}, radius, kWhite);
    }
    const PointF centre{s / 2, s / 2};
    const float rx = s * 0.27f, ry = s * 0.40f;
    image.colour.FillEllipse(centre, rx, ry, orva::art::kAccent);
    image.coverage.FillEllipse(centre, rx, ry, kWhite);
    // The button split and the wheel, in the tile's colour.
    const float line = s >= 32 ? 2.0f : 1.0f;
    image.colour.Line({s / 2, s / 2 - ry}, {s / 2, s / 2 - ry * 0.15f}, kTile, line);
    image.colour.Line({s / 2 - rx, s / 2 - ry * 0.15f}, {s / 2 + rx, s / 2 - ry * 0.15f}, kTile,
                      line);
    const int wheelW = size >= 32 ? size / 10 : 2;
    const int wheelH = size / 6;
    image.colour.FillRect(
        {size / 2 - wheelW / 2, static_cast<int>(s / 2 - ry * 0.7f), wheelW, wheelH}, kTile);
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orva-appart <output folder>\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    const std::vector<IconImage> program = {DrawIcon(48, true), DrawIcon(32, true),
                                            DrawIcon(16, true)};
    const std::vector<IconImage> tray = {DrawIcon(32, false), DrawIcon(16, false)};
    if (!orva::art::WriteIconFile(out / "program.ico", program) ||
        !orva::art::WriteIconFile(out / "tray.ico", tray)) {
        std::fprintf(stderr, "orva-appart: cannot write the icons into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
