#pragma once
// Sends a firmware image to the mouse: start, image length, prepare, then a header and a data
// report for every block, each report acknowledged by the mouse through the status report.

#include <cstddef>
#include <cstdint>

#include "logic/Clock.h"
#include "logic/DriverLibrary.h"
#include "logic/FirmwareImage.h"
#include "logic/TransferHost.h"
#include "logic/TransferReports.h"

// Status byte values of the status report.
constexpr int kStatusAccepted = 1;
constexpr int kStatusBusy = 3;
constexpr int kStatusResend = 4;

class FirmwareTransfer {
  public:
    // Polls of one acknowledgement, and the wait before each of them.
    static constexpr int kMaxPolls = 20;
    static uint32_t PollDelayMs(int poll);
    // The mouse restarts into its loader after the start step; it is looked for again this
    // often, this long apart.
    static constexpr int kReconnectAttempts = 5;
    static constexpr uint32_t kReconnectDelayMs = 10000;
    // The mouse needs this pause after the start parameters and between the later steps.
    static constexpr uint32_t kStepPauseMs = 500;
    // A mouse that keeps asking for the same report again is given up on after this many
    // repeats, so that a committed transfer always ends.
    static constexpr int kMaxResends = 100;

    FirmwareTransfer(IDriverLibrary& driver, IClock& clock, const FirmwareImage& image,
                     WindowHandle window, ITransferHost& host);

    // Polls the status report until the mouse is no longer busy. Nonzero when it accepted;
    // `status` keeps the last status read (unchanged when a read failed).
    int WaitForStatus(int& status);
    // Sends the step's command report, then its following report until the mouse stops asking
    // for it again. Nonzero when both were accepted. The start step commits the transfer
    // before its parameters go out.
    int SendStep(TransferStep step, uint8_t* report, size_t length);
    // The whole sequence. Nonzero on success; 0 at the first failure, or when asked to stop
    // before the transfer committed. Once committed it is never stopped half way.
    int RunTransfer();
    bool Committed() const { return committed_; }

  private:
    int SendBlocks();
    void Reconnect();
    // Before the commit: a stop request was made.
    bool Stopping();
    // Waits; before the commit a stop request cuts the wait short and gives false.
    bool Pause(uint32_t milliseconds);

    IDriverLibrary& driver_;
    IClock& clock_;
    const FirmwareImage& image_;
    WindowHandle window_;
    ITransferHost& host_;
    bool committed_ = false;
};
