#pragma once
// The thread that runs a firmware transfer. It waits on an event, runs the transfer when the
// window signals it, and reports by posting WM_FW_PROGRESS and WM_FW_DONE; it never touches a
// window otherwise.

#include <windows.h>

#include <atomic>

#include "app/ScopedWin.h"
#include "logic/Clock.h"
#include "logic/DriverLibrary.h"
#include "logic/FirmwareImage.h"
#include "logic/TransferHost.h"

// What a close request during a transfer leads to.
enum class CloseOutcome {
    kEndNow,         // nothing has reached the mouse's loader: the window may end at once
    kAfterTransfer,  // the mouse runs its loader: the window ends when the transfer ends
};

class CTransferWorker : public ITransferHost {
  public:
    CTransferWorker(IDriverLibrary& driver, IClock& clock, const FirmwareImage& image)
        : driver_(driver), clock_(clock), image_(image) {}
    ~CTransferWorker() override;
    CTransferWorker(const CTransferWorker&) = delete;
    CTransferWorker& operator=(const CTransferWorker&) = delete;

    // Creates the event and the waiting thread; false when either cannot be made.
    bool Start(HWND window);
    bool IsStarted() const { return static_cast<bool>(thread_); }
    // Starts one transfer. The image must be loaded before.
    void BeginTransfer();
    // Called when WM_FW_DONE arrives: the worker is waiting again.
    void TransferEnded() { transferring_ = false; }
    bool IsTransferring() const { return transferring_; }
    // The window is asked to close. Before the transfer commits this stops it (it ends
    // within a tenth of a second, or one driver call); afterwards the transfer goes on.
    CloseOutcome RequestClose();
    // Ends the thread and waits for it: at once while no transfer runs, within a driver call
    // after a stop, and at the transfer's end once it has committed.
    void Finish();

    void OnBlockSent(size_t index) override;
    bool StopRequested() override { return state_ == kStopping; }
    bool Commit() override;

  private:
    // The transfer's state as both threads see it; one atomic value, so a close and the
    // commit cannot both win.
    enum State { kRunning, kStopping, kCommitted };

    static DWORD WINAPI ThreadProc(void* parameter) noexcept;
    void Run() noexcept;

    IDriverLibrary& driver_;
    IClock& clock_;
    const FirmwareImage& image_;
    HWND window_ = nullptr;
    ScopedHandle event_;
    ScopedHandle thread_;
    std::atomic<int> state_{kRunning};
    std::atomic<bool> quit_{false};
    bool transferring_ = false;  // window thread only
};
