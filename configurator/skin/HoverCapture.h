#pragma once
// HoverCapture: the hover half of the skinned controls' pointer handling (buttons, slider,
// scroll bar). A control takes the pointer capture when the pointer arrives, so that it learns
// when the pointer leaves, and gives it back then. The control changes its own state on the
// outcome of each move.

#include <windows.h>

class CZelWnd;

class HoverCapture {
  public:
    enum class Move {
        kEntered,  // the capture was taken: hovering starts
        kInside,   // still over the control
        kLeft,     // the pointer left; the capture is given back
    };

    // A pointer move at client point (x, y) of `control`.
    Move OnMouseMove(CZelWnd& control, int x, int y) noexcept;
    // Gives the capture back (a control that stops reacting to the mouse).
    void Stop(CZelWnd& control) noexcept;
    bool IsTracking() const noexcept { return tracking_; }

  private:
    bool tracking_ = false;
};
