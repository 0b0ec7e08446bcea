#pragma once
// PendingScale: a display scale announced for the main window and not laid out yet. The window
// is made again at it at once unless a modal window of the program runs (a page's pop-up may
// run on the stack of the very page a rebuild destroys), else at the next poll; a rebuild that
// fails (the macros could not be saved) is tried again at the next poll.

#include <cstdint>

class ScaleHost {
  public:
    // Whether a pop-up, message box or file dialog of the program runs now.
    virtual bool PollMustWait() noexcept = 0;
    // The scale the window is laid out at.
    virtual uint32_t LaidOutDpi() noexcept = 0;
    // Makes the window's controls and pages again at the scale; false when nothing changed.
    virtual bool RebuildAtScale(uint32_t dpi) noexcept = 0;

  protected:
    ~ScaleHost() = default;
};

class PendingScale {
  public:
    explicit PendingScale(ScaleHost& host) noexcept : host_(host) {}

    // The system announced the scale (WM_DPICHANGED).
    void Announce(uint32_t dpi) noexcept;
    // The poll: a scale still pending is tried again.
    void OnPoll() noexcept;
    bool IsPending() const noexcept { return dpi_ != 0; }

  private:
    void TryNow() noexcept;

    ScaleHost& host_;
    uint32_t dpi_ = 0;  // 0: none pending
};
