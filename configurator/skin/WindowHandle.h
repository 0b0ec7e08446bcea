#pragma once
// WindowHandle: a window handle with the everyday questions and orders of a window (its place,
// text, visibility, timers, the mouse capture). It owns nothing: CZelWnd sets and clears the
// handle as it attaches to a window and lets it go; every call on no window does nothing.

#include <windows.h>

#include <string>
#include <vector>

class WindowHandle {
  public:
    HWND Hwnd() const noexcept { return hwnd_; }

    int ControlId() const noexcept;
    HWND Parent() const noexcept;
    RECT ClientRect() const noexcept;
    // The window rectangle in the parent's client coordinates (screen ones for top level).
    RECT RectInParent() const noexcept;
    void Move(int x, int y, int width, int height, bool repaint = true) noexcept;
    void Show(bool show) noexcept;
    bool IsVisible() const noexcept;
    void Enable(bool enable) noexcept;
    bool IsEnabled() const noexcept;
    std::wstring Text() const;
    void SetText(const std::wstring& text) noexcept;
    void DestroyWindow() noexcept;

    void StartTimer(UINT_PTR id, UINT milliseconds) noexcept;
    void StopTimer(UINT_PTR id) noexcept;
    void CaptureMouse() noexcept;
    void ReleaseMouse() noexcept;
    bool HasCapture() const noexcept;
    // Shapes the window by a polygon (alternate fill); the system owns the region afterwards.
    bool SetPolygonRegion(const std::vector<POINT>& points) noexcept;

  protected:
    WindowHandle() = default;
    ~WindowHandle() = default;
    void SetHandle(HWND hwnd) noexcept { hwnd_ = hwnd; }

  private:
    HWND hwnd_ = nullptr;
};
