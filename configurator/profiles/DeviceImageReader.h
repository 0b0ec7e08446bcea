#pragma once
// Reads a 2048-byte on-board profile back into its fields: what the mouse holds in a slot, for
// the tools that show it. The inverse of BuildDeviceImage, as far as the image keeps things
// (key codes come back as HID usages, the profile's name and Windows settings are not in it).

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "profiles/DeviceImage.h"

struct ImageMacroEvent {
    uint8_t kind = 0;
    uint16_t usage = 0;
    uint8_t action = 0;
    uint32_t delay = 0;  // milliseconds, 24 bits
    bool operator==(const ImageMacroEvent&) const = default;
};

struct ImageButton {
    uint8_t buttonIndex = 0;
    uint8_t function = 0;
    uint16_t address = kNoAddress;
    uint16_t keyUsage = 0;               // the key entry's code
    std::vector<ImageMacroEvent> macro;  // the events of its block, for a macro-bound button
};

struct DecodedImage {
    uint16_t imageLength = 0;
    uint8_t index = 0;
    std::array<uint16_t, 2 * kDpiStageCount> dpi{};  // X, Y of each stage, units of 90 dpi
    uint32_t ledColour = 0;                          // 0x00BBGGRR
    uint8_t ledKind = 0;
    uint8_t ledMode = 0;
    uint8_t liftDistance = 0;
    uint8_t reportRateOld = 0;  // offset 86: firmware below 109
    uint8_t reportRateNew = 0;  // offset 87: firmware 109 and later
    std::array<ImageButton, kButtonCount> buttons;
};

// Empty when the bytes are not an image the configurator could have written: not 2048 bytes, a
// length outside 179 .. 2048, or a macro address whose block does not lie inside that length.
std::optional<DecodedImage> DecodeDeviceImage(const uint8_t* bytes, size_t size);
