#include "logic/FirmwareTransfer.h"

#include <algorithm>

namespace {

// How long a stop request may go unnoticed while waiting for the mouse's first answer.
constexpr uint32_t kStopCheckMs = 100;

}  // namespace

FirmwareTransfer::FirmwareTransfer(IDriverLibrary& driver, IClock& clock,
                                   const FirmwareImage& image, WindowHandle window,
                                   ITransferHost& host)
    : driver_(driver), clock_(clock), image_(image), window_(window), host_(host) {}

uint32_t FirmwareTransfer::PollDelayMs(int poll) {
    static constexpr uint32_t kDelays[] = {100, 100, 200, 400, 600, 1500, 500};
    if (poll >= 0 && poll < static_cast<int>(std::size(kDelays)))
        return kDelays[poll];
    return 1500;
}

int FirmwareTransfer::WaitForStatus(int& status) {
    int result = 0;
    for (int poll = 0; poll < kMaxPolls; ++poll) {
        if (!Pause(PollDelayMs(poll)))
            return 0;
        StatusReport reply = TransferReports::StatusRequest();
        if (driver_.GetFeature(reply.data(), reply.size()) != 0) {
            status = reply[1];
            result = status == kStatusAccepted ? 1 : 0;
        } else {
            // A failed read keeps the last status: a mouse that was busy is asked again.
            result = 0;
        }
        if (status != kStatusBusy)
            break;
    }
    return result;
}

int FirmwareTransfer::SendStep(TransferStep step, uint8_t* report, size_t length) {
    int status = 0;
    CommandReport command = TransferReports::Command(step);
    if (driver_.SetFeature(command.data(), command.size()) == 0)
        return 0;
    if (WaitForStatus(status) == 0)
        return 0;
    if (step == TransferStep::kStart && !committed_) {
        // The start parameters send the mouse into its loader: from here on only a finished
        // transfer leaves it usable, so nothing stops the transfer any more.
        if (!host_.Commit())
            return 0;
        committed_ = true;
    }
    for (int resends = 0;; ++resends) {
        if (driver_.SetFeature(report, length) == 0)
            return 0;
        if (step == TransferStep::kStart)
            clock_.SleepMs(kStepPauseMs);
        status = 0;
        const int result = WaitForStatus(status);
        // Only a status actually read as "resend" repeats the report; a failed read must not
        // leave an earlier resend standing. A mouse that never stops asking fails the step.
        if (status != kStatusResend || resends >= kMaxResends)
            return status == kStatusResend ? 0 : result;
    }
}

void FirmwareTransfer::Reconnect() {
    for (int attempt = 0; attempt < kReconnectAttempts; ++attempt) {
        clock_.SleepMs(kReconnectDelayMs);
        driver_.OpenDevMonitor(window_, kDevMonitorArrivalMessage, kDevMonitorRemovalMessage);
        if (driver_.OpenFeatureDevice() != 0)
            return;
    }
}

bool FirmwareTransfer::Stopping() {
    return !committed_ && host_.StopRequested();
}

bool FirmwareTransfer::Pause(uint32_t milliseconds) {
    if (committed_) {
        clock_.SleepMs(milliseconds);
        return true;
    }
    const uint64_t end = clock_.NowMs() + milliseconds;
    for (;;) {
        if (host_.StopRequested())
            return false;
        const uint64_t now = clock_.NowMs();
        if (now >= end)
            return true;
        clock_.SleepMs(static_cast<uint32_t>(std::min<uint64_t>(end - now, kStopCheckMs)));
    }
}

int FirmwareTransfer::RunTransfer() {
    committed_ = false;
    ParameterReport start = TransferReports::Start();
    if (Stopping() || SendStep(TransferStep::kStart, start.data(), start.size()) == 0)
        return 0;

    // The mouse leaves and comes back as its loader.
    driver_.CloseDevMonitor();
    driver_.CloseFeatureDevice();
    Reconnect();

    clock_.SleepMs(kStepPauseMs);
    ParameterReport length = TransferReports::ImageLength(image_.Length());
    if (SendStep(TransferStep::kImageLength, length.data(), length.size()) == 0)
        return 0;

    clock_.SleepMs(kStepPauseMs);
    ParameterReport prepare = TransferReports::Prepare();
    if (SendStep(TransferStep::kPrepare, prepare.data(), prepare.size()) == 0)
        return 0;

    clock_.SleepMs(kStepPauseMs);
    return SendBlocks();
}

int FirmwareTransfer::SendBlocks() {
    const size_t count = image_.BlockCount();
    for (size_t index = 0; index < count; ++index) {
        const auto blockIndex = static_cast<uint16_t>(index);
        ParameterReport header =
            TransferReports::BlockHeader(blockIndex, image_.Checksum(blockIndex));
        if (SendStep(TransferStep::kBlockHeader, header.data(), header.size()) == 0)
            return 0;
        DataReport data = TransferReports::BlockData(image_.Block(index));
        if (SendStep(TransferStep::kBlockData, data.data(), data.size()) == 0)
            return 0;
        host_.OnBlockSent(index);
    }
    return 1;
}
