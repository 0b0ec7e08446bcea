#pragma once
// CSupportDlg: the support page: program and firmware versions, the support web pages and the
// firmware updater.

#include <cstdint>
#include <optional>

#include "PageHost.h"
#include "ZelImageDialog.h"

class CSupportDlg : public CZelImageDialog {
  public:
    explicit CSupportDlg(PageHost& host) noexcept;
    ~CSupportDlg() override;

    // "-.--" without a version; otherwise the version as the mouse reports it.
    void ShowFirmwareVersion(std::optional<int32_t> version) noexcept;

  protected:
    bool OnInitDialog() noexcept override;
    void OnOK() noexcept override {}
    void OnCancel() noexcept override {}

  private:
    PageHost& host_;
};
