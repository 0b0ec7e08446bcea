#include "app/logic/WindowsSettings.h"

#include <algorithm>

namespace {

// Windows takes double-click times up to 5 seconds; below 100 ms no double click succeeds.
constexpr int32_t kShortestDoubleClick = 100;
constexpr int32_t kLongestDoubleClick = 5000;
constexpr int32_t kSlowestMouse = 1;
constexpr int32_t kFastestMouse = 20;
constexpr int32_t kMostWheelLines = 100;

// Thresholds and acceleration of the acceleration slider's three positions, strongest first.
// Position 0 doubles the speed past 0 mickeys and doubles it again past 1; position 1 uses the
// thresholds Windows ships with (6 and 10) and still doubles twice; position 2 is Windows' own
// "enhance pointer precision": one doubling past 6.
constexpr std::array<std::array<int32_t, 3>, 3> kAccelerationLevels = {{
    {0, 1, 2},
    {6, 10, 2},
    {6, 10, 1},
}};

}  // namespace

WindowsSettings WindowsSettingsFor(const Profile& profile) {
    WindowsSettings settings;
    settings.doubleClickTime = static_cast<uint32_t>(std::clamp<int32_t>(
        1600 - int32_t{profile.doubleClickValue}, kShortestDoubleClick, kLongestDoubleClick));
    settings.mouseSpeed = static_cast<uint32_t>(
        std::clamp<int32_t>(2 * int32_t{profile.pointerSpeed}, kSlowestMouse, kFastestMouse));
    if (profile.scrollByLines != 0) {
        settings.wheelLines =
            static_cast<uint32_t>(std::clamp<int32_t>(profile.scrollLines, 1, kMostWheelLines));
    } else if (profile.scrollByPage != 0) {
        settings.wheelLines = kWheelPageScroll;
    }
    if (profile.accelerationOn != 0) {
        const int level = std::clamp<int>(profile.accelerationLevel, 0, 2);
        settings.mouse = kAccelerationLevels[static_cast<size_t>(level)];
    }
    return settings;
}
