#include "SkinPainter.h"

namespace orva::art {

Look LookOf(SheetRole role) {
    switch (role) {
        case SheetRole::kOver:
            return Look::kOver;
        case SheetRole::kDown:
            return Look::kDown;
        case SheetRole::kDisable:
            return Look::kDisable;
        default:
            return Look::kNormal;
    }
}

Rgb SkinPainter::FrameColour() const {
    switch (look_) {
        case Look::kOver:
        case Look::kDown:
            return kAccent;
        case Look::kDisable:
            return Rgb{55, 55, 55};
        default:
            return kFrame;
    }
}

Rgb SkinPainter::TextColour() const {
    switch (look_) {
        case Look::kOver:
            return kAccent;
        case Look::kDown:
            return Rgb{235, 245, 200};
        case Look::kDisable:
            return kDimText;
        default:
            return kText;
    }
}

void SkinPainter::Button(const Rect& r, const std::string& label, int textHeight) {
    canvas_.FillRect(r, kBlack);
    Rgb fill = look_ == Look::kDown ? kAccentDark : kPanel;
    canvas_.FillRoundRect(r.Inset(1), 3, fill);
    canvas_.FrameRoundRect(r.Inset(1), 3, FrameColour());
    text_.DrawInRect(canvas_, r, label, textHeight, TextColour(), Align::kCentre);
}

void SkinPainter::Tab(const Rect& r, const std::string& label) {
    canvas_.FillRect(r, kBlack);
    Rect body{r.x + 2, r.y + 3, r.w - 4, r.h - 3};
    canvas_.FillGradient(body, look_ == Look::kDown ? kAccentDark : Rgb{34, 34, 34}, kBlack);
    canvas_.FillRect({body.x, body.y, body.w, 1}, FrameColour());
    canvas_.FillRect({body.x, body.y, 1, body.h}, FrameColour());
    canvas_.FillRect({body.Right() - 1, body.y, 1, body.h}, FrameColour());
    if (look_ == Look::kDown || look_ == Look::kOver) {
        canvas_.FillRect({body.x + 1, body.Bottom() - 3, body.w - 2, 3}, kAccent);
    }
    text_.DrawInRect(canvas_, body, label, 15, TextColour(), Align::kCentre);
}

void SkinPainter::CheckBox(const Rect& r, const std::string& label) {
    canvas_.FillRect(r, kBlack);
    int side = std::min(14, r.h - 2);
    Rect box{r.x + 3, r.y + (r.h - side) / 2, side, side};
    canvas_.FillRect(box, kPanel);
    canvas_.FrameRect(box, FrameColour());
    if (look_ == Look::kDown) {
        // Checked: a green tick.
        canvas_.Line({box.x + 3.0f, box.y + side / 2.0f},
                     {box.x + side / 2.5f, box.Bottom() - 3.5f}, kAccent, 2.0f);
        canvas_.Line({box.x + side / 2.5f, box.Bottom() - 3.5f}, {box.Right() - 3.0f, box.y + 3.0f},
                     kAccent, 2.0f);
    }
    if (!label.empty()) {
        text_.DrawInRect(canvas_, {box.Right() + 6, r.y, r.Right() - box.Right() - 6, r.h}, label,
                         13, TextColour(), Align::kLeft);
    }
}

void SkinPainter::DropDown(const Rect& r) {
    canvas_.FillRect(r, kBlack);
    canvas_.FillRect(r.Inset(1), look_ == Look::kDown ? kAccentDark : kPanel);
    canvas_.FrameRect(r, FrameColour());
    float cx = r.Right() - 10.0f;
    float cy = r.y + r.h / 2.0f;
    canvas_.FillPolygon({{cx - 4, cy - 2}, {cx + 4, cy - 2}, {cx, cy + 3}},
                        look_ == Look::kNormal ? kText : FrameColour());
}

void SkinPainter::CaptionButton(const Rect& r) {
    canvas_.FillRect(r, kBlack);
    canvas_.FillRect(r.Inset(1), look_ == Look::kDown ? kAccentDark : kPanel);
    canvas_.FrameRect(r, FrameColour());
}

void SkinPainter::Marker(const Rect& r, const std::string& label) {
    float rad = std::min(r.w, r.h) / 2.0f - 1.0f;
    PointF c{r.x + r.w / 2.0f, r.y + r.h / 2.0f};
    canvas_.FillEllipse(c, rad, rad, look_ == Look::kDown ? kAccentDark : kBlack);
    canvas_.FrameEllipse(c, rad - 0.5f, rad - 0.5f, FrameColour());
    text_.DrawInRect(canvas_, {r.x, r.y + (r.h - std::min(r.w, r.h)) / 2, r.w, std::min(r.w, r.h)},
                     label, 11, TextColour(), Align::kCentre);
}

void SkinPainter::SliderTrack(const Rect& r) {
    canvas_.FillRect(r, kBlack);
    int mid = r.y + std::min(r.h / 2, 8);
    canvas_.FillRoundRect({r.x + 2, mid - 2, r.w - 4, 4}, 2,
                          look_ == Look::kDisable ? Rgb{40, 40, 40} : Rgb{70, 70, 70});
}

void SkinPainter::Field(const Rect& r) {
    canvas_.FillRect(r, Rgb{10, 10, 10});
    canvas_.FrameRect(r,
                      look_ == Look::kOver || look_ == Look::kDown ? kAccent : Rgb{150, 150, 150});
}

void SkinPainter::CloseGlyph(const Rect& r) {
    canvas_.FillRect(r, look_ == Look::kDown ? kAccentDark : kBlack);
    Rgb c = look_ == Look::kNormal ? kText : FrameColour();
    float cx = r.x + r.w / 2.0f, cy = r.y + r.h / 2.0f;
    canvas_.Line({cx - 5, cy - 5}, {cx + 5, cy + 5}, c, 1.6f);
    canvas_.Line({cx - 5, cy + 5}, {cx + 5, cy - 5}, c, 1.6f);
}

void SkinPainter::MinimiseGlyph(const Rect& r) {
    canvas_.FillRect(r, look_ == Look::kDown ? kAccentDark : kBlack);
    Rgb c = look_ == Look::kNormal ? kText : FrameColour();
    canvas_.Line({r.x + r.w / 2.0f - 6, r.y + r.h / 2.0f + 4},
                 {r.x + r.w / 2.0f + 6, r.y + r.h / 2.0f + 4}, c, 1.6f);
}

void SkinPainter::Label(const Rect& r, const std::string& text, int height, Align align,
                        Rgb colour) {
    text_.DrawInRect(canvas_, r, text, height, colour, align);
}

int SkinPainter::Paragraph(const Rect& r, const std::string& text, int height, Align align,
                           Rgb colour) {
    return text_.DrawParagraph(canvas_, r, text, height, colour, align);
}

void SkinPainter::Panel(const Rect& r, const std::string& title) {
    canvas_.FrameRoundRect(r, 4, Rgb{60, 60, 60});
    if (!title.empty()) {
        int w = text_.TextWidth(title, 13) + 10;
        canvas_.FillRect({r.x + 10, r.y - 1, w, 3}, kBlack);
        text_.DrawInRect(canvas_, {r.x + 15, r.y - 8, w, 16}, title, 13, kAccent, Align::kLeft);
    }
}

}  // namespace orva::art
