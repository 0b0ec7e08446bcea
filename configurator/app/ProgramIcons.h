#pragma once
// ProgramIcons: the program's icon at the sizes the system shows it (title bar and task
// switcher, dragging, a minimised window) and the notification area's icon, loaded from the
// resources once and destroyed with their owner.

#include <windows.h>

class ProgramIcons {
  public:
    ProgramIcons() noexcept;
    ~ProgramIcons();
    ProgramIcons(const ProgramIcons&) = delete;
    ProgramIcons& operator=(const ProgramIcons&) = delete;

    HICON Large() const noexcept { return large_; }
    HICON Small() const noexcept { return small_; }
    HICON Tray() const noexcept { return tray_; }
    // The large icon in the middle of `client`, as a minimised window shows it.
    void PaintCentred(HDC dc, const RECT& client) const noexcept;

  private:
    HICON large_ = nullptr;
    HICON small_ = nullptr;
    HICON tray_ = nullptr;
};
