#pragma once
// The Windows pointer settings a profile stands for: what the main window hands to
// SystemParametersInfoW when the profile becomes active or is applied.

#include <array>
#include <cstdint>
#include <optional>

#include "profiles/Profile.h"

// WHEEL_PAGESCROLL: the wheel scrolls a page per notch.
inline constexpr uint32_t kWheelPageScroll = 0xFFFFFFFFu;

struct WindowsSettings {
    uint32_t doubleClickTime = 0;              // SPI_SETDOUBLECLICKTIME, milliseconds
    uint32_t mouseSpeed = 0;                   // SPI_SETMOUSESPEED, 1 .. 20
    std::optional<uint32_t> wheelLines;        // SPI_SETWHEELSCROLLLINES; none: left alone
    std::array<int32_t, 3> mouse = {0, 0, 0};  // SPI_SETMOUSE: thresholds 1 and 2, acceleration

    bool operator==(const WindowsSettings&) const = default;
};

// Values outside what Windows accepts (a profile file may hold anything) are brought into its
// range, so a damaged file cannot leave the desktop without a usable pointer.
WindowsSettings WindowsSettingsFor(const Profile& profile);
