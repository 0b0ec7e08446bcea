// The transfer worker on its own thread, and the skinned dialog's images: what the update
// window relies on when it is closed during a transfer.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "SimulatedMouse.h"
#include "TempFile.h"
#include "WindowTestSupport.h"
#include "app/NoticeDlgIds.h"
#include "app/SkinnedDialog.h"
#include "app/TransferWorker.h"
#include "app/UpdateDlgIds.h"
#include "app/UpdaterMessages.h"

namespace {

using namespace std::chrono_literals;

// Time that passes as fast as the worker sleeps; read from the worker thread only.
class InstantClock : public IClock {
  public:
    uint64_t NowMs() override { return now_; }
    void SleepMs(uint32_t milliseconds) override {
        now_ += milliseconds;
        // A real pause now and then, so a close from the test thread lands mid-transfer.
        Sleep(milliseconds >= 100 ? 1 : 0);
    }

  private:
    std::atomic<uint64_t> now_{0};
};

// The simulated mouse behind a lock, able to hold the worker at the start parameters or to
// stay busy in the start step.
class GatedMouse : public IDriverLibrary {
  public:
    explicit GatedMouse(SimulatedClock& clock) : mouse(clock) {}

    void OpenDevMonitor(WindowHandle window, unsigned arrival, unsigned removal) override {
        std::lock_guard guard(lock);
        mouse.OpenDevMonitor(window, arrival, removal);
    }
    int OpenFeatureDevice() override {
        std::lock_guard guard(lock);
        mouse.open = true;  // back at once: the clock of this test does not drive it
        return mouse.OpenFeatureDevice();
    }
    int SetFeature(uint8_t* report, size_t length) override {
        std::unique_lock guard(lock);
        if (holdAtStart && length == 9 && report[1] == 0x5A && report[3] == 0x32) {
            atStart = true;
            changed.notify_all();
            changed.wait(guard, [this] { return !holdAtStart; });
        }
        return mouse.SetFeature(report, length);
    }
    int GetFeature(uint8_t* report, size_t length) override {
        std::lock_guard guard(lock);
        ++reads;
        changed.notify_all();
        return mouse.GetFeature(report, length);
    }
    void CloseDevMonitor() override {
        std::lock_guard guard(lock);
        mouse.CloseDevMonitor();
    }
    void CloseFeatureDevice() override {
        std::lock_guard guard(lock);
        mouse.CloseFeatureDevice();
    }

    std::mutex lock;
    std::condition_variable changed;
    SimulatedMouse mouse;
    bool holdAtStart = false;
    bool atStart = false;
    int reads = 0;
};

struct WorkerRig {
    explicit WorkerRig(size_t bytes) : file(PatternBytes(bytes)) {
        image.SetPath(file.Path());
        loaded = image.Load() != 0;
    }
    // Pumps the window's messages until WM_FW_DONE; its lParam, or -1 after `limit`.
    LPARAM WaitForDone(std::chrono::milliseconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        MSG message;
        while (std::chrono::steady_clock::now() < end) {
            while (PeekMessageW(&message, window.Handle(), 0, 0, PM_REMOVE)) {
                if (message.message == WM_FW_PROGRESS)
                    ++progress;
                if (message.message == WM_FW_DONE) {
                    worker.TransferEnded();
                    return message.lParam;
                }
            }
            Sleep(5);
        }
        return -1;
    }

    TempFile file;
    FirmwareImage image;
    bool loaded = false;
    SimulatedClock mouseClock;
    GatedMouse driver{mouseClock};
    InstantClock clock;
    TestParent window;
    CTransferWorker worker{driver, clock, image};
    int progress = 0;
};

TEST(TransferWorker, ACloseBeforeTheStartParametersStopsTheTransferAtOnce) {
    WorkerRig rig(3000);
    ASSERT_TRUE(rig.loaded);
    // Busy for ever in the start step's first acknowledgement.
    rig.driver.mouse.statusRule = [](const std::vector<DriverCall>&) { return 3; };
    ASSERT_TRUE(rig.worker.Start(rig.window.Handle()));
    EXPECT_EQ(rig.worker.RequestClose(), CloseOutcome::kEndNow);  // nothing running yet
    rig.worker.BeginTransfer();
    {
        std::unique_lock guard(rig.driver.lock);
        ASSERT_TRUE(rig.driver.changed.wait_for(guard, 10s, [&] { return rig.driver.reads > 0; }));
    }
    EXPECT_EQ(rig.worker.RequestClose(), CloseOutcome::kEndNow);
    const auto before = std::chrono::steady_clock::now();
    rig.worker.Finish();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 2s);
    std::lock_guard guard(rig.driver.lock);
    EXPECT_EQ(rig.driver.mouse.SetReports(), (std::vector<std::string>{"20 06 09 00 00 00 00 00"}));
}

TEST(TransferWorker, ACloseOnceTheMouseIsToldToStartWaitsForTheWholeImage) {
    WorkerRig rig(5000);
    ASSERT_TRUE(rig.loaded);
    rig.driver.holdAtStart = true;
    ASSERT_TRUE(rig.worker.Start(rig.window.Handle()));
    rig.worker.BeginTransfer();
    {
        std::unique_lock guard(rig.driver.lock);
        ASSERT_TRUE(rig.driver.changed.wait_for(guard, 10s, [&] { return rig.driver.atStart; }));
    }
    // Committed: the close is for later, and asking twice changes nothing.
    EXPECT_EQ(rig.worker.RequestClose(), CloseOutcome::kAfterTransfer);
    EXPECT_EQ(rig.worker.RequestClose(), CloseOutcome::kAfterTransfer);
    {
        std::lock_guard guard(rig.driver.lock);
        rig.driver.holdAtStart = false;
        rig.driver.changed.notify_all();
    }
    EXPECT_EQ(rig.WaitForDone(60s), 1);
    EXPECT_EQ(rig.progress, 5);
    EXPECT_EQ(rig.worker.RequestClose(), CloseOutcome::kEndNow);  // the transfer has ended
    rig.worker.Finish();
    std::lock_guard guard(rig.driver.lock);
    std::vector<uint8_t> sent = rig.driver.mouse.ReceivedData();
    sent.resize(5000);
    EXPECT_EQ(sent, PatternBytes(5000));
}

// Applies two skins in a row, the way a window restyled at run time would.
class TwoSkinDialog : public CSkinnedDialog {
  public:
    TwoSkinDialog() : CSkinnedDialog(IDD_NOTICE) {}
    HBITMAP firstBackground = nullptr;
    HBITMAP firstMask = nullptr;
    bool firstFreed = false;
    bool secondAlive = false;
    SIZE size{};

  private:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_INITDIALOG)
            return CSkinnedDialog::HandleMessage(message, wParam, lParam);
        ApplySkin(IDB_UPDATE_BACKGROUND, IDB_UPDATE_MASK);
        firstBackground = BackgroundImage();
        firstMask = MaskImage();
        ApplySkin(IDB_DRIVER_OFFER, IDB_NOTICE_MASK);
        firstFreed = GetObjectType(firstBackground) == 0 && GetObjectType(firstMask) == 0;
        secondAlive = GetObjectType(BackgroundImage()) == OBJ_BITMAP &&
                      GetObjectType(MaskImage()) == OBJ_BITMAP;
        RECT rect;
        GetWindowRect(window_, &rect);
        size = SIZE{rect.right - rect.left, rect.bottom - rect.top};
        End(IDOK);
        return TRUE;
    }
};

TEST(SkinnedDialog, ApplyingASkinAgainFreesTheFirstImages) {
    TwoSkinDialog dialog;
    ASSERT_EQ(dialog.DoModal(nullptr), IDOK);
    ASSERT_NE(dialog.firstBackground, nullptr);
    EXPECT_TRUE(dialog.firstFreed);
    EXPECT_TRUE(dialog.secondAlive);
    EXPECT_EQ(dialog.size.cx, 376);  // the driver offer's background
    EXPECT_EQ(dialog.size.cy, 177);
}

}  // namespace
