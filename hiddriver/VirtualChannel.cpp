#include "VirtualChannel.h"

bool CVirtualChannel::Open() {
    open_ = false;
    client_.SetTimeout(kTransferTimeoutMs);
    if (!client_.IsConnected() && !client_.Connect(hostPort_))
        return false;
    bool present = false;
    uint32_t arrivals = 0;
    if (!client_.QueryPresence(present, arrivals) || !present)
        return false;
    client_.BindToArrival(arrivals);
    open_ = true;
    return true;
}

void CVirtualChannel::Close() {
    open_ = false;
    client_.BindToArrival(0);
}

bool CVirtualChannel::SetFeature(const uint8_t* report, size_t length) {
    return open_ && client_.SetFeature(report, length);
}

bool CVirtualChannel::GetFeature(uint8_t* report, size_t length) {
    return open_ && client_.GetFeature(report, length);
}
