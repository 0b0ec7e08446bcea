#pragma once
// Real time for the transfer: the performance counter and the system's sleep.

#include "Clock.h"

class CSystemClock : public IClock {
  public:
    uint64_t NowMs() override;
    void SleepMs(uint32_t milliseconds) override;
};
