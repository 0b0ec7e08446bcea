#include "device/DeviceResult.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

void DefaultSink(const std::string& line) {
#ifdef _WIN32
    const std::string text = line + "\n";
    OutputDebugStringA(text.c_str());
#else
    (void)line;
#endif
}

DeviceTraceSink traceSink = DefaultSink;

}  // namespace

const char* DeviceFaultCode(DeviceFault fault) {
    switch (fault) {
        case DeviceFault::kNone:
            return "none";
        case DeviceFault::kNoMouse:
            return "no-mouse";
        case DeviceFault::kSendFailed:
            return "send-failed";
        case DeviceFault::kNoAcknowledge:
            return "no-acknowledge";
        case DeviceFault::kWrongReply:
            return "wrong-reply";
        case DeviceFault::kTimedOut:
            return "timed-out";
        case DeviceFault::kImageTooLarge:
            return "image-too-large";
    }
    return "unknown";
}

const char* DeviceFaultMessage(DeviceFault fault) {
    switch (fault) {
        case DeviceFault::kNone:
            return "done";
        case DeviceFault::kNoMouse:
            return "the mouse is not connected";
        case DeviceFault::kSendFailed:
            return "the transfer was refused";
        case DeviceFault::kNoAcknowledge:
            return "the mouse did not acknowledge the report";
        case DeviceFault::kWrongReply:
            return "the mouse's reply was not understood";
        case DeviceFault::kTimedOut:
            return "the mouse did not answer in time";
        case DeviceFault::kImageTooLarge:
            return "the profile's macros do not fit on the mouse";
    }
    return "unknown fault";
}

std::string DescribeDeviceFailure(std::string_view command, const DeviceResult& result) {
    std::string line(command);
    line += " failed: ";
    line += DeviceFaultCode(result.fault());
    line += " (";
    line += DeviceFaultMessage(result.fault());
    line += "), system code ";
    line += std::to_string(result.systemCode());
    return line;
}

void SetDeviceTraceSink(DeviceTraceSink sink) {
    traceSink = sink != nullptr ? sink : DefaultSink;
}

DeviceResult TraceDeviceResult(std::string_view command, const DeviceResult& result) {
    if (!result.ok())
        traceSink("ORVA7100 device: " + DescribeDeviceFailure(command, result));
    return result;
}
