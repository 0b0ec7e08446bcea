#pragma once
// Arrivals and removals handed from the transport's watcher thread to the window's thread. The
// window's message only says "look at the queue": nothing a message carries, which any program
// can post, is ever taken for memory.

#include <deque>
#include <mutex>
#include <vector>

#include "device/HidTransport.h"

class DeviceNoticeQueue {
  public:
    void Push(const DeviceChangeNotice& notice);
    // Every notice pushed so far, oldest first; the queue is empty afterwards.
    std::vector<DeviceChangeNotice> TakeAll();

  private:
    std::mutex mutex_;
    std::deque<DeviceChangeNotice> notices_;
};
