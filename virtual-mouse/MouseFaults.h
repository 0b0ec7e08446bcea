#pragma once
// Faults the virtual mouse can be told to show, each off by default.

#include <cstdint>

namespace vmouse {

constexpr int kNever = -1;

struct MouseFaults {
    // Acknowledge polls of the configurator's reports answered "not yet" before the ack;
    // kNever keeps answering "not yet".
    int ackAfterPolls = 0;
    // When 0..4, the ack fault only hits image writes (header and chunk) for that slot.
    int ackFaultSlot = -1;
    // A report id whose sets and gets fail, as a device that does not know it; -1 for none.
    int rejectReportId = -1;
    // Updater status reads answered 3 (busy) after each report before the real status.
    int busyPolls = 0;
    // Updater parameter and data reports answered 4 (resend) this many times each.
    int resendTimes = 0;
    // When 0..4, the busy and resend faults only hit that updater step.
    int updaterFaultStep = -1;
    // The mouse vanishes after handling this many further reports; -1 for never. One-shot.
    int vanishAfterReports = -1;
    // How long it stays away after vanishing, in ms; 0 until it is plugged in again.
    int vanishForMs = 1000;
    // When set, vanish-after counts only from the next select command (report 0x03, byte 1 =
    // 0x02) on, which opens an Apply: the reports of a host's polls before it do not count.
    bool vanishFromSelect = false;
    // Delay of every transfer (set or get), in ms. Applied by whoever carries the reports.
    int latencyMs = 0;
};

}  // namespace vmouse

#include <string>

namespace vmouse {

// The fault names of the server's options and control command: ack-after (N or "never"),
// ack-fault-slot, reject-report, busy, resend, updater-fault-step, vanish-after, vanish-for,
// vanish-from-select (0 or 1), latency. Values are decimal or 0x-hexadecimal; -1 turns the slot,
// report or step limits off. False, with `faults` unchanged, for an unknown name or a bad value.
bool SetFault(MouseFaults& faults, const std::string& name, const std::string& value);

}  // namespace vmouse
