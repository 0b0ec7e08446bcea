#include "SkinWindows.h"

#include <cmath>
#include <string>

#include "SkinPainter.h"
#include "app/logic/MainWindowLayout.h"
#include "pages/logic/ColourPageLayout.h"
#include "pages/logic/ColourPalette.h"
#include "pages/logic/MacroPageLayout.h"
#include "pages/logic/MousePageLayout.h"
#include "pages/logic/PopDlgLayout.h"
#include "pages/logic/RenameDlgLayout.h"
#include "pages/logic/SensorPageLayout.h"
#include "pages/logic/SupportPageLayout.h"

namespace orva::art {

namespace {

constexpr Rgb kPageEdge{70, 70, 70};
constexpr Rgb kPicture{120, 120, 120};

// The outline shared by the pages: a tab 143 pixels wide at the top left, the rest of the
// page starting 12 pixels lower (the window region cuts the corner away).
void PageOutline(Canvas& c, int width, int height) {
    c.FillRect({143, 0, width - 143, 12}, kBlack);
    c.Line({0.5f, 0.5f}, {142.5f, 0.5f}, kPageEdge);
    c.Line({142.5f, 0.5f}, {142.5f, 12.5f}, kPageEdge);
    c.Line({142.5f, 12.5f}, {width - 0.5f, 12.5f}, kPageEdge);
    c.Line({width - 0.5f, 12.5f}, {width - 0.5f, height - 0.5f}, kPageEdge);
    c.Line({width - 0.5f, height - 0.5f}, {0.5f, height - 0.5f}, kPageEdge);
    c.Line({0.5f, height - 0.5f}, {0.5f, 0.5f}, kPageEdge);
}

// A side view of the mouse from above, used on the button and lighting pages.
void MousePicture(Canvas& c, float cx, float top, float width, float height) {
    float rx = width / 2, ry = height / 2;
    PointF centre{cx, top + ry};
    c.FillEllipse(centre, rx, ry, Rgb{18, 18, 18});
    c.FrameEllipse(centre, rx, ry, kPicture, 1.5f);
    // Button split and wheel.
    c.Line({cx, top + 2}, {cx, top + ry * 0.75f}, kPicture, 1.2f);
    c.Line({cx - rx * 0.95f, top + ry * 0.75f}, {cx + rx * 0.95f, top + ry * 0.75f}, kPicture,
           1.2f);
    c.FillRoundRect({static_cast<int>(cx - 5), static_cast<int>(top + ry * 0.25f), 10, 22}, 4,
                    Rgb{60, 60, 60});
    c.Line({cx - rx * 0.3f, top + height * 0.85f}, {cx + rx * 0.3f, top + height * 0.85f}, kAccent,
           2.0f);
}

void PopupFrame(SkinPainter& p, const std::string& title) {
    Canvas& c = p.Target();
    c.FillRect({0, 0, c.Width(), 23}, Rgb{20, 20, 20});
    c.FillRect({0, 23, c.Width(), 1}, kAccent);
    c.FrameRect({0, 0, c.Width(), c.Height()}, kPageEdge);
    p.Label({12, 0, 300, 23}, title, 15, Align::kLeft, kAccent);
}

// ---- main window -------------------------------------------------------------------------

void MainWindow(SkinPainter& p) {
    Canvas& c = p.Target();
    c.FrameRect({0, 0, kMainWidth, kMainHeight}, kPageEdge);
    c.FillGradient({1, 1, kMainWidth - 2, 145}, Rgb{28, 30, 24}, kBlack);
    p.Label({14, 2, 200, 22}, "ORVA 7100", 17, Align::kLeft, kAccent);
    p.Label({120, 2, 150, 22}, "Configurator", 14, Align::kLeft, kText);
    // The version number itself is the label control's text, drawn on the header at
    // kVersionPlace: no box of its own.
    p.Label({222, 6, 56, 15}, "Version", 12, Align::kRight, kDimText);
    // The hero: the mouse and a line of wording.
    MousePicture(c, 640, 40, 70, 100);
    p.Label({40, 60, 500, 30}, "ORVA 7100 Gaming Mouse", 26, Align::kLeft, kText);
    p.Label({40, 95, 500, 20}, "Set up your buttons, sensor, lighting and macros.", 14,
            Align::kLeft, kDimText);
    c.Line({40, 125}, {560, 125}, kAccent, 1.0f);

    // Everything the window places comes from its layout table.
    auto at = [](const ControlPlace& place) {
        const PixelRect& r = place.rect;
        return Rect{r.left, r.top, r.Width(), r.Height()};
    };
    const char* const tabs[] = {"Buttons", "Performance", "Lighting", "Macros", "Support"};
    for (int i = 0; i < kPageCount; ++i) {
        p.Tab(at(kPageButtonPlaces[i]), tabs[i]);
    }
    for (int i = 0; i < kProfileCount; ++i) {
        p.DropDown(at(kProfileMenuPlaces[i]));
        p.CaptionButton(at(kProfileButtonPlaces[i]));
    }
    // The pages cover this area.
    const PixelRect& pages = kSupportPageRect;
    c.FrameRect({pages.left - 1, pages.top - 1, pages.Width() + 1, pages.Height() + 1},
                Rgb{40, 40, 40});

    p.Button(at(kResetPlace), "Reset to default");
    p.Button(at(kOkPlace), "OK");
    p.Button(at(kApplyPlace), "Apply");
    p.Button(at(kCancelPlace), "Cancel");
    p.MinimiseGlyph(at(kMinimisePlace));
    p.CloseGlyph(at(kClosePlace));
}

// ---- pages --------------------------------------------------------------------------------

// A control's rectangle on the sheet, from a window's layout table.
template <typename Table>
Rect LayoutRect(const Table& table, int id) {
    const ControlPlace* place = FindPlace(table, id);
    return place
               ? Rect{place->rect.left, place->rect.top, place->rect.Width(), place->rect.Height()}
               : Rect{};
}

void MousePage(SkinPainter& p) {
    Canvas& c = p.Target();
    PageOutline(c, kPageWidth, kPageHeight);
    p.Label({20, 16, 200, 18}, "Button assignment", 14, Align::kLeft, kAccent);
    for (int i = 0; i < 7; ++i) {
        Rect slot = LayoutRect(kMousePageLayout, kMousePageSlotIds[i]);
        p.Label({20, slot.y, 28, slot.h}, std::to_string(i + 1), 13, Align::kRight);
        p.DropDown(slot);
    }
    MousePicture(c, 360, 40, 140, 200);
    for (int i = 0; i < 7; ++i) {
        p.Marker(LayoutRect(kMousePageLayout, kMousePageMarkerIds[i]), std::to_string(i + 1));
    }
    p.Label({40, 276, 200, 18}, "Report rate", 14, Align::kLeft, kAccent);
    const char* const rates[] = {"125 Hz", "250 Hz", "500 Hz", "1000 Hz"};
    for (int i = 0; i < 4; ++i) {
        p.CheckBox(LayoutRect(kMousePageLayout, kMousePageRateIds[i]), rates[i]);
    }

    Rect doubleClick = LayoutRect(kMousePageLayout, IDC_DOUBLE_CLICK);
    p.Label({525, 36, 230, 18}, "Double-click speed", 14, Align::kLeft, kAccent);
    p.SliderTrack(doubleClick);
    p.Label({doubleClick.x, doubleClick.Bottom() - 1, 60, 14}, "Slow", 11, Align::kLeft, kDimText);
    p.Label({doubleClick.Right() - 60, doubleClick.Bottom() - 1, 60, 14}, "Fast", 11, Align::kRight,
            kDimText);

    Rect scroll = LayoutRect(kMousePageLayout, IDC_SCROLL_SPEED);
    p.Label({525, 122, 230, 18}, "Scroll wheel", 14, Align::kLeft, kAccent);
    p.CheckBox(LayoutRect(kMousePageLayout, IDC_WHEEL_LINES), "");
    p.SliderTrack(scroll);
    p.Label({scroll.x, scroll.y + 20, scroll.w, 12}, "lines per notch", 11, Align::kLeft, kDimText);
    Rect page = LayoutRect(kMousePageLayout, IDC_WHEEL_PAGE);
    p.CheckBox(page, "");
    p.Label({scroll.x, page.y, 190, page.h}, "One page per notch", 13);

    Rect acceleration = LayoutRect(kMousePageLayout, IDC_ACCELERATION);
    p.Label({525, 240, 230, 18}, "Pointer acceleration", 14, Align::kLeft, kAccent);
    p.SliderTrack(acceleration);
    p.Label({540, acceleration.y, 45, 18}, "Level", 12, Align::kLeft, kDimText);
    Rect enable = LayoutRect(kMousePageLayout, IDC_ACCELERATION_ON);
    p.CheckBox(enable, "");
    p.Label({enable.Right() + 5, enable.y, 120, enable.h}, "Enable", 13);
}

void SensorPage(SkinPainter& p) {
    Canvas& c = p.Target();
    auto at = [](int id) { return LayoutRect(kSensorPageLayout, id); };
    PageOutline(c, kPageWidth, kPageHeight);
    p.Label({40, 30, 200, 18}, "Resolution", 14, Align::kLeft, kAccent);
    p.Label({40, 68, 130, 21}, "DPI step", 13);
    p.DropDown(at(IDC_SENSOR_DPI_STEP));
    p.CheckBox(at(IDC_SENSOR_SEPARATE), "Set X and Y separately");
    p.Label({262, 58, 70, 20}, "X axis", 13);
    p.SliderTrack(at(IDC_SENSOR_X_AXIS));
    p.Label({262, 104, 70, 20}, "Y axis", 13);
    p.SliderTrack(at(IDC_SENSOR_Y_AXIS));
    c.Line({262, 160}, {745, 160}, Rgb{40, 40, 40});

    p.Label({40, 172, 200, 18}, "Surface quality", 14, Align::kLeft, kAccent);
    // The gauge: ten columns rising from left (poor) to right (excellent), lit in the down look
    // (the bar image of the progress control, which shows level n as its left n tenths).
    Rect gauge = at(IDC_SENSOR_QUALITY);
    c.FillRect(gauge, Rgb{12, 12, 12});
    c.FrameRect(gauge, kPageEdge);
    bool lit = p.CurrentLook() == Look::kDown;
    for (int i = 0; i < 10; ++i) {
        int h = 12 + i * 8;
        Rgb colour =
            lit ? Rgb{static_cast<uint8_t>(120 + i * 10), static_cast<uint8_t>(150 + i * 6), 40}
                : Rgb{45, 45, 45};
        c.FillRect({gauge.x + i * gauge.w / 10 + 1, gauge.Bottom() - 8 - h, 8, h}, colour);
    }
    p.Label({gauge.x, gauge.Bottom() + 1, 50, 14}, "Poor", 11, Align::kLeft, kDimText);
    p.Label({gauge.Right() - 60, gauge.Bottom() + 1, 60, 14}, "Excellent", 11, Align::kRight,
            kDimText);
    p.Button(at(IDC_SENSOR_ANALYZE), "Analyze surface", 12);

    p.Label({300, 172, 200, 18}, "Pointer", 14, Align::kLeft, kAccent);
    p.Label({300, 198, 120, 20}, "Pointer speed", 13);
    p.SliderTrack(at(IDC_SENSOR_POINTER_SPEED));
    p.Label({300, 268, 105, 20}, "Lift distance", 13);
    p.SliderTrack(at(IDC_SENSOR_LIFT_DISTANCE));
    p.Button(at(IDC_SENSOR_TEST), "Test", 12);
    p.Button(at(IDC_SENSOR_SAVE), "Save", 12);
}

void ColourPage(SkinPainter& p) {
    Canvas& c = p.Target();
    PageOutline(c, kPageWidth, kPageHeight);
    p.Label({38, 36, 200, 18}, "Lighting", 14, Align::kLeft, kAccent);
    p.CheckBox(LayoutRect(kColourPageLayout, IDC_LED_ON), "All lights on");
    p.CheckBox(LayoutRect(kColourPageLayout, IDC_LED_OFF), "All lights off");
    p.CheckBox(LayoutRect(kColourPageLayout, IDC_LED_SELECT), "Zones:");
    const char* const zones[] = {"Scroll wheel", "DPI indicator", "DPI buttons", "Logo"};
    for (int i = 0; i < 4; ++i) {
        p.CheckBox(LayoutRect(kColourPageLayout, kColourPageZoneIds[i]), zones[i]);
    }

    MousePicture(c, 360, 50, 150, 250);
    // Each marker points at its zone on the picture.
    const int lineEnds[] = {355, 300, 320, 335};
    for (int i = 0; i < 4; ++i) {
        Rect marker = LayoutRect(kColourPageLayout, kColourPageMarkerIds[i]);
        p.Marker(marker, std::to_string(i + 1));
        float y = marker.y + marker.h / 2.0f;
        c.Line({static_cast<float>(marker.Right()), y}, {static_cast<float>(lineEnds[i]), y},
               kDimText);
    }

    p.Label({546, 40, 200, 18}, "Colour", 14, Align::kLeft, kAccent);
    for (int row = 1; row <= kPaletteRows; ++row) {
        for (int column = 1; column <= kPaletteColumns; ++column) {
            Rect cell = LayoutRect(kColourPageLayout, PaletteId(row, column));
            PaletteColour colour = kPalette[PaletteId(row, column) - IDC_PALETTE_FIRST];
            c.FillRect(cell, kBlack);
            c.FillRect(cell.Inset(3), Rgb{colour.red, colour.green, colour.blue});
            switch (p.CurrentLook()) {
                case Look::kOver:
                    c.FrameRect(cell.Inset(1), kAccent);
                    break;
                case Look::kDown:
                    c.FrameRect(cell.Inset(1), Rgb{255, 255, 255}, 2);
                    break;
                default:
                    c.FrameRect(cell.Inset(2), Rgb{40, 40, 40});
                    break;
            }
        }
    }
    Rect swatch = LayoutRect(kColourPageLayout, IDC_SWATCH);
    p.Label({swatch.x, swatch.y - 23, 200, 18}, "Chosen colour", 13);
    c.FrameRect(swatch.Inset(-1), kPageEdge);
    Rect tip = LayoutRect(kColourPageLayout, IDC_COLOUR_TIP);
    p.Label({tip.x, tip.y - 20, tip.w, 18}, "Red.Green.Blue", 11, Align::kLeft, kDimText);
    p.Field(tip);
}

void MacroPage(SkinPainter& p, bool backgroundOnly) {
    Canvas& c = p.Target();
    auto at = [](const PixelRect& r) { return Rect{r.left, r.top, r.Width(), r.Height()}; };
    auto place = [&](int id) { return at(FindPlace(kMacroPageLayout, id)->rect); };
    PageOutline(c, kPageWidth, kPageHeight);
    const Rect list = place(IDC_MACRO_LIST);
    const Rect editor = place(IDC_MACRO_EDITOR);
    p.Label({list.x, list.y - 25, list.w, 20}, "Macros", 14, Align::kLeft, kAccent);
    p.Label({editor.x, editor.y - 25, editor.w, 20}, "Events", 14, Align::kLeft, kAccent);
    for (Rect box : {list, editor}) {
        c.FillRect(box, Rgb{10, 10, 10});
        c.FrameRect(box, p.CurrentLook() == Look::kDisable ? Rgb{40, 40, 40} : kPageEdge);
    }
    p.Button(place(IDC_NEW_MACRO), "New macro");
    p.Button(place(IDC_DELETE_MACRO), "Delete");
    const Rect delay = place(IDC_RECORD_DELAY);
    p.CheckBox(delay, "");
    p.Label({delay.x + delay.w + 5, delay.y, 150, delay.h}, "Record delays", 13);
    p.Button(place(IDC_START_RECORD), "Start recording");
    if (!backgroundOnly) {
        // Cut for the stop button, which stands where the start button is.
        p.Button(at(kStopRecordArt), "Stop recording");
    }
    p.Paragraph({540, 180, 220, 140},
                "New macro, type a name, press Enter. Then Start recording, press the keys and "
                "Stop recording. Right-click an event to insert mouse clicks or change a delay.",
                12, Align::kLeft, kDimText);
}

void SupportPage(SkinPainter& p) {
    Canvas& c = p.Target();
    auto at = [](int id) { return LayoutRect(kSupportPageLayout, id); };
    PageOutline(c, kSupportWidth, kSupportHeight);
    p.Label({40, 40, 300, 20}, "Help and support", 14, Align::kLeft, kAccent);
    p.Paragraph({40, 70, 330, 120},
                "Questions about your ORVA 7100? Our support site has manuals, tips and answers, "
                "and you can reach our team there.",
                13);
    p.Button(at(IDC_SUPPORT_ONLINE), "Online support");
    c.Line({460, 40}, {460, 310}, Rgb{40, 40, 40});

    p.Label({507, 70, 230, 20}, "Configurator", 14, Align::kLeft, kAccent);
    p.Paragraph({507, 92, 250, 20}, "Look for a newer version:", 12, Align::kLeft, kDimText);
    p.Button(at(IDC_SUPPORT_CHECK_UPDATES), "Check updates");
    p.Label({507, 136, 112, 18}, "Installed version", 12);

    p.Label({507, 235, 230, 20}, "Mouse firmware", 14, Align::kLeft, kAccent);
    p.Paragraph({507, 257, 250, 20}, "Compare with the newest firmware:", 12, Align::kLeft,
                kDimText);
    p.Button(at(IDC_SUPPORT_CHECK_FIRMWARE), "Check firmware");
    p.Label({507, 299, 112, 18}, "Mouse firmware", 12);
}

// ---- small sheets -------------------------------------------------------------------------

void SliderThumb(SkinPainter& p) {
    Canvas& c = p.Target();
    bool disabled = p.CurrentLook() == Look::kDisable;
    c.FillRoundRect({0, 0, kThumbWidth, kThumbHeight}, 3, disabled ? Rgb{60, 60, 60} : kText);
    c.FillRect({kThumbWidth / 2 - 1, 3, 2, kThumbHeight - 6}, disabled ? Rgb{90, 90, 90} : kAccent);
}

void ScrollBar(SkinPainter& p, SheetRole role) {
    Canvas& c = p.Target();
    c.FillRect({0, 0, kScrollWidth, kScrollHeight}, Rgb{12, 12, 12});
    c.FillRect({kScrollWidth / 2 - 1, 18, 2, kScrollHeight - 36}, Rgb{45, 45, 45});
    if (role == SheetRole::kNormal) {
        return;  // the track alone
    }
    // The down sheet holds the parts at rest, the over sheet the lit ones.
    Rgb ink = role == SheetRole::kOver ? kAccent : kText;
    Rgb body = role == SheetRole::kOver ? kAccentDark : Rgb{40, 40, 40};
    c.FillRect({1, 1, kScrollWidth - 2, 14}, body);
    c.FillPolygon({{6.5f, 11}, {16.5f, 11}, {11.5f, 4}}, ink);
    c.FillRect({1, 207, kScrollWidth - 2, 14}, body);
    c.FillPolygon({{6.5f, 211}, {16.5f, 211}, {11.5f, 218}}, ink);
    c.FillRoundRect({3, 41, kScrollWidth - 6, 56}, 4, body);
    c.FrameRoundRect({3, 41, kScrollWidth - 6, 56}, 4, ink);
}

void Rename(SkinPainter& p) {
    PopupFrame(p, "Rename profile");
    auto at = [](const ControlPlace& place) {
        const PixelRect& r = place.rect;
        return Rect{r.left, r.top, r.Width(), r.Height()};
    };
    const Rect field = at(kRenameNamePlace);
    p.CloseGlyph(at(kRenameClosePlace));
    p.Paragraph({20, 34, 330, 20}, "Type a new name for this profile:", 13);
    p.Label({field.x - 70, field.y, 65, field.h}, "Name", 13);
    p.Field(field);
    p.Button(at(kRenameOkPlace), "OK");
    p.Button(at(kRenameCancelPlace), "Cancel");
}

struct PopupText {
    const char* title;
    const char* body;
};

// The pop-up mode (its background piece) whose sheets a family holds.
int PopupModeOf(SkinFamily family) {
    switch (family) {
        case SkinFamily::kLeftClickWarning:
            return 122;
        case SkinFamily::kDeleteMacro:
            return 125;
        case SkinFamily::kAnalysisStart:
            return 129;
        case SkinFamily::kAnalysisMove:
            return 133;
        case SkinFamily::kAnalysisFinish:
            return 139;
        case SkinFamily::kResetWarning:
            return 142;
        default:
            return 146;
    }
}

void Popup(SkinPainter& p, SkinFamily family) {
    const PopupLayout& layout = *FindPopupLayout(PopupModeOf(family));
    auto at = [](const ControlPlace& place) {
        return Rect{place.rect.left, place.rect.top, place.rect.Width(), place.rect.Height()};
    };
    const Rect ok = at(layout.ok);
    const Rect cancel = at(layout.cancel);
    switch (family) {
        case SkinFamily::kLeftClickWarning:
            PopupFrame(p, "Left click needed");
            p.Paragraph({20, 38, 335, 100},
                        "At least one button must keep the left click, so this button stays on "
                        "Left Click. Give the left click to another button first, then you can "
                        "change this one.",
                        13);
            p.Button(ok, "OK");
            break;
        case SkinFamily::kDeleteMacro:
            PopupFrame(p, "Delete macro");
            p.Paragraph({20, 38, 335, 100},
                        "Delete the selected macro? Buttons that use it go back to their usual "
                        "function.",
                        13);
            p.Button(ok, "Delete");
            p.Button(cancel, "Cancel");
            break;
        case SkinFamily::kAnalysisStart:
            PopupFrame(p, "Surface analysis");
            p.Paragraph({20, 38, 335, 100},
                        "The mouse measures how well it tracks on your surface. Put it on your "
                        "mouse pad and press Start. Then keep moving it until the countdown ends.",
                        13);
            p.Button(ok, "Start");
            p.Button(cancel, "Cancel");
            break;
        case SkinFamily::kAnalysisMove: {
            PopupFrame(p, "Surface analysis");
            p.Target().FillRect(at(layout.image), Rgb{14, 14, 14});
            const Rect time = at(layout.time);
            p.Paragraph(
                {time.x, 38, 180, 90},
                "Keep moving the mouse in circles on the pad until the countdown reaches 0.", 13);
            p.Field(time);
            p.Label({time.x, time.y - 17, 120, 14}, "Seconds left", 11, Align::kLeft, kDimText);
            p.Button(ok, "Next");
            p.Button(cancel, "Cancel");
            break;
        }
        case SkinFamily::kAnalysisFinish:
            PopupFrame(p, "Surface analysis");
            p.Paragraph({20, 38, 335, 100},
                        "All done. Press OK to see how good your surface is on the Performance "
                        "page.",
                        13);
            p.Button(ok, "OK");
            break;
        case SkinFamily::kResetWarning:
            PopupFrame(p, "Reset to default");
            p.Paragraph({20, 38, 335, 100},
                        "This puts all five profiles back to their factory settings and writes "
                        "them to the mouse. Your macros are kept. Go ahead?",
                        13);
            p.Button(ok, "Reset");
            p.Button(cancel, "Cancel");
            break;
        case SkinFamily::kSingleKey: {
            PopupFrame(p, "Assign a key");
            p.Paragraph({20, 38, 335, 60},
                        "Press the key this mouse button should send, then press OK.", 13);
            const Rect key = at(layout.time);
            p.Label({key.x - 108, key.y, 100, key.h}, "Your key:", 13, Align::kRight);
            p.Field(key);
            p.Button(ok, "OK");
            p.Button(cancel, "Cancel");
            break;
        }
        default:
            break;
    }
    p.CloseGlyph(at(layout.close));
}

}  // namespace

Canvas DrawSheet(const SkinSheetFile& sheet, TextRenderer& text, int percent) {
    Canvas canvas(sheet.width, sheet.height, kBlack, percent);
    SkinPainter p(canvas, text, LookOf(sheet.role));
    switch (sheet.family) {
        case SkinFamily::kMain:
            MainWindow(p);
            break;
        case SkinFamily::kMousePage:
            MousePage(p);
            break;
        case SkinFamily::kSensorPage:
            SensorPage(p);
            break;
        case SkinFamily::kColourPage:
            ColourPage(p);
            break;
        case SkinFamily::kMacroPage:
            MacroPage(p, sheet.role == SheetRole::kBackground);
            break;
        case SkinFamily::kSupportPage:
            SupportPage(p);
            break;
        case SkinFamily::kSliderThumb:
            SliderThumb(p);
            break;
        case SkinFamily::kScrollBar:
            ScrollBar(p, sheet.role);
            break;
        case SkinFamily::kRename:
            Rename(p);
            break;
        default:
            Popup(p, sheet.family);
            break;
    }
    return canvas;
}

Canvas DrawAnalysisFrame(int frame, TextRenderer&, int percent) {
    Canvas c(kFrameWidth, kFrameHeight, Rgb{14, 14, 14}, percent);
    Rect pad{10, 10, kFrameWidth - 20, kFrameHeight - 20};
    c.FillRoundRect(pad, 8, Rgb{26, 26, 26});
    c.FrameRoundRect(pad, 8, kPageEdge);
    PointF centre{kFrameWidth / 2.0f, kFrameHeight / 2.0f};
    c.FrameEllipse(centre, 45, 35, Rgb{60, 60, 60}, 1.0f);
    // The mouse goes round the circle a quarter turn per frame, with a trail behind it.
    float angle = -1.5708f + frame * 1.5708f;
    for (int t = 1; t <= 3; ++t) {
        float a = angle - t * 0.35f;
        c.FillEllipse({centre.x + 45 * std::cos(a), centre.y + 35 * std::sin(a)}, 3.0f - t * 0.6f,
                      3.0f - t * 0.6f, kAccentDark);
    }
    PointF at{centre.x + 45 * std::cos(angle), centre.y + 35 * std::sin(angle)};
    c.FillEllipse(at, 11, 15, Rgb{50, 50, 50});
    c.FrameEllipse(at, 11, 15, kAccent, 1.5f);
    c.Line({at.x, at.y - 14}, {at.x, at.y - 4}, kAccent, 1.2f);
    return c;
}

}  // namespace orva::art
