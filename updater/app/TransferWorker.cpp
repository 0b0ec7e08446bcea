#include "app/TransferWorker.h"

#include "app/UpdaterMessages.h"
#include "logic/FirmwareTransfer.h"

namespace {

// The worker needs little stack: the largest thing on it is one 1025-byte report.
constexpr SIZE_T kWorkerStackBytes = 0x2000;

}  // namespace

CTransferWorker::~CTransferWorker() {
    Finish();
}

bool CTransferWorker::Start(HWND window) {
    window_ = window;
    event_.Reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!event_)
        return false;
    thread_.Reset(CreateThread(nullptr, kWorkerStackBytes, ThreadProc, this, 0, nullptr));
    return static_cast<bool>(thread_);
}

void CTransferWorker::BeginTransfer() {
    if (!thread_ || transferring_)
        return;
    transferring_ = true;
    state_ = kRunning;
    SetEvent(event_.Get());
}

CloseOutcome CTransferWorker::RequestClose() {
    if (!transferring_)
        return CloseOutcome::kEndNow;
    int expected = kRunning;
    if (state_.compare_exchange_strong(expected, kStopping))
        return CloseOutcome::kEndNow;
    return expected == kCommitted ? CloseOutcome::kAfterTransfer : CloseOutcome::kEndNow;
}

bool CTransferWorker::Commit() {
    int expected = kRunning;
    return state_.compare_exchange_strong(expected, kCommitted);
}

void CTransferWorker::Finish() {
    quit_ = true;
    // A transfer that has not committed yet is stopped; a committed one is waited for.
    int expected = kRunning;
    state_.compare_exchange_strong(expected, kStopping);
    if (thread_) {
        SetEvent(event_.Get());
        WaitForSingleObject(thread_.Get(), INFINITE);
        thread_.Reset();
    }
    event_.Reset();
}

void CTransferWorker::OnBlockSent(size_t index) {
    PostMessageW(window_, WM_FW_PROGRESS, index, 0);
}

DWORD WINAPI CTransferWorker::ThreadProc(void* parameter) noexcept {
    static_cast<CTransferWorker*>(parameter)->Run();
    return 0;
}

void CTransferWorker::Run() noexcept {
    while (!quit_) {
        WaitForSingleObject(event_.Get(), INFINITE);
        if (quit_)
            break;
        int result = 0;
        try {
            FirmwareTransfer transfer(driver_, clock_, image_, window_, *this);
            result = transfer.RunTransfer();
        } catch (...) {
            // Nothing in a transfer throws; should it, the window still hears of a failure.
            result = 0;
        }
        PostMessageW(window_, WM_FW_DONE, 0, result);
    }
}
