#pragma once
// CSupportDlg: the support page: program and firmware versions, the support web pages and the
// firmware updater.

#include <cstdint>
#include <optional>
#include <string>

#include "pages/PageHost.h"
#include "skin/ZelButton.h"
#include "pages/PageDialog.h"
#include "skin/ZelStatic.h"

class CSupportDlg : public CPageDialog {
  public:
    explicit CSupportDlg(PageHost& host) noexcept;
    ~CSupportDlg() override;

    // "-.--" without a version; otherwise the version as the mouse reports it.
    void ShowFirmwareVersion(std::optional<int32_t> version) noexcept;
    // Opens an address in the user's browser from a short-lived thread; returns at once.
    static void OpenWebPage(const std::wstring& address) noexcept;
    // Compares the firmware package with the mouse and starts the updater with the verdict.
    void CheckFirmware() noexcept;

  protected:
    bool OnInitDialog() noexcept override;
    bool OnCommand(int id, int code, HWND control) noexcept override;

  private:
    void CreateControls() noexcept override;
    void ShowVersions() noexcept;

    PageHost& host_;
    CZelButton onlineSupport_;
    CZelButton checkUpdates_;
    CZelButton checkFirmware_;
    CZelStatic softVersion_;
    CZelStatic firmVersion_;
};
