#pragma once
// The waits of the device link go through a clock so that tests run at full speed.

#include <chrono>
#include <thread>

class DeviceClock {
  public:
    virtual ~DeviceClock() = default;
    virtual void SleepMs(int ms) = 0;
};

class SystemDeviceClock : public DeviceClock {
  public:
    void SleepMs(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};
