#include "MouseFaults.h"

#include <cerrno>
#include <cstdlib>

namespace vmouse {

namespace {

bool ParseNumber(const std::string& text, long min, long max, int& value) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 0);
    if (errno != 0 || *end != '\0' || parsed < min || parsed > max)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

}  // namespace

bool SetFault(MouseFaults& faults, const std::string& name, const std::string& value) {
    constexpr long kMaxCount = 1000000;
    constexpr long kMaxMs = 600000;
    if (name == "ack-after") {
        if (value == "never") {
            faults.ackAfterPolls = kNever;
            return true;
        }
        return ParseNumber(value, 0, kMaxCount, faults.ackAfterPolls);
    }
    if (name == "ack-fault-slot")
        return ParseNumber(value, -1, 4, faults.ackFaultSlot);
    if (name == "reject-report")
        return ParseNumber(value, -1, 255, faults.rejectReportId);
    if (name == "busy")
        return ParseNumber(value, 0, kMaxCount, faults.busyPolls);
    if (name == "resend")
        return ParseNumber(value, 0, kMaxCount, faults.resendTimes);
    if (name == "updater-fault-step")
        return ParseNumber(value, -1, 4, faults.updaterFaultStep);
    if (name == "vanish-after")
        return ParseNumber(value, -1, kMaxCount, faults.vanishAfterReports);
    if (name == "vanish-from-select") {
        int on = 0;
        if (!ParseNumber(value, 0, 1, on))
            return false;
        faults.vanishFromSelect = on == 1;
        return true;
    }
    if (name == "vanish-for")
        return ParseNumber(value, 0, kMaxMs, faults.vanishForMs);
    if (name == "latency")
        return ParseNumber(value, 0, 10000, faults.latencyMs);
    return false;
}

}  // namespace vmouse
