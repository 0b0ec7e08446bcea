#pragma once
// The transfer window: the firmware upgrade background, a progress bar and the close button.
// A one-shot timer loads the image and starts the worker; the worker's messages move the bar
// and end in the success or failure notice.

#include <windows.h>

#include <string>

#include "app/DriverLibraryWin.h"
#include "app/ProgressBar.h"
#include "app/SkinButton.h"
#include "app/SkinnedDialog.h"
#include "app/SystemClock.h"
#include "app/TransferWorker.h"
#include "logic/FirmwareImage.h"

class CUpdateDlg : public CSkinnedDialog {
  public:
    CUpdateDlg();
    ~CUpdateDlg() override;

    // Set after a successful transfer: the monitor program is started when the window goes.
    bool RestartMonitor() const { return restartMonitor_; }

  private:
    static constexpr UINT_PTR kStartTimerId = 100;
    static constexpr UINT kStartTimerMs = 1000;

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCreate();
    void LayOut() override;
    BOOL OnInitDialog();
    void OnCommand(WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR id);
    void OnProgress(WPARAM index);
    void OnDone(LPARAM result);
    void OnClose();
    void OnDestroy();

    void SetupProgressBar();
    void PlaceProgressBar();
    void ReadFirmwarePath();

    std::wstring folder_;
    CProgressBar progress_;
    RECT progressRect_{};
    HICON icon_ = nullptr;
    CSkinButton closeButton_;
    FirmwareImage image_;
    CDriverLibrary driver_;
    CSystemClock clock_;
    CTransferWorker worker_;
    bool closePending_ = false;
    bool restartMonitor_ = false;
};
