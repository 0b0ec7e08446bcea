#pragma once
// The waits of the device link go through a clock so that tests run at full speed.

#include <chrono>
#include <cstdint>
#include <thread>

class DeviceClock {
  public:
    virtual ~DeviceClock() = default;
    virtual void SleepMs(int ms) = 0;
    // Milliseconds from any fixed point; only differences count.
    virtual int64_t NowMs() = 0;
};

class SystemDeviceClock : public DeviceClock {
  public:
    void SleepMs(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
    int64_t NowMs() override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};
