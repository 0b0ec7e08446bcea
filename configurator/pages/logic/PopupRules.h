#pragma once
// The pop-up's rules that need no window: the countdown of the surface analysis and what each
// key and button does in each mode.

#include <cstdint>
#include <string>
#include <string_view>

// The countdown starts at this text and ticks once a second.
inline constexpr wchar_t kCountdownStart[] = L"10";
inline constexpr unsigned kCountdownTickMs = 1000;
inline constexpr int kAnimationFrames = 4;

// One tick of the countdown, from the text shown now.
struct CountdownTick {
    bool finished = false;  // OK becomes usable and the countdown stops
    std::wstring text;      // otherwise: the new text
    int frame = 0;          // and the animation frame to show
};
CountdownTick NextCountdownTick(std::wstring_view shown);

// The modes that capture a key take every key for themselves: Enter and Escape close nothing.
constexpr bool CapturesKeys(int mode) {
    return mode == 146;
}

// Function code a captured key is assigned with.
inline constexpr int kSingleKeyFunction = 13;
