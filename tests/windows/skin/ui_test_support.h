#pragma once
// Helpers for tests that drive real windows under Wine: a message pump with a deadline, real
// mouse and keyboard input through SendInput, and a window that records the notifications it
// receives.

#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

#include "skin/ScopedWin.h"
#include "skin/ZelWnd.h"

// Dispatches messages for about `milliseconds`.
void PumpFor(int milliseconds);
// The same as the main window's loop does it for a page: pre-translation first, then the
// page's dialog keys, then dispatch.
void PumpPageFor(HWND page, int milliseconds);
// Dispatches messages until `done` holds or the time is up; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, int milliseconds = 2000);
// Dispatches messages until the window and all its descendants have painted everything they
// were asked to (no update region left); returns whether they did in time.
bool PumpUntilPainted(HWND window, int milliseconds = 2000);
// Dispatches messages until everything posted to this thread so far has been dispatched (what
// hooks posted during an input, for example); returns whether that happened in time.
bool PumpPostedSoFar(int milliseconds = 2000);

// Waits (without pumping: for a thread other than the windows') until `condition` holds or the
// time is up; returns `condition()`.
bool WaitFor(const std::function<bool()>& condition, int milliseconds);

// Real input: moves the pointer to a screen point, presses and releases the left button.
void MouseMoveTo(int x, int y);
void MouseLeftDown();
void MouseLeftUp();
void ClickAt(int x, int y);
// Moves the pointer to the centre of a control and waits until the control knows (it holds the
// capture while hovered): input to a window that has only just appeared can be lost. Works from
// the windows' own thread and from another.
bool PointerOver(HWND control);
// A real click at the centre of a child control, as a person makes it: two clicks on one
// control are never so quick that they make a double click.
void ClickControl(HWND parent, int id);
void KeyDown(WORD virtualKey);
void KeyUp(WORD virtualKey);

// A top-level window that records every control notification (code, value) sent to it.
class CNotifyRecorder : public CZelWnd {
  public:
    bool Create(const RECT& rect);
    std::vector<std::pair<int, LPARAM>> received;
    // WM_COMMAND messages that reached the window itself.
    int commands = 0;
    // Notifications other than the menu-hiding ones.
    std::vector<std::pair<int, LPARAM>> Commands() const;

  protected:
    bool OnControlNotification(int code, LPARAM value) noexcept override;
    bool OnCommand(int id, int code, HWND control) noexcept override;
};

// Screen point of a client point of a window.
POINT ToScreen(HWND hwnd, int x, int y);
// The rectangle of a child in its parent's client pixels.
RECT RectInParent(HWND child);
// What the screen shows at a point, as GetPixel answers it.
COLORREF ScreenPixel(int x, int y);

// The pixels a window shows, read back from its device context.
class CWindowCapture {
  public:
    explicit CWindowCapture(HWND hwnd);
    int Width() const { return width; }
    int Height() const { return height; }
    // 0x00RRGGBB; 0 outside the capture.
    DWORD Pixel(int x, int y) const;
    // Writes the capture as a PNG into the folder named by ORVA_ARTIFACTS, if set, so that a
    // person can look at it.
    void SaveArtifact(const wchar_t* name) const;

  private:
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;
};

constexpr DWORD Rgb(int r, int g, int b) {
    return static_cast<DWORD>((r << 16) | (g << 8) | b);
}
