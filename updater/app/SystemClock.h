#pragma once
// Real time for the transfer. The mouse needs every delay in full, and a transfer makes over
// 800 of them, so the timer runs at its finest resolution: with the default 15.6 ms tick each
// sleep could overshoot by that much.

#include "logic/Clock.h"

class CSystemClock : public IClock {
  public:
    CSystemClock();
    ~CSystemClock() override;
    CSystemClock(const CSystemClock&) = delete;
    CSystemClock& operator=(const CSystemClock&) = delete;

    uint64_t NowMs() override;
    void SleepMs(uint32_t milliseconds) override;

  private:
    // Performance counter ticks since an arbitrary start.
    int64_t Ticks() const;

    int64_t frequency_ = 0;
    bool finePeriod_ = false;
};
