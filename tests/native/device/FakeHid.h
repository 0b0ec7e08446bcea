#pragma once
// Test doubles of the device link's platform: HID interfaces where one may be the virtual
// mouse's model (in process), a clock that only counts, and a record of every report.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "MouseModel.h"
#include "Transcript.h"
#include "device/DeviceClock.h"
#include "device/HidTransport.h"

class CountingClock : public DeviceClock {
  public:
    void SleepMs(int ms) override {
        ++sleeps;
        sleptMs += ms;
        now += ms;
    }
    int64_t NowMs() override { return now; }
    int sleeps = 0;
    int sleptMs = 0;
    int64_t now = 0;
};

struct FakeInterface {
    std::u16string path;
    uint16_t vendorId = 0x04B4;
    uint16_t productId = 0x1224;
    bool opens = true;
    bool isModel = true;  // reports go to the model
};

// Every report the model receives or hands back, as transcript lines without the newline.
class ReportLog : public vmouse::MouseListener {
  public:
    void OnReport(bool isSet, const uint8_t* report, size_t length) override {
        std::string line = vmouse::TranscriptLine(isSet, report, length);
        line.pop_back();
        lines.push_back(line);
    }
    void OnLog(const std::string&) override {}
    void OnMemoryChanged(const vmouse::MouseMemory&) override {}
    void OnFirmwareReceived(const std::vector<uint8_t>&) override {}
    void OnPresenceChanged(bool) override {}

    // Only the SET lines, in order.
    std::vector<std::string> Sets() const {
        std::vector<std::string> sets;
        for (const std::string& line : lines) {
            if (line.rfind("SET ", 0) == 0)
                sets.push_back(line);
        }
        return sets;
    }
    std::vector<std::string> lines;
};

class FakeTransport : public HidTransport {
  public:
    // The system's error code a refused set carries, as a driver's would.
    static constexpr uint32_t kRefusedCode = 31;

    FakeTransport() : model([this] { return clock.now; }) { model.SetListener(&log); }

    std::vector<std::u16string> ListInterfaces() override {
        ++listCalls;
        std::vector<std::u16string> paths;
        for (const FakeInterface& entry : interfaces) {
            if (!entry.isModel || model.IsPresent())
                paths.push_back(entry.path);
        }
        return paths;
    }
    HidHandle Open(const std::u16string& path) override {
        for (const FakeInterface& entry : interfaces) {
            if (entry.path == path && entry.opens) {
                const HidHandle handle = nextHandle++;
                openHandles[handle] = &entry - interfaces.data();
                return handle;
            }
        }
        return kNoHandle;
    }
    bool GetIds(HidHandle handle, uint16_t& vendorId, uint16_t& productId) override {
        const FakeInterface* entry = Find(handle);
        if (entry == nullptr)
            return false;
        vendorId = entry->vendorId;
        productId = entry->productId;
        return true;
    }
    DeviceResult SetFeature(HidHandle handle, const uint8_t* report, size_t length) override {
        const FakeInterface* entry = Find(handle);
        if (entry == nullptr || !entry->isModel)
            return DeviceFault::kNoMouse;
        if (refuseSet && refuseSet(std::vector<uint8_t>(report, report + length))) {
            log.lines.push_back("REFUSED");
            return {DeviceFault::kSendFailed, kRefusedCode};
        }
        if (!AnswersInTime())
            return DeviceFault::kTimedOut;
        return ModelAnswer(model.SetFeature(report, length));
    }
    DeviceResult GetFeature(HidHandle handle, uint8_t* report, size_t length) override {
        const FakeInterface* entry = Find(handle);
        if (entry == nullptr || !entry->isModel)
            return DeviceFault::kNoMouse;
        if (!AnswersInTime())
            return DeviceFault::kTimedOut;
        return ModelAnswer(model.GetFeature(report, length));
    }
    // The model refuses a report it does not take, and every report while unplugged.
    DeviceResult ModelAnswer(bool taken) {
        if (taken)
            return DeviceResult::Ok();
        return model.IsPresent() ? DeviceFault::kSendFailed : DeviceFault::kNoMouse;
    }
    // A mouse slower than the transfer limit: the transfer waits out the limit and fails.
    bool AnswersInTime() {
        if (answerAfterMs <= TransferLimitMs())
            return true;
        clock.now += TransferLimitMs();
        ++timedOut;
        return false;
    }
    void Close(HidHandle handle) override {
        ++closeCalls;
        openHandles.erase(handle);
    }
    std::vector<std::u16string> ProcessNames() override { return processes; }

    // Two plain HID devices of the system, then the mouse.
    void AddUsualInterfaces() {
        interfaces.push_back(
            {u"\\\\?\\hid#vid_845e&pid_0001#keyboard", 0x845E, 0x0001, true, false});
        interfaces.push_back({u"\\\\?\\hid#vid_845e&pid_0002#mouse", 0x845E, 0x0002, true, false});
        interfaces.push_back({u"\\\\?\\HID#VID_04B4&PID_1224#mouse", 0x04B4, 0x1224, true, true});
    }

    const FakeInterface* Find(HidHandle handle) const {
        const auto it = openHandles.find(handle);
        return it == openHandles.end() ? nullptr : &interfaces[it->second];
    }

    CountingClock clock;
    ReportLog log;
    vmouse::MouseModel model;
    std::vector<FakeInterface> interfaces;
    std::vector<std::u16string> processes = {u"explorer.exe", u"ORVA7100.exe"};
    std::map<HidHandle, size_t> openHandles;
    std::function<bool(const std::vector<uint8_t>&)> refuseSet;
    HidHandle nextHandle = 100;
    int listCalls = 0;
    int closeCalls = 0;
    int answerAfterMs = 0;
    int timedOut = 0;
};
