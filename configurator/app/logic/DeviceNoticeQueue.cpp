#include "app/logic/DeviceNoticeQueue.h"

void DeviceNoticeQueue::Push(const DeviceChangeNotice& notice) {
    std::lock_guard<std::mutex> lock(mutex_);
    notices_.push_back(notice);
}

std::vector<DeviceChangeNotice> DeviceNoticeQueue::TakeAll() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<DeviceChangeNotice> taken(notices_.begin(), notices_.end());
    notices_.clear();
    return taken;
}
