#include "app/SystemClock.h"

#include <windows.h>

#include <timeapi.h>

CSystemClock::CSystemClock() {
    LARGE_INTEGER frequency;
    if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0)
        frequency_ = frequency.QuadPart;
    // One-millisecond timer resolution, so a sleep does not overshoot by a 15.6 ms tick.
    finePeriod_ = timeBeginPeriod(1) == TIMERR_NOERROR;
}

CSystemClock::~CSystemClock() {
    if (finePeriod_)
        timeEndPeriod(1);
}

int64_t CSystemClock::Ticks() const {
    LARGE_INTEGER counter;
    if (frequency_ == 0 || !QueryPerformanceCounter(&counter))
        return static_cast<int64_t>(GetTickCount64());
    return counter.QuadPart;
}

uint64_t CSystemClock::NowMs() {
    const int64_t ticks = Ticks();
    if (frequency_ == 0)
        return static_cast<uint64_t>(ticks);
    return static_cast<uint64_t>(ticks / frequency_ * 1000 +
                                 ticks % frequency_ * 1000 / frequency_);
}

void CSystemClock::SleepMs(uint32_t milliseconds) {
    Sleep(milliseconds);
}
