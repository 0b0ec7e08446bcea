// The virtual mouse takes whatever its clients send: any sequence of sets and gets of any id
// and length must be answered or refused, never crash or reach past a buffer. What it accepts
// must be consistent: a get answers the report asked for, the device information it hands back
// decodes to its firmware version, an accepted chunk is what the slot then holds, an accepted
// select is the active slot.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "MouseModel.h"
#include "device/DeviceReplies.h"

namespace {

void Require(bool condition) {
    if (!condition)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int64_t now = 0;
    vmouse::MouseModel model([&now] { return now; });
    vmouse::MouseFaults faults;
    size_t position = 0;
    const auto next = [&]() -> uint8_t { return position < size ? data[position++] : 0; };
    faults.ackAfterPolls = next() % 4;
    faults.busyPolls = next() % 3;
    faults.resendTimes = next() % 3;
    faults.vanishAfterReports = static_cast<int>(next()) - 1;
    model.SetFaults(faults);
    model.Options().restartMs = 5;
    while (position < size) {
        const uint8_t op = next();
        now += op >> 5;
        static const size_t kLengths[] = {1, 8, 9, 64, 1025, 3};
        const size_t length = kLengths[(op >> 2) % 6];
        std::vector<uint8_t> report(length, 0);
        report[0] = next();
        // Ids the mouse knows are likelier than chance gives.
        static const uint8_t kIds[] = {0x03, 0x04, 0x05, 0x0A, 0x0B, 0x20, 0x21, 0x22};
        if ((report[0] & 0x80) != 0)
            report[0] = kIds[report[0] % 8];
        for (size_t i = 1; i < length && position < size && i < 12; ++i)
            report[i] = next();
        const vmouse::MouseMemory before = model.Memory();
        switch (op & 3) {
            case 0:
            case 1: {
                if (!model.SetFeature(report.data(), report.size()))
                    break;
                const vmouse::MouseMemory& after = model.Memory();
                if (report[0] == kReportImageChunk) {
                    // At most one chunk of one slot changed, and one chunk holds the report's
                    // bytes: what the mouse stored reads back as it was sent.
                    int changed = 0;
                    bool found = false;
                    for (int slot = 0; slot < vmouse::kSlotCount; ++slot) {
                        for (size_t chunk = 0; chunk < 2; ++chunk) {
                            const auto* was = before.slots[slot].data() + chunk * kChunkLength;
                            const auto* now = after.slots[slot].data() + chunk * kChunkLength;
                            changed += std::memcmp(was, now, kChunkLength) != 0 ? 1 : 0;
                            found = found || std::memcmp(now, report.data() + 1, kChunkLength) == 0;
                        }
                    }
                    Require(changed <= 1 && found);
                }
                if (after.activeSlot != before.activeSlot)
                    Require(report[0] == kReportCommand && after.activeSlot == report[1]);
                break;
            }
            case 2:
                if (!model.GetFeature(report.data(), report.size()))
                    break;
                Require(report.size() == length);
                Require(report[0] == 0x03 || report[0] == 0x04 || report[0] == 0x0A ||
                        report[0] == 0x0B || report[0] == 0x20);
                if (report[0] == kReportDeviceInfo) {
                    const std::optional<DeviceInfo> info =
                        DecodeDeviceInfo(report.data(), report.size());
                    Require(info && info->firmwareVersion ==
                                        static_cast<int16_t>(model.Memory().firmwareVersion));
                }
                if (report[0] == kReportCommand && report[1] > 1)
                    Require(DecodeActiveProfile(report.data(), report.size()) ==
                            static_cast<uint8_t>(model.Memory().activeSlot));
                break;
            default:
                if ((op & 0x10) != 0)
                    model.Plug();
                else
                    model.SwitchProfile(op % 7);
                break;
        }
        Require(model.Memory().activeSlot >= 0 && model.Memory().activeSlot < vmouse::kSlotCount);
        Require(model.FirmwareImage().size() <= vmouse::kMaxFirmwareLength);
    }
    return 0;
}
