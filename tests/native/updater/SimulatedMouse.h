#pragma once
// A simulated clock and a scripted mouse behind the driver library calls, so the real transfer
// runs in simulated time and every call it makes is recorded.

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "logic/Clock.h"
#include "logic/DriverLibrary.h"
#include "logic/TransferHost.h"

class SimulatedClock : public IClock {
  public:
    uint64_t NowMs() override { return now; }
    void SleepMs(uint32_t milliseconds) override {
        now += milliseconds;
        slept += milliseconds;
    }
    uint64_t now = 0;
    uint64_t slept = 0;
};

// One call the transfer made, with the simulated time it was made at.
struct DriverCall {
    std::string what;            // "set", "get", "open-monitor", "open", "close-monitor", "close"
    std::vector<uint8_t> bytes;  // the report sent, for "set"
    uint64_t at = 0;
};

class SimulatedMouse : public IDriverLibrary {
  public:
    explicit SimulatedMouse(SimulatedClock& clock) : clock_(clock) {}

    void OpenDevMonitor(WindowHandle window, unsigned arrival, unsigned removal) override;
    int OpenFeatureDevice() override;
    int SetFeature(uint8_t* report, size_t length) override;
    int GetFeature(uint8_t* report, size_t length) override;
    void CloseDevMonitor() override;
    void CloseFeatureDevice() override;

    // Statuses answered to the next reads, in order; 1 (accepted) once they run out.
    std::deque<int> statuses;
    // Decides the status of each read from the calls so far (a negative status fails the
    // read); overrides `statuses`.
    std::function<int(const std::vector<DriverCall>&)> statusRule;
    // Reads and sends fail from this call number on (counted over set and get); -1 never.
    int failFromCall = -1;
    // After the device is closed, it can be opened again once this much time has passed;
    // a negative value means it never comes back.
    int64_t returnAfterMs = 3000;

    bool open = true;
    uint64_t closedAt = 0;
    std::vector<DriverCall> calls;
    WindowHandle monitorWindow = nullptr;
    unsigned monitorMessages[2] = {0, 0};

    // The "set" calls only, as hex strings of their first `prefix` bytes.
    std::vector<std::string> SetReports(size_t prefix = 9) const;
    // The data of every block sent, concatenated.
    std::vector<uint8_t> ReceivedData() const;

  private:
    bool CountCall();
    SimulatedClock& clock_;
    int deviceCalls_ = 0;
};

// Asks for a stop once `stopWhen` says so; refuses the commit when a stop came first, as the
// updater's worker does.
class RecordingHost : public ITransferHost {
  public:
    void OnBlockSent(size_t index) override { progress.push_back(index); }
    bool StopRequested() override { return stopWhen ? stopWhen() : false; }
    bool Commit() override {
        committed = !StopRequested();
        return committed;
    }
    std::vector<size_t> progress;
    std::function<bool()> stopWhen;
    bool committed = false;
};

std::string Hex(const uint8_t* bytes, size_t count);
