#include "pages/logic/PopupRules.h"

#include "pages/logic/LeadingInteger.h"

CountdownTick NextCountdownTick(std::wstring_view shown) {
    const int32_t left = LeadingInteger(shown);
    CountdownTick tick;
    if (left < 1) {
        tick.finished = true;
        return tick;
    }
    tick.text = std::to_wstring(left - 1);
    // Frame 0 shows with "10"; the ticks go on with 1, 2, 3, 0, 1, ... and end on 2.
    tick.frame = static_cast<int>((11 - static_cast<int64_t>(left)) % kAnimationFrames);
    if (tick.frame < 0) {
        tick.frame += kAnimationFrames;
    }
    return tick;
}
