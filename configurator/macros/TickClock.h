#pragma once
// The millisecond tick count the recorder measures delays with. The program reads the system's
// counter; tests put a clock of their own in its place to reach any value, wrap-around included.

#include <cstdint>

class TickClock {
  public:
    virtual ~TickClock() = default;
    // Milliseconds since some fixed moment, wrapping at 2^32.
    virtual uint32_t TickCount() noexcept = 0;
};
