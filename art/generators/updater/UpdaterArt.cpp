// orva-updaterart OUTDIR: the updater's window backgrounds, masks, button state images and
// icon. Every image has a black ground with light grey wording, a title strip along the top
// and the close button's place at the top right; buttons carry a light label on a dark ground
// and turn green when hovered or pressed.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "Canvas.h"
#include "IconWriter.h"
#include "MaskWriter.h"

namespace fs = std::filesystem;
using namespace orva::art;

namespace {

constexpr int kWideWidth = 378;
constexpr int kWideHeight = 179;
constexpr int kTitleHeight = 22;
constexpr Rect kClosePlace{350, 2, 23, 18};

struct Fonts {
    TextRenderer regular;
    TextRenderer bold;
};

struct Background {
    int id;
    int width;
    int height;
    const char* title;
    std::vector<const char*> body;  // paragraphs, top to bottom
};

enum class ButtonState { kNormal, kHover, kPressed, kDisabled };

bool Save(const Canvas& canvas, const fs::path& folder, int id) {
    const fs::path path = folder / ("bmp" + std::to_string(id) + ".bmp");
    if (canvas.WriteBmp(path))
        return true;
    std::fprintf(stderr, "orva-updaterart: cannot write %s\n", path.string().c_str());
    return false;
}

Canvas DrawBackground(Fonts& fonts, const Background& art) {
    Canvas canvas(art.width, art.height, kBlack);
    canvas.FillRect({0, 0, art.width, kTitleHeight}, kPanel);
    canvas.FillRect({0, kTitleHeight, art.width, 1}, kFrame);
    canvas.FrameRect({0, 0, art.width - 2, art.height - 2}, kFrame);
    fonts.bold.DrawInRect(canvas, {10, 0, 330, kTitleHeight}, art.title, 13, kText, Align::kLeft);
    canvas.FrameRect(kClosePlace, kFrame);
    int top = 38;
    for (const char* paragraph : art.body)
        top += fonts.regular.DrawParagraph(canvas, {20, top, 336, 110}, paragraph, 13, kText) + 6;
    return canvas;
}

Canvas DrawButton(Fonts& fonts, int width, int height, const char* label, ButtonState state) {
    Canvas canvas(width, height, kBlack);
    const Rect whole{0, 0, width, height};
    const Rgb fill = state == ButtonState::kPressed ? kAccentDark : kPanel;
    const Rgb edge = state == ButtonState::kNormal ? kFrame : kAccent;
    const Rgb ink = state == ButtonState::kNormal ? kText : kAccent;
    canvas.FillRoundRect(whole, 3, fill);
    canvas.FrameRoundRect(whole, 3, edge);
    fonts.regular.DrawInRect(canvas, whole, label, 12, ink, Align::kCentre);
    return canvas;
}

Canvas DrawCloseButton(ButtonState state) {
    Canvas canvas(kClosePlace.w, kClosePlace.h, kBlack);
    const Rect whole{0, 0, kClosePlace.w, kClosePlace.h};
    canvas.FillRect(whole, state == ButtonState::kPressed ? kAccentDark : kPanel);
    const bool lit = state == ButtonState::kHover || state == ButtonState::kPressed;
    canvas.FrameRect(whole, lit ? kAccent : kFrame);
    Rgb ink = lit ? kAccent : kText;
    if (state == ButtonState::kDisabled)
        ink = kDimText;  // the window cannot be closed until the firmware is written
    canvas.Line({7.5f, 5.5f}, {15.5f, 12.5f}, ink, 1.6f);
    canvas.Line({15.5f, 5.5f}, {7.5f, 12.5f}, ink, 1.6f);
    return canvas;
}

Canvas DrawIconImage() {
    Canvas canvas(32, 32, kBlack);
    canvas.FillRoundRect({1, 1, 30, 30}, 6, kPanel);
    canvas.FrameRoundRect({1, 1, 30, 30}, 6, kAccent, 1.5f);
    // An arrow into a chip: firmware going into the mouse.
    canvas.FillRect({14, 6, 4, 10}, kAccent);
    canvas.FillPolygon({{9, 15}, {23, 15}, {16, 22}}, kAccent);
    canvas.FillRect({8, 24, 16, 3}, kText);
    return canvas;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orva-updaterart OUTDIR\n");
        return 2;
    }
    const fs::path folder = argv[1];
    std::error_code error;
    fs::create_directories(folder, error);

    Fonts fonts;
    if (!fonts.regular.Open(FindFont("LiberationSans-Regular.ttf")) ||
        !fonts.bold.Open(FindFont("LiberationSans-Bold.ttf"))) {
        std::fprintf(stderr, "orva-updaterart: Liberation Sans not found\n");
        return 1;
    }

    const std::vector<Background> backgrounds = {
        {135,
         376,
         177,
         "New driver version available",
         {"A new driver version is available.", "Do you want to download the new version now?"}},
        {139,
         kWideWidth,
         kWideHeight,
         "Error!",
         {"Firmware upgrade failed. Please try again.",
          "If the problem persists, please contact the support."}},
        {143,
         kWideWidth,
         kWideHeight,
         "New firmware version available",
         {"A new firmware version is available.",
          "Do you want to upgrade to the new version now?"}},
        {144,
         kWideWidth,
         kWideHeight,
         "Firmware upgrade complete!",
         {"Firmware installation completed successfully!",
          "Please unplug and replug your mouse to the USB port now, press OK when ready."}},
        {145,
         kWideWidth,
         kWideHeight,
         "Firmware upgrade",
         {"IMPORTANT: Do not unplug the mouse cable while the new firmware is being "
          "installed!"}},
        {156,
         kWideWidth,
         kWideHeight,
         "Firmware is up to date!",
         {"The current firmware version is up to date!"}},
        {157,
         kWideWidth,
         kWideHeight,
         "WARNING!",
         {"WARNING!: It is recommended that you do a backup of your profiles before you continue "
          "if you want to save your settings, the firmware update overwrites game profiles, "
          "macros and settings stored on the mouse."}},
    };
    bool ok = true;
    for (const Background& art : backgrounds) {
        Canvas canvas = DrawBackground(fonts, art);
        if (art.id == 145)
            canvas.FrameRect({21, 104, 332, 17}, kFrame);  // around the progress bar
        ok = Save(canvas, folder, art.id) && ok;
    }

    ok = WriteBlackMask(folder / "bmp130.bmp", 376, 177) && ok;
    ok = WriteBlackMask(folder / "bmp146.bmp", 376, 177) && ok;

    ok = Save(DrawCloseButton(ButtonState::kPressed), folder, 136) && ok;
    ok = Save(DrawCloseButton(ButtonState::kNormal), folder, 137) && ok;
    ok = Save(DrawCloseButton(ButtonState::kHover), folder, 138) && ok;
    ok = Save(DrawCloseButton(ButtonState::kDisabled), folder, 164) && ok;

    // Each button's images by id: hover, pressed, normal (Ok: pressed, normal, hover).
    struct ButtonArt {
        int hover, pressed, normal, width;
        const char* label;
    };
    const ButtonArt buttons[] = {
        {142, 140, 141, 51, "Ok"},
        {147, 148, 149, 51, "Cancel"},
        {150, 151, 152, 112, "Download Driver"},
        {153, 154, 155, 112, "Upgrade Firmware"},
        {158, 159, 160, 63, "Continue"},
        {161, 162, 163, 51, "Close"},
    };
    for (const ButtonArt& button : buttons) {
        ok = Save(DrawButton(fonts, button.width, 20, button.label, ButtonState::kHover), folder,
                  button.hover) &&
             ok;
        ok = Save(DrawButton(fonts, button.width, 20, button.label, ButtonState::kPressed), folder,
                  button.pressed) &&
             ok;
        ok = Save(DrawButton(fonts, button.width, 20, button.label, ButtonState::kNormal), folder,
                  button.normal) &&
             ok;
    }

    ok = WriteIcon(folder / "updater.ico", DrawIconImage()) && ok;
    return ok ? 0 : 1;
}
