#include "SystemClock.h"

#include <windows.h>

uint64_t CSystemClock::NowMs() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    if (!QueryPerformanceFrequency(&frequency) || !QueryPerformanceCounter(&counter) ||
        frequency.QuadPart <= 0)
        return GetTickCount64();
    return static_cast<uint64_t>(counter.QuadPart / frequency.QuadPart * 1000 +
                                 counter.QuadPart % frequency.QuadPart * 1000 / frequency.QuadPart);
}

void CSystemClock::SleepMs(uint32_t milliseconds) {
    Sleep(milliseconds);
}
