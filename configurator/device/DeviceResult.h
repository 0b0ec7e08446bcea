#pragma once
// What became of one exchange with the mouse: done, or the first thing that went wrong and the
// system's own error code for it (GetLastError on Windows, errno on Linux, 0 when there is
// none). The users' messages stay with the callers; the cause goes to the trace and the CLI.

#include <cstdint>
#include <string>
#include <string_view>

enum class DeviceFault : uint8_t {
    kNone,
    kNoMouse,        // no mouse found, or it went away
    kSendFailed,     // the system or the mouse refused the transfer
    kNoAcknowledge,  // the mouse answered, but never said done
    kWrongReply,     // a reply that does not decode
    kTimedOut,       // no answer within the transfer's time limit
    kImageTooLarge,  // the profile's macros do not fit its image; nothing was sent
};

class DeviceResult {
  public:
    DeviceResult() = default;
    // Implicit, so that a command can return a fault as it is.
    DeviceResult(DeviceFault fault, uint32_t systemCode = 0)
        : fault_(fault), systemCode_(systemCode) {}
    static DeviceResult Ok() { return {}; }

    bool ok() const { return fault_ == DeviceFault::kNone; }
    explicit operator bool() const { return ok(); }
    DeviceFault fault() const { return fault_; }
    uint32_t systemCode() const { return systemCode_; }

  private:
    DeviceFault fault_ = DeviceFault::kNone;
    uint32_t systemCode_ = 0;
};

// A short stable code ("timed-out", "no-acknowledge", ...): scripts rely on it.
const char* DeviceFaultCode(DeviceFault fault);
// One plain sentence about the fault, for traces and the command line.
const char* DeviceFaultMessage(DeviceFault fault);

// "COMMAND failed: CODE (MESSAGE), system code N": one trace line.
std::string DescribeDeviceFailure(std::string_view command, const DeviceResult& result);

// Where the trace lines of failed commands go. By default the debugger's output on Windows and
// nowhere elsewhere; a test or a tool may take them. Not thread-safe: set it before use.
using DeviceTraceSink = void (*)(const std::string& line);
void SetDeviceTraceSink(DeviceTraceSink sink);
// Passes `result` through; a failure leaves one line in the trace first.
DeviceResult TraceDeviceResult(std::string_view command, const DeviceResult& result);
