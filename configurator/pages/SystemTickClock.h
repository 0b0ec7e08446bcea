#pragma once
// The system's millisecond tick count, for the recorder.

#include <windows.h>

#include "macros/TickClock.h"

class SystemTickClock : public TickClock {
  public:
    uint32_t TickCount() noexcept override { return GetTickCount(); }
};
