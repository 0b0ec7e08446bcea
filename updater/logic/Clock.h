#pragma once
// Time as the transfer sees it. The program waits for real; tests advance a simulated clock.

#include <cstdint>

class IClock {
  public:
    virtual ~IClock() = default;
    // Milliseconds from an arbitrary start, never going back.
    virtual uint64_t NowMs() = 0;
    virtual void SleepMs(uint32_t milliseconds) = 0;
};
