// orva-updaterart OUTDIR: the updater's window backgrounds, masks, button state images and
// icon. Every image has a black ground with light grey wording, a title strip along the top
// and the close button's place at the top right; buttons carry a light label on a dark ground
// and turn green when hovered or pressed. Each bitmap is drawn at 100 % into OUTDIR and at the
// larger display scales into OUTDIR/125, OUTDIR/150 and OUTDIR/200, with the edges the
// updater's windows scale their places to.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "Canvas.h"
#include "IconFile.h"
#include "IndexedWriter.h"
#include "MaskWriter.h"
#include "logic/DisplayScale.h"

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

// Places and sizes in 96-DPI pixels turned into pixels of one display scale, edges rounded as
// the updater rounds them.
class Scaler {
  public:
    explicit Scaler(int percent) : scale_(static_cast<uint32_t>(96 * percent / 100)) {}

    int Value(int value) const { return scale_.Scale(value); }
    Rect Place(const Rect& r) const {
        const ScaledRect s = scale_.Scale(ScaledRect{r.x, r.y, r.Right(), r.Bottom()});
        return {s.left, s.top, s.Width(), s.Height()};
    }
    // A rectangle drawn alone, its top left at the origin, as big as its place makes it.
    Rect Local(const Rect& place) const {
        const Rect s = Place(place);
        return {0, 0, s.w, s.h};
    }
    float Length(float value) const { return value * Factor(); }
    PointF Point(float x, float y) const { return {x * Factor(), y * Factor()}; }
    int FontPixels(int pixels) const { return Value(pixels); }
    // A frame one 96-DPI pixel wide: everything between the scaled rectangle and the scaled
    // rectangle inside it, so it meets whatever the program places inside.
    void Frame(Canvas& canvas, const Rect& r, Rgb colour) const {
        const Rect o = Place(r);
        const Rect i = Place(r.Inset(1));
        canvas.FillRect({o.x, o.y, o.w, i.y - o.y}, colour);
        canvas.FillRect({o.x, i.Bottom(), o.w, o.Bottom() - i.Bottom()}, colour);
        canvas.FillRect({o.x, o.y, i.x - o.x, o.h}, colour);
        canvas.FillRect({i.Right(), o.y, o.Right() - i.Right(), o.h}, colour);
    }

  private:
    float Factor() const { return static_cast<float>(scale_.Dpi()) / 96.0f; }
    DisplayScale scale_;
};

// The 100 % images stay 24-bit files; the larger ones, which the program file carries as well,
// are 8-bit where their colours allow.
bool Save(const Canvas& canvas, const fs::path& folder, int id, bool compact) {
    const fs::path path = folder / ("bmp" + std::to_string(id) + ".bmp");
    if ((compact && WriteIndexedBmp(canvas, path)) || canvas.WriteBmp(path))
        return true;
    std::fprintf(stderr, "orva-updaterart: cannot write %s\n", path.string().c_str());
    return false;
}

Canvas DrawBackground(Fonts& fonts, const Background& art, const Scaler& at) {
    Canvas canvas(at.Value(art.width), at.Value(art.height), kBlack);
    canvas.FillRect(at.Place({0, 0, art.width, kTitleHeight}), kPanel);
    canvas.FillRect(at.Place({0, kTitleHeight, art.width, 1}), kFrame);
    at.Frame(canvas, {0, 0, art.width - 2, art.height - 2}, kFrame);
    fonts.bold.DrawInRect(canvas, at.Place({10, 0, 330, kTitleHeight}), art.title,
                          at.FontPixels(13), kText, Align::kLeft);
    at.Frame(canvas, kClosePlace, kFrame);
    int top = at.Value(38);
    for (const char* paragraph : art.body) {
        Rect box = at.Place({20, 0, 336, 110});
        box.y = top;
        top += fonts.regular.DrawParagraph(canvas, box, paragraph, at.FontPixels(13), kText) +
               at.Value(6);
    }
    return canvas;
}

Canvas DrawButton(Fonts& fonts, const Rect& place, const char* label, ButtonState state,
                  const Scaler& at) {
    const Rect whole = at.Local(place);
    Canvas canvas(whole.w, whole.h, kBlack);
    const Rgb fill = state == ButtonState::kPressed ? kAccentDark : kPanel;
    const Rgb edge = state == ButtonState::kNormal ? kFrame : kAccent;
    const Rgb ink = state == ButtonState::kNormal ? kText : kAccent;
    canvas.FillRoundRect(whole, at.Value(3), fill);
    canvas.FrameRoundRect(whole, at.Value(3), edge, at.Length(1.0f));
    fonts.regular.DrawInRect(canvas, whole, label, at.FontPixels(12), ink, Align::kCentre);
    return canvas;
}

Canvas DrawCloseButton(ButtonState state, const Scaler& at) {
    const Rect whole = at.Local(kClosePlace);
    Canvas canvas(whole.w, whole.h, kBlack);
    canvas.FillRect(whole, state == ButtonState::kPressed ? kAccentDark : kPanel);
    const bool lit = state == ButtonState::kHover || state == ButtonState::kPressed;
    at.Frame(canvas, {0, 0, kClosePlace.w, kClosePlace.h}, lit ? kAccent : kFrame);
    Rgb ink = lit ? kAccent : kText;
    if (state == ButtonState::kDisabled)
        ink = kDimText;  // the window cannot be closed until the firmware is written
    canvas.Line(at.Point(7.5f, 5.5f), at.Point(15.5f, 12.5f), ink, at.Length(1.6f));
    canvas.Line(at.Point(15.5f, 5.5f), at.Point(7.5f, 12.5f), ink, at.Length(1.6f));
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
    // Each button's images by id: hover, pressed, normal (Ok: pressed, normal, hover), and
    // the one place the windows put it.
    struct ButtonArt {
        int hover, pressed, normal;
        Rect place;
        const char* label;
    };
    const ButtonArt buttons[] = {
        {142, 140, 141, {319, 152, 51, 20}, "Ok"},
        {147, 148, 149, {319, 152, 51, 20}, "Cancel"},
        {150, 151, 152, {198, 152, 112, 20}, "Download Driver"},
        {153, 154, 155, {198, 152, 112, 20}, "Upgrade Firmware"},
        {158, 159, 160, {247, 152, 63, 20}, "Continue"},
        {161, 162, 163, {319, 152, 51, 20}, "Close"},
    };

    bool ok = true;
    for (const int percent : DisplayScale::kArtPercents) {
        const Scaler at(percent);
        const bool compact = percent != 100;
        fs::path out = folder;
        if (percent != 100) {
            out /= std::to_string(percent);
            fs::create_directories(out, error);
        }
        for (const Background& art : backgrounds) {
            Canvas canvas = DrawBackground(fonts, art, at);
            if (art.id == 145)
                at.Frame(canvas, {21, 104, 332, 17}, kFrame);  // around the progress bar
            ok = Save(canvas, out, art.id, compact) && ok;
        }

        ok = WriteBlackMask(out / "bmp130.bmp", at.Value(376), at.Value(177)) && ok;
        ok = WriteBlackMask(out / "bmp146.bmp", at.Value(376), at.Value(177)) && ok;

        ok = Save(DrawCloseButton(ButtonState::kPressed, at), out, 136, compact) && ok;
        ok = Save(DrawCloseButton(ButtonState::kNormal, at), out, 137, compact) && ok;
        ok = Save(DrawCloseButton(ButtonState::kHover, at), out, 138, compact) && ok;
        ok = Save(DrawCloseButton(ButtonState::kDisabled, at), out, 164, compact) && ok;

        for (const ButtonArt& button : buttons) {
            const struct {
                int id;
                ButtonState state;
            } images[] = {{button.hover, ButtonState::kHover},
                          {button.pressed, ButtonState::kPressed},
                          {button.normal, ButtonState::kNormal}};
            for (const auto& image : images)
                ok = Save(DrawButton(fonts, button.place, button.label, image.state, at), out,
                          image.id, compact) &&
                     ok;
        }
    }

    // Fully opaque: a white coverage canvas of the icon's size.
    const Canvas icon = DrawIconImage();
    const Canvas opaque(icon.Width(), icon.Height(), Rgb{255, 255, 255});
    ok = WriteIconFile(folder / "updater.ico", {{icon, opaque}}) && ok;
    return ok ? 0 : 1;
}
