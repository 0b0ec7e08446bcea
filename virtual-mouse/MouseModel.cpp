#include "MouseModel.h"

#include <cstdio>
#include <cstring>
#include <utility>

namespace vmouse {

namespace {

constexpr uint8_t kReportCommand = 0x03;
constexpr uint8_t kReportDeviceInfo = 0x04;
constexpr uint8_t kReportImageChunk = 0x05;
constexpr uint8_t kReportLift = 0x0A;
constexpr uint8_t kReportSurface = 0x0B;
constexpr uint8_t kReportUpdaterCommand = 0x20;
constexpr uint8_t kReportUpdaterParameter = 0x21;
constexpr uint8_t kReportUpdaterData = 0x22;

constexpr uint8_t kSubImageHeader = 0x00;
constexpr uint8_t kSubSelect = 0x02;
constexpr uint8_t kSubQueryActive = 0x03;
constexpr uint8_t kSubDeviceInfo = 0x04;

constexpr size_t kShortReport = 8;
constexpr size_t kInfoReport = 64;
constexpr size_t kChunkReport = 1 + kChunkSize;
constexpr size_t kParameterReport = 9;
constexpr int kMinImageLength = 179;  // the fixed part of every image

constexpr uint8_t kStartParameter[8] = {0x5A, 0xA5, 0x32, 0x10, 0x03, 0xCB, 0x00, 0x01};
constexpr uint8_t kLoaderSignature[4] = {0x5A, 0xA5, 0x22, 0x88};

std::string Hex(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value & 0xFFu);
    return text;
}

uint16_t Le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// The commands of the configurator and the updater: short reports both ways.
bool IsCommandReport(uint8_t id) {
    return id == kReportCommand || id == kReportLift || id == kReportSurface ||
           id == kReportUpdaterCommand;
}

// The length every report id has; 0 for ids the mouse does not know in that direction.
size_t SetLength(uint8_t id) {
    if (IsCommandReport(id))
        return kShortReport;
    switch (id) {
        case kReportImageChunk:
        case kReportUpdaterData:
            return kChunkReport;
        case kReportUpdaterParameter:
            return kParameterReport;
        default:
            return 0;
    }
}

size_t GetLength(uint8_t id) {
    if (IsCommandReport(id))
        return kShortReport;
    return id == kReportDeviceInfo ? kInfoReport : 0;
}

}  // namespace

MouseModel::MouseModel(Clock clock, MouseOptions options)
    : clock_(std::move(clock)), options_(options) {}

void MouseModel::SetFaults(const MouseFaults& faults) {
    faults_ = faults;
    reportsSinceFault_ = 0;
    vanishCounting_ = false;
}

void MouseModel::Log(const std::string& line) {
    if (listener_ != nullptr)
        listener_->OnLog(line);
}

bool MouseModel::Reject(const std::string& why) {
    Log("rejected: " + why);
    return false;
}

void MouseModel::MemoryChanged() {
    if (listener_ != nullptr)
        listener_->OnMemoryChanged(memory_);
}

void MouseModel::Tick() {
    if (!present_ && returnAt_ >= 0 && clock_() >= returnAt_)
        Plug();
}

bool MouseModel::IsPresent() {
    Tick();
    return present_;
}

void MouseModel::Plug() {
    if (present_)
        return;
    present_ = true;
    returnAt_ = -1;
    ++arrivals_;
    // A fresh start forgets every exchange in progress; the memory and the loader state stay.
    pending_ = Pending::kNone;
    ackId_ = 0;
    replyAfterAck_ = Reply::kNone;
    reply_ = Reply::kNone;
    headerValid_ = false;
    surfaceCaptured_ = false;
    expectFollowing_ = false;
    status_ = 0;
    busyLeft_ = 0;
    resendLeft_ = 0;
    restartAfterStatus_ = false;
    Log("plugged in");
    if (listener_ != nullptr)
        listener_->OnPresenceChanged(true);
}

void MouseModel::Unplug() {
    returnAt_ = -1;
    if (!present_)
        return;
    present_ = false;
    Log("unplugged");
    if (listener_ != nullptr)
        listener_->OnPresenceChanged(false);
}

void MouseModel::GoAway(int forMs) {
    Unplug();
    returnAt_ = forMs >= 0 ? clock_() + forMs : -1;
}

bool MouseModel::SwitchProfile(int slot) {
    if (slot < 0 || slot >= kSlotCount)
        return false;
    memory_.activeSlot = slot;
    Log("profile button: slot " + std::to_string(slot));
    MemoryChanged();
    return true;
}

void MouseModel::CountReport(const uint8_t* report, size_t length) {
    if (faults_.vanishAfterReports < 0)
        return;
    if (faults_.vanishFromSelect && !vanishCounting_) {
        if (report == nullptr || length < 2 || report[0] != kReportCommand ||
            report[1] != kSubSelect)
            return;
        vanishCounting_ = true;
    }
    if (++reportsSinceFault_ >= faults_.vanishAfterReports) {
        faults_.vanishAfterReports = -1;
        GoAway(faults_.vanishForMs > 0 ? faults_.vanishForMs : -1);
    }
}

void MouseModel::ArmAck(uint8_t reportId, int slot) {
    ackId_ = reportId;
    replyAfterAck_ = Reply::kNone;
    reply_ = Reply::kNone;
    const bool faulty = faults_.ackFaultSlot < 0 || faults_.ackFaultSlot == slot;
    ackPollsLeft_ = faulty ? faults_.ackAfterPolls : 0;
}

bool MouseModel::SetFeature(const uint8_t* report, size_t length) {
    Tick();
    if (!present_ || report == nullptr || length == 0)
        return false;
    if (listener_ != nullptr)
        listener_->OnReport(true, report, length);
    const uint8_t id = report[0];
    bool ok = false;
    if (id == faults_.rejectReportId) {
        ok = Reject("set of report " + Hex(id) + " (fault)");
    } else if (SetLength(id) == 0) {
        ok = Reject("set of unknown report " + Hex(id));
    } else if (length != SetLength(id)) {
        ok = Reject("set of report " + Hex(id) + " with length " + std::to_string(length));
    } else {
        ok = SetKnownReport(report, length);
    }
    CountReport(report, length);
    return ok;
}

bool MouseModel::SetKnownReport(const uint8_t* report, size_t length) {
    switch (report[0]) {
        case kReportCommand:
            return SetCommand(report);
        case kReportImageChunk:
            return SetImageChunk(report);
        case kReportLift:
            return SetLift(report);
        case kReportSurface:
            return SetSurface(report);
        case kReportUpdaterCommand:
            return SetUpdaterCommand(report);
        default:
            return SetUpdaterFollowing(report, length);
    }
}

bool MouseModel::SetCommand(const uint8_t* report) {
    if (pending_ == Pending::kSelectOperand) {
        // The report after a select carries the slot in byte 1.
        pending_ = Pending::kNone;
        if (report[1] >= kSlotCount)
            return Reject("select of slot " + std::to_string(report[1]));
        memory_.activeSlot = report[1];
        Log("selected slot " + std::to_string(report[1]));
        MemoryChanged();
        ArmAck(kReportCommand, -1);
        return true;
    }
    switch (report[1]) {
        case kSubImageHeader:
            return SetImageHeader(report);
        case kSubSelect:
            pending_ = Pending::kSelectOperand;
            ArmAck(kReportCommand, -1);
            return true;
        case kSubQueryActive:
            ArmAck(kReportCommand, -1);
            replyAfterAck_ = Reply::kActiveSlot;
            return true;
        case kSubDeviceInfo:
            ArmAck(kReportCommand, -1);
            replyAfterAck_ = Reply::kDeviceInfo;
            return true;
        default:
            return Reject("unknown command " + Hex(report[1]) + " in report 0x03");
    }
}

bool MouseModel::SetImageHeader(const uint8_t* report) {
    headerValid_ = false;
    const uint16_t length = Le16(report + 2);
    const uint8_t chunk = report[4];
    const uint8_t slot = report[5];
    if (slot >= kSlotCount)
        return Reject("image header for slot " + std::to_string(slot));
    if (length < kMinImageLength || length > kSlotSize)
        return Reject("image header with length " + std::to_string(length));
    if (chunk > 1 || (chunk == 1 && length <= kChunkSize))
        return Reject("image header for chunk " + std::to_string(chunk) + " of length " +
                      std::to_string(length));
    headerValid_ = true;
    headerLength_ = length;
    headerChunk_ = chunk;
    headerSlot_ = slot;
    ArmAck(kReportCommand, slot);
    return true;
}

bool MouseModel::SetImageChunk(const uint8_t* report) {
    if (!headerValid_)
        return Reject("image chunk without a header");
    headerValid_ = false;
    std::memcpy(memory_.slots[headerSlot_].data() + headerChunk_ * kChunkSize, report + 1,
                kChunkSize);
    Log("slot " + std::to_string(headerSlot_) + " chunk " + std::to_string(headerChunk_) +
        " written (image length " + std::to_string(headerLength_) + ")");
    MemoryChanged();
    ArmAck(kReportCommand, headerSlot_);
    return true;
}

bool MouseModel::SetLift(const uint8_t* report) {
    if (report[1] == 0) {
        Log("lift distance " + std::to_string(report[2]) + " on trial");
    } else if (report[1] == 1) {
        memory_.liftDistance = report[2];
        Log("lift distance " + std::to_string(report[2]) + " stored");
        MemoryChanged();
    } else {
        return Reject("unknown lift command " + Hex(report[1]));
    }
    ArmAck(kReportLift, -1);
    return true;
}

bool MouseModel::SetSurface(const uint8_t* report) {
    if (report[1] == 0) {
        surfaceCaptured_ = true;
        ArmAck(kReportSurface, -1);
        return true;
    }
    if (report[1] == 1) {
        // The read is answered by the next get, without an acknowledge.
        ackId_ = 0;
        reply_ = Reply::kSurface;
        return true;
    }
    return Reject("unknown surface command " + Hex(report[1]));
}

bool MouseModel::SetUpdaterCommand(const uint8_t* report) {
    const int step = report[5];
    const bool faulty = faults_.updaterFaultStep < 0 || faults_.updaterFaultStep == step;
    busyLeft_ = faulty ? faults_.busyPolls : 0;
    resendLeft_ = faulty ? faults_.resendTimes : 0;
    expectFollowing_ = false;
    status_ = kStatusRefused;
    const uint16_t following = Le16(report + 2);
    if (report[1] != 0x06 || report[4] != 0 || report[6] != 0 || report[7] != 0 || step > 4 ||
        following != (step == 4 ? kChunkReport : kParameterReport)) {
        Log("refused: malformed updater command");
        return true;
    }
    // The loader takes the steps in order only.
    const bool inOrder = step == 0 || (step == 1 && started_) || (step == 2 && lengthKnown_) ||
                         (step == 3 && prepared_) || (step == 4 && blockIndex_ >= 0);
    if (!inOrder) {
        Log("refused: updater step " + std::to_string(step) + " out of order");
        return true;
    }
    updaterStep_ = step;
    expectFollowing_ = true;
    status_ = kStatusAccepted;
    return true;
}

bool MouseModel::SetUpdaterFollowing(const uint8_t* report, size_t length) {
    const bool wantsData = updaterStep_ == 4;
    if (!expectFollowing_ || wantsData != (length == kChunkReport))
        return Reject("updater report " + Hex(report[0]) + " without its command");
    const bool faulty = faults_.updaterFaultStep < 0 || faults_.updaterFaultStep == updaterStep_;
    busyLeft_ = faulty ? faults_.busyPolls : 0;
    if (resendLeft_ > 0) {
        --resendLeft_;
        status_ = kStatusResend;
        return true;
    }
    expectFollowing_ = false;
    status_ = ApplyUpdaterFollowing(report);
    if (status_ != kStatusAccepted)
        Log("refused: updater step " + std::to_string(updaterStep_) + " report");
    return true;
}

uint8_t MouseModel::ApplyUpdaterFollowing(const uint8_t* report) {
    const uint32_t blockCount =
        (firmwareLength_ + static_cast<uint32_t>(kChunkSize) - 1) / kChunkSize;
    switch (updaterStep_) {
        case 0:
            if (std::memcmp(report + 1, kStartParameter, sizeof kStartParameter) != 0)
                return kStatusRefused;
            // The mouse restarts into its loader once the host has read the status.
            started_ = true;
            lengthKnown_ = false;
            prepared_ = false;
            blockIndex_ = -1;
            restartAfterStatus_ = true;
            Log("updater: start, restarting into the loader");
            return kStatusAccepted;
        case 1: {
            const uint32_t length = Le32(report + 1);
            if (std::memcmp(report + 5, kLoaderSignature, 4) != 0 || length > kMaxFirmwareLength)
                return kStatusRefused;
            firmwareLength_ = length;
            lengthKnown_ = true;
            prepared_ = false;
            Log("updater: image length " + std::to_string(length));
            return kStatusAccepted;
        }
        case 2: {
            for (int i = 2; i <= 8; ++i) {
                if (report[i] != 0)
                    return kStatusRefused;
            }
            if (report[1] != 0xEC)
                return kStatusRefused;
            blocks_.assign(blockCount * kChunkSize, 0);
            received_.assign(blockCount, false);
            prepared_ = true;
            blockIndex_ = -1;
            Log("updater: prepared for " + std::to_string(blockCount) + " blocks");
            if (blockCount == 0) {
                firmware_.clear();
                if (listener_ != nullptr)
                    listener_->OnFirmwareReceived(firmware_);
            }
            return kStatusAccepted;
        }
        case 3: {
            const uint16_t index = Le16(report + 1);
            if (std::memcmp(report + 5, kLoaderSignature, 4) != 0 || index >= blockCount)
                return kStatusRefused;
            blockIndex_ = index;
            blockChecksum_ = Le16(report + 3);
            return kStatusAccepted;
        }
        default: {
            uint32_t sum = 0;
            for (size_t i = 1; i <= kChunkSize; ++i)
                sum += report[i];
            const int index = blockIndex_;
            blockIndex_ = -1;
            if (static_cast<uint16_t>(sum) != blockChecksum_) {
                Log("updater: checksum mismatch in block " + std::to_string(index));
                return kStatusRefused;
            }
            std::memcpy(blocks_.data() + index * kChunkSize, report + 1, kChunkSize);
            received_[index] = true;
            for (bool got : received_) {
                if (!got)
                    return kStatusAccepted;
            }
            firmware_.assign(blocks_.begin(), blocks_.begin() + firmwareLength_);
            Log("updater: firmware image of " + std::to_string(firmwareLength_) +
                " bytes received");
            if (listener_ != nullptr)
                listener_->OnFirmwareReceived(firmware_);
            if (options_.updatedFirmwareVersion >= 0) {
                memory_.firmwareVersion = options_.updatedFirmwareVersion;
                MemoryChanged();
            }
            return kStatusAccepted;
        }
    }
}

void MouseModel::GetAck(uint8_t* report) {
    if (ackPollsLeft_ == kNever)
        return;
    if (ackPollsLeft_ > 0) {
        --ackPollsLeft_;
        return;
    }
    report[1] = 1;
    ackId_ = 0;
    reply_ = replyAfterAck_;
    replyAfterAck_ = Reply::kNone;
}

void MouseModel::GetUpdaterStatus(uint8_t* report) {
    if (busyLeft_ > 0) {
        --busyLeft_;
        report[1] = kStatusBusy;
        return;
    }
    report[1] = status_;
}

bool MouseModel::GetFeature(uint8_t* report, size_t length) {
    Tick();
    if (!present_ || report == nullptr || length == 0)
        return false;
    const uint8_t id = report[0];
    if (id == faults_.rejectReportId) {
        Reject("get of report " + Hex(id) + " (fault)");
        CountReport();
        return false;
    }
    if (GetLength(id) == 0 || GetLength(id) != length) {
        Reject("get of report " + Hex(id) + " with length " + std::to_string(length));
        CountReport();
        return false;
    }
    std::memset(report, 0, length);
    report[0] = id;
    bool restart = false;
    switch (id) {
        case kReportCommand:
            if (ackId_ == kReportCommand) {
                GetAck(report);
            } else if (reply_ == Reply::kActiveSlot) {
                report[1] = static_cast<uint8_t>(memory_.activeSlot);
                reply_ = Reply::kNone;
            }
            break;
        case kReportDeviceInfo: {
            const auto version = static_cast<uint16_t>(memory_.firmwareVersion);
            report[1] = static_cast<uint8_t>(version & 0xFF);
            report[2] = static_cast<uint8_t>(version >> 8);
            if (reply_ == Reply::kDeviceInfo)
                reply_ = Reply::kNone;
            break;
        }
        case kReportLift:
            if (ackId_ == kReportLift)
                GetAck(report);
            break;
        case kReportSurface:
            if (ackId_ == kReportSurface) {
                GetAck(report);
            } else if (reply_ == Reply::kSurface) {
                reply_ = Reply::kNone;
                if (surfaceCaptured_) {
                    const auto count = static_cast<uint32_t>(options_.surfaceCount);
                    report[1] = 1;
                    for (int i = 0; i < 4; ++i)
                        report[2 + i] = static_cast<uint8_t>(count >> (8 * i));
                }
            }
            break;
        default:
            GetUpdaterStatus(report);
            if (restartAfterStatus_ && report[1] == kStatusAccepted) {
                restartAfterStatus_ = false;
                restart = true;
            }
            break;
    }
    if (listener_ != nullptr)
        listener_->OnReport(false, report, length);
    if (restart)
        GoAway(options_.restartMs);
    CountReport();
    return true;
}

}  // namespace vmouse
