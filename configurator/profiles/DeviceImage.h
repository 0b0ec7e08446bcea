#pragma once
// The mouse's 2048-byte on-board profile format.

#include <array>
#include <cstdint>
#include <optional>

#include "profiles/Profile.h"

constexpr int kDeviceImageSize = 2048;
constexpr int kImageFixedLength = 179;  // offset of the first macro block
constexpr int kMacroBlockHeader = 20;
constexpr int kMacroEventBytes = 7;
constexpr uint16_t kNoAddress = 0xFFFF;
// The firmware version (times 100) from which the report rate moved to offset 87.
constexpr int32_t kReportRateMovedVersion = 109;

using DeviceImage = std::array<uint8_t, kDeviceImageSize>;

// Maps a Windows virtual-key code to the HID keyboard usage id; unknown codes pass unchanged.
uint16_t KeyToUsage(uint16_t virtualKey);

// The 16-bit address of button k: 132 + 3k for a single key, its macro block's offset for a
// macro, 0xFFFF otherwise.
uint16_t MacroAddress(const Profile& profile, int k);

// Size of the macro block of button k (0 unless the button plays a macro).
int MacroBlockSize(const Profile& profile, int k);
// Total length of the image the profile encodes to: 179 plus its macro blocks.
int DeviceImageLength(const Profile& profile);

// Encodes the profile and stores the image length in it. Empty when the macro blocks do not
// fit into the 2048 bytes; nothing is written past the image and the profile is unchanged then.
std::optional<DeviceImage> BuildDeviceImage(Profile& profile);
