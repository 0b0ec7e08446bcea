#pragma once
// CORVADlg: the configurator's main window. Owns the five profiles and the five pages, switches
// pages and profiles, applies (Windows settings, files, the mouse), resets, renames, saves,
// exports and imports profiles, and lives on in the notification area when hidden. It follows
// the mouse coming and going and the profile made active on the mouse (the 500 ms poll).

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "app/MainControls.h"
#include "app/MousePresence.h"
#include "app/PageSet.h"
#include "app/ProgramIcons.h"
#include "app/ProfileMenuCommands.h"
#include "app/TrayIcon.h"
#include "app/TrayMenu.h"
#include "app/logic/ApplySequence.h"
#include "app/logic/MainWindowLayout.h"
#include "app/logic/PendingScale.h"
#include "macros/MacroCollection.h"
#include "pages/PageHost.h"
#include "pages/RenameDlg.h"
#include "skin/ZelImageDialog.h"

class CZelMenu;

class CORVADlg : public CZelImageDialog,
                 public PageHost,
                 public ApplyHost,
                 public ProfileNamer,
                 public PresenceHost,
                 public ScaleHost {
  public:
    using Page = PageSet::Page;
    static constexpr Page kMousePage = PageSet::kMousePage;
    static constexpr Page kSupportPage = PageSet::kSupportPage;

    CORVADlg();
    ~CORVADlg() override;

    // PageHost
    Profile& CurrentProfile() noexcept override { return profiles_[current_]; }
    Profile& ProfileAt(int slot) noexcept override;
    DeviceLink& Link() noexcept override { return presence_.Link(); }
    MacroCollection& Macros() noexcept override;
    void MacrosChanged() noexcept override;
    HWND MainWindow() const noexcept override { return Hwnd(); }

    // ProfileNamer
    void SetProfileName(int number, const std::u16string& name) noexcept override;

    // PresenceHost
    void ShowFirmwareVersion(std::optional<int32_t> version) noexcept override;
    void FollowMouseProfile(int slot) noexcept override;
    bool PollMustWait() noexcept override;
    const ProfileSet& Profiles() noexcept override { return profiles_; }

    // ScaleHost (and PresenceHost: PollMustWait)
    uint32_t LaidOutDpi() noexcept override;
    // Makes the controls and pages again at the scale; the pages' state and the macros go
    // through the current profile and the macro folder. False (and nothing changes) when the
    // macros cannot be saved, so that none is lost.
    bool RebuildAtScale(uint32_t dpi) noexcept override;

    void ShowPage(Page page) noexcept;
    // Slot 0 .. 4.
    void SwitchProfile(int slot) noexcept;
    void ApplyAll() noexcept;
    void ResetAll() noexcept;
    void ShowProfileOnPages(Profile& profile) noexcept;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override;
    bool OnInitDialog() noexcept override;
    bool OnCommand(int id, int code, HWND control) noexcept override;
    bool OnControlNotification(int code, LPARAM value) noexcept override;
    bool OnTimer(UINT_PTR id) noexcept override;
    // Makes the next hidden page not made yet.
    bool OnIdle() noexcept override;
    // Enter, Escape and the close request never end the program.
    void OnOK() noexcept override {}
    void OnCancel() noexcept override {}
    // The program ends: the tray icon goes, the macros are saved, the watcher stops.
    void OnDestroy() noexcept override;

    // ApplyHost
    void CollectPages() noexcept override;
    void ApplyWindowsSettings() noexcept override;
    bool SaveMacros() noexcept override;
    void ShowMessage(const std::u16string& text) noexcept override;

  private:
    // The background and the controls at the skin's scale.
    void LayOutControls() noexcept;
    // The tray icon, the mouse's notifications and its poll: once the window has painted.
    void StartTrayAndMouse() noexcept;
    // The window moved to a monitor of another scale, or the scale changed: everything is laid
    // out again at the new scale and placed at `suggested` (screen pixels).
    void OnDpiChanged(uint32_t dpi, const RECT& suggested) noexcept;
    void ShowMainWindow() noexcept;

    LRESULT OnTrayIcon(LPARAM mouseMessage) noexcept;
    void OnTrayExit() noexcept;
    void OnProfileMenu(int slot, int item) noexcept;
    void OnBackgroundPress(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT OnPaint() noexcept;
    void OnEndSession(bool ending) noexcept;

    void SetProfileCaption(int slot) noexcept;

    MainControls controls_;
    ProgramIcons icons_;

    PageSet pages_{*this};
    // What Macros() answers before the macro page exists.
    MacroCollection noMacros_;

    TrayIcon tray_;
    TrayMenu trayMenu_;
    UINT taskbarCreated_ = 0;
    bool trayAndMouseStarted_ = false;

    MousePresence presence_{*this};
    ProfileMenuCommands profileCommands_{profiles_, *this, *this};
    int32_t busy_ = 0;
    bool macrosSavedAtEnd_ = false;
    PendingScale pendingScale_{*this};

    ProfileSet profiles_;
    int current_ = 0;
};
