#pragma once
// The thread that runs a firmware transfer. It waits on an event, runs the transfer when the
// window signals it, and reports by posting WM_FW_PROGRESS and WM_FW_DONE; it never touches a
// window otherwise.

#include <windows.h>

#include <atomic>

#include "Clock.h"
#include "DriverLibrary.h"
#include "FirmwareImage.h"
#include "TransferHost.h"

class CTransferWorker : public ITransferHost {
  public:
    CTransferWorker(IDriverLibrary& driver, IClock& clock, const FirmwareImage& image)
        : driver_(driver), clock_(clock), image_(image) {}
    ~CTransferWorker() override;
    CTransferWorker(const CTransferWorker&) = delete;
    CTransferWorker& operator=(const CTransferWorker&) = delete;

    // Creates the event and the waiting thread; false when either cannot be made.
    bool Start(HWND window);
    bool IsStarted() const { return thread_ != nullptr; }
    // Starts one transfer. The image must be loaded before.
    void BeginTransfer();
    // Called when WM_FW_DONE arrives: the worker is waiting again.
    void TransferEnded() { transferring_ = false; }
    bool IsTransferring() const { return transferring_; }
    // Asks a running transfer to end before its next step.
    void RequestStop() { stop_ = 1; }
    // Ends the thread and waits for it. Only while no transfer runs does this return at once.
    void Finish();

    void OnBlockSent(size_t index) override;
    bool StopRequested() override { return stop_ != 0; }

  private:
    static DWORD WINAPI ThreadProc(void* parameter) noexcept;
    void Run() noexcept;

    IDriverLibrary& driver_;
    IClock& clock_;
    const FirmwareImage& image_;
    HWND window_ = nullptr;
    HANDLE event_ = nullptr;
    HANDLE thread_ = nullptr;
    std::atomic<int> stop_{0};
    bool transferring_ = false;  // window thread only
};
