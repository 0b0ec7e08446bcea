#pragma once
// Draws the parts every skin sheet is made of (buttons, check boxes, drop-down boxes, slider
// tracks, frames) in one of the four looks: normal, over, down, disable.

#include <string>

#include "Canvas.h"
#include "skin/logic/SkinSheets.h"

namespace orva::art {

enum class Look { kNormal, kOver, kDown, kDisable };

Look LookOf(SheetRole role);

class SkinPainter {
  public:
    SkinPainter(Canvas& canvas, TextRenderer& text, Look look)
        : canvas_(canvas), text_(text), look_(look) {}

    Canvas& Target() { return canvas_; }
    TextRenderer& Text() { return text_; }
    Look CurrentLook() const { return look_; }

    // A push button with its wording centred.
    void Button(const Rect& r, const std::string& label, int textHeight = 13);
    // A tab of the main window.
    void Tab(const Rect& r, const std::string& label);
    // A box drawn only from images: square box (checked in the down look) and its label.
    void CheckBox(const Rect& r, const std::string& label);
    // A drop-down field: frame and arrow; its caption is drawn by the control.
    void DropDown(const Rect& r);
    // A plain frame that a control writes its caption into (profile buttons).
    void CaptionButton(const Rect& r);
    // A small numbered circle (markers on the pictures).
    void Marker(const Rect& r, const std::string& label);
    // Slider track: a groove across the middle.
    void SliderTrack(const Rect& r);
    // A sunken field (edit boxes, value labels).
    void Field(const Rect& r);
    // Title-bar glyph buttons.
    void CloseGlyph(const Rect& r);
    void MinimiseGlyph(const Rect& r);

    // Static wording, the same in every look.
    void Label(const Rect& r, const std::string& text, int height = 13, Align align = Align::kLeft,
               Rgb colour = kText);
    int Paragraph(const Rect& r, const std::string& text, int height = 13,
                  Align align = Align::kLeft, Rgb colour = kText);
    // A titled panel frame with the title cut into its top edge.
    void Panel(const Rect& r, const std::string& title);

  private:
    Rgb FrameColour() const;
    Rgb TextColour() const;
    Canvas& canvas_;
    TextRenderer& text_;
    Look look_;
};

}  // namespace orva::art
