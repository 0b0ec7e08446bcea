#pragma once
// The update window's progress bar: the dialog's progress control, painted by this class in
// the skin's colours, since a themed control ignores the colours it is given.

#include <windows.h>

class CProgressBar {
  public:
    CProgressBar() = default;
    ~CProgressBar();
    CProgressBar(const CProgressBar&) = delete;
    CProgressBar& operator=(const CProgressBar&) = delete;

    void Attach(HWND control);
    void SetColours(COLORREF background, COLORREF bar);
    void SetRange(WORD upper);
    void SetStep(int step);
    void SetPos(int position);
    // Invalidates, erases and repaints at once.
    void Redraw() const;
    HWND Handle() const { return window_; }

  private:
    static LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam) noexcept;
    void OnPaint() const;

    HWND window_ = nullptr;
    WNDPROC baseProc_ = nullptr;
    COLORREF background_ = RGB(0, 0, 0);
    COLORREF bar_ = RGB(0, 0, 0);
};
