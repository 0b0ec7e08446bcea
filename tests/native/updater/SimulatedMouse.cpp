#include "SimulatedMouse.h"

#include <algorithm>
#include <cstdio>

std::string Hex(const uint8_t* bytes, size_t count) {
    std::string text;
    char piece[4];
    for (size_t i = 0; i < count; ++i) {
        std::snprintf(piece, sizeof piece, i == 0 ? "%02X" : " %02X", bytes[i]);
        text += piece;
    }
    return text;
}

void SimulatedMouse::OpenDevMonitor(WindowHandle window, unsigned arrival, unsigned removal) {
    monitorWindow = window;
    monitorMessages[0] = arrival;
    monitorMessages[1] = removal;
    calls.push_back({"open-monitor", {}, clock_.now});
}

int SimulatedMouse::OpenFeatureDevice() {
    calls.push_back({"open", {}, clock_.now});
    if (!open && returnAfterMs >= 0 &&
        clock_.now >= closedAt + static_cast<uint64_t>(returnAfterMs))
        open = true;
    return open ? 1 : 0;
}

bool SimulatedMouse::CountCall() {
    const bool fail = failFromCall >= 0 && deviceCalls_ >= failFromCall;
    ++deviceCalls_;
    return open && !fail;
}

int SimulatedMouse::SetFeature(uint8_t* report, size_t length) {
    calls.push_back({"set", std::vector<uint8_t>(report, report + length), clock_.now});
    return CountCall() ? 1 : 0;
}

int SimulatedMouse::GetFeature(uint8_t* report, size_t length) {
    calls.push_back({"get", std::vector<uint8_t>(report, report + length), clock_.now});
    if (!CountCall() || length < 2)
        return 0;
    int status = 1;
    if (statusRule) {
        status = statusRule(calls);
    } else if (!statuses.empty()) {
        status = statuses.front();
        statuses.pop_front();
    }
    if (status < 0)
        return 0;
    report[1] = static_cast<uint8_t>(status);
    return 1;
}

void SimulatedMouse::CloseDevMonitor() {
    calls.push_back({"close-monitor", {}, clock_.now});
}

void SimulatedMouse::CloseFeatureDevice() {
    calls.push_back({"close", {}, clock_.now});
    open = false;
    closedAt = clock_.now;
}

std::vector<std::string> SimulatedMouse::SetReports(size_t prefix) const {
    std::vector<std::string> reports;
    for (const DriverCall& call : calls) {
        if (call.what == "set")
            reports.push_back(Hex(call.bytes.data(), std::min(prefix, call.bytes.size())));
    }
    return reports;
}

std::vector<uint8_t> SimulatedMouse::ReceivedData() const {
    std::vector<uint8_t> data;
    for (const DriverCall& call : calls) {
        if (call.what == "set" && call.bytes.size() == 1025 && call.bytes[0] == 0x22)
            data.insert(data.end(), call.bytes.begin() + 1, call.bytes.end());
    }
    return data;
}
