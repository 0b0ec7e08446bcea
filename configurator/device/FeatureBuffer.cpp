#include "device/FeatureBuffer.h"

#include <algorithm>

std::vector<uint8_t> PadFeatureReport(const uint8_t* report, size_t length,
                                      size_t interfaceLength) {
    std::vector<uint8_t> buffer(std::max(length, interfaceLength), 0);
    if (report != nullptr && length > 0)
        std::copy_n(report, length, buffer.begin());
    return buffer;
}

std::vector<uint8_t> FeatureRequestBuffer(uint8_t reportId, size_t length, size_t interfaceLength) {
    std::vector<uint8_t> buffer(std::max<size_t>({length, interfaceLength, 1}), 0);
    buffer[0] = reportId;
    return buffer;
}

bool TakeFeatureReply(const std::vector<uint8_t>& reply, uint8_t* report, size_t length) {
    if (report == nullptr || length == 0 || reply.size() < length || reply[0] != report[0])
        return false;
    std::copy_n(reply.begin(), length, report);
    return true;
}
