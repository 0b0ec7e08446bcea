#pragma once
// TrayIcon: the program's icon in the notification area. Added once the main window exists,
// added again when the shell restarts (its "TaskbarCreated" broadcast), removed at the end.

#include <windows.h>
#include <shellapi.h>

#include <string>

class TrayIcon {
  public:
    TrayIcon() = default;
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    bool Add(HWND window, UINT id, UINT callbackMessage, HICON icon,
             const std::wstring& tip) noexcept;
    // After the shell restarted: the same icon again.
    bool AddAgain() noexcept;
    void Remove() noexcept;
    bool IsShown() const noexcept { return shown_; }

  private:
    NOTIFYICONDATAW data_{};
    bool shown_ = false;
};
