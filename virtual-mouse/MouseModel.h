#pragma once
// The mouse's side of every feature report of the ORVA 7100: the configurator's command set
// (0x03, 0x04, 0x05, 0x0A, 0x0B) and the firmware updater's (0x20, 0x21, 0x22). Portable and
// single-threaded: the owner serialises calls and supplies the clock.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "MouseFaults.h"

namespace vmouse {

constexpr int kSlotCount = 5;
constexpr size_t kSlotSize = 2048;
constexpr size_t kChunkSize = 1024;
constexpr uint32_t kMaxFirmwareLength = 200 * 1024;
// The mouse's own side of the protocol keeps its own ids on purpose, as it keeps its own report
// layouts: it is the independent second side the programs are tested against, so it shares no
// header with them (the configurator's are in configurator/device/MouseIdentity.h).
constexpr uint16_t kVendorId = 0x04B4;
constexpr uint16_t kProductId = 0x1224;

// Updater status values.
constexpr uint8_t kStatusAccepted = 1;
constexpr uint8_t kStatusRefused = 2;
constexpr uint8_t kStatusBusy = 3;
constexpr uint8_t kStatusResend = 4;

using Slot = std::array<uint8_t, kSlotSize>;

// What the mouse keeps across power cycles.
struct MouseMemory {
    std::array<Slot, kSlotCount> slots{};
    int activeSlot = 0;
    int firmwareVersion = 109;
    int liftDistance = 12;
};

// Told about everything the mouse receives and changes; all calls come under the owner's lock.
class MouseListener {
  public:
    virtual ~MouseListener() = default;
    // A report that reached the mouse through a set (`isSet`) or was handed back through a get.
    virtual void OnReport(bool isSet, const uint8_t* report, size_t length) = 0;
    virtual void OnLog(const std::string& line) = 0;
    // The slots, active slot, firmware version or lift distance changed.
    virtual void OnMemoryChanged(const MouseMemory& memory) = 0;
    // The last block of a firmware image arrived; `image` holds exactly the announced length.
    virtual void OnFirmwareReceived(const std::vector<uint8_t>& image) = 0;
    // Plugged in or unplugged (by a command, a fault or the updater's restart).
    virtual void OnPresenceChanged(bool present) = 0;
};

struct MouseOptions {
    int surfaceCount = 300;  // what a surface capture measures
    int restartMs = 1000;    // how long the mouse is away after the updater's start step
    // Firmware version the mouse reports after a complete firmware image; -1 keeps the old one.
    int updatedFirmwareVersion = -1;
};

class MouseModel {
  public:
    using Clock = std::function<int64_t()>;  // milliseconds, monotonic

    MouseModel(Clock clock, MouseOptions options = {});

    void SetListener(MouseListener* listener) { listener_ = listener; }
    void SetMemory(const MouseMemory& memory) { memory_ = memory; }
    const MouseMemory& Memory() const { return memory_; }
    void SetFaults(const MouseFaults& faults);
    const MouseFaults& Faults() const { return faults_; }
    MouseOptions& Options() { return options_; }

    // Lets timed returns (after a vanish or the updater's restart) happen. Called before every
    // question about the mouse; cheap.
    void Tick();
    bool IsPresent();
    // Counts arrivals since the model was made; a handle opened before the latest arrival is
    // stale, as a real one is after the device came back.
    uint32_t Arrivals() const { return arrivals_; }
    void Plug();
    void Unplug();
    // The profile button on the mouse.
    bool SwitchProfile(int slot);

    // A feature report through a set: byte 0 the id, `length` its full length. False when the
    // mouse is absent or rejects the report.
    bool SetFeature(const uint8_t* report, size_t length);
    // report[0] holds the id on entry; on success the whole report is filled in.
    bool GetFeature(uint8_t* report, size_t length);

    const std::vector<uint8_t>& FirmwareImage() const { return firmware_; }

  private:
    enum class Pending { kNone, kSelectOperand };
    enum class Reply { kNone, kActiveSlot, kDeviceInfo, kSurface };

    bool Reject(const std::string& why);
    void Log(const std::string& line);
    // `report` is the report of a set, null for a get.
    void CountReport(const uint8_t* report = nullptr, size_t length = 0);
    // Unplugged; back after `forMs`, or only when plugged in again when `forMs` < 0.
    void GoAway(int forMs);
    void ArmAck(uint8_t reportId, int slot);
    void MemoryChanged();

    // A set of a report id the mouse knows, at its length.
    bool SetKnownReport(const uint8_t* report, size_t length);
    bool SetCommand(const uint8_t* report);
    bool SetImageHeader(const uint8_t* report);
    bool SetImageChunk(const uint8_t* report);
    bool SetLift(const uint8_t* report);
    bool SetSurface(const uint8_t* report);
    bool SetUpdaterCommand(const uint8_t* report);
    bool SetUpdaterFollowing(const uint8_t* report, size_t length);
    uint8_t ApplyUpdaterFollowing(const uint8_t* report);
    void GetAck(uint8_t* report);
    void GetUpdaterStatus(uint8_t* report);

    Clock clock_;
    MouseOptions options_;
    MouseListener* listener_ = nullptr;
    MouseMemory memory_;
    MouseFaults faults_;

    bool present_ = true;
    int64_t returnAt_ = -1;  // when a vanished mouse comes back; -1 never by itself
    uint32_t arrivals_ = 1;
    int reportsSinceFault_ = 0;
    bool vanishCounting_ = false;  // with vanishFromSelect: the select has come

    // Configurator side.
    Pending pending_ = Pending::kNone;
    uint8_t ackId_ = 0;     // report id whose acknowledge is due, 0 for none
    int ackPollsLeft_ = 0;  // "not yet" answers still to give; kNever for always
    Reply replyAfterAck_ = Reply::kNone;
    Reply reply_ = Reply::kNone;  // what the next get of its report hands back
    bool headerValid_ = false;
    uint16_t headerLength_ = 0;
    uint8_t headerChunk_ = 0;
    uint8_t headerSlot_ = 0;
    bool surfaceCaptured_ = false;

    // Updater side.
    int updaterStep_ = -1;  // step of the last accepted command, -1 for none
    bool expectFollowing_ = false;
    uint8_t status_ = 0;
    int busyLeft_ = 0;
    int resendLeft_ = 0;
    bool restartAfterStatus_ = false;
    bool started_ = false;  // step 0 done: the mouse runs its loader
    bool lengthKnown_ = false;
    bool prepared_ = false;
    uint32_t firmwareLength_ = 0;
    int blockIndex_ = -1;
    uint16_t blockChecksum_ = 0;
    std::vector<uint8_t> blocks_;
    std::vector<bool> received_;
    std::vector<uint8_t> firmware_;
};

}  // namespace vmouse
