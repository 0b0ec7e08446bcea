#include "profiles/DeviceImage.h"

namespace {

void Put16(DeviceImage& image, int offset, uint16_t value) {
    image[offset] = static_cast<uint8_t>(value);
    image[offset + 1] = static_cast<uint8_t>(value >> 8);
}

void PutColour(DeviceImage& image, int offset, uint32_t colour) {
    image[offset] = static_cast<uint8_t>(colour);
    image[offset + 1] = static_cast<uint8_t>(colour >> 8);
    image[offset + 2] = static_cast<uint8_t>(colour >> 16);
}

uint8_t LedKind(int32_t ledMode) {
    if (ledMode == kLedAllOn)
        return 0;
    if (ledMode == kLedAllOff)
        return 1;
    if ((ledMode & kLedZonesSelected) != 0)
        return 3;
    return 0;
}

struct UsageRange {
    uint16_t firstKey;
    uint16_t lastKey;
    uint16_t firstUsage;
};

// Contiguous runs of the table: key firstKey..lastKey map to firstUsage onwards.
constexpr UsageRange kRanges[] = {
    {0x41, 0x5A, 0x04},  // A-Z
    {0x31, 0x39, 0x1E},  // 1-9
    {0x70, 0x7B, 0x3A},  // F1-F12
    {0x61, 0x69, 0x59},  // numpad 1-9
};

struct UsagePair {
    uint16_t key;
    uint16_t usage;
};

constexpr UsagePair kPairs[] = {
    {0x30, 0x27}, {0x0D, 0x28}, {0x1B, 0x29}, {0x08, 0x2A}, {0x09, 0x2B}, {0x20, 0x2C},
    {0xBD, 0x2D}, {0xBB, 0x2E}, {0xDB, 0x2F}, {0xDD, 0x30}, {0xDC, 0x31}, {0xBA, 0x33},
    {0xDE, 0x34}, {0xC0, 0x35}, {0xBC, 0x36}, {0xBE, 0x37}, {0xBF, 0x38}, {0x14, 0x39},
    {0x2C, 0x46}, {0x91, 0x47}, {0x13, 0x48}, {0x03, 0x48}, {0x2D, 0x49}, {0x24, 0x4A},
    {0x21, 0x4B}, {0x2E, 0x4C}, {0x23, 0x4D}, {0x22, 0x4E}, {0x27, 0x4F}, {0x25, 0x50},
    {0x28, 0x51}, {0x26, 0x52}, {0x90, 0x53}, {0x6F, 0x54}, {0x6A, 0x55}, {0x6D, 0x56},
    {0x6B, 0x57}, {0x60, 0x62}, {0x6E, 0x63}, {0x5D, 0x65}, {0xAF, 0x80}, {0xAE, 0x81},
    {0xA2, 0xE0}, {0xA0, 0xE1}, {0xA4, 0xE2}, {0x5B, 0xE3}, {0xA3, 0xE4}, {0xA1, 0xE5},
    {0xA5, 0xE6}, {0x5C, 0xE7},
};

}  // namespace

uint16_t KeyToUsage(uint16_t virtualKey) {
    for (const UsageRange& range : kRanges) {
        if (virtualKey >= range.firstKey && virtualKey <= range.lastKey)
            return static_cast<uint16_t>(range.firstUsage + (virtualKey - range.firstKey));
    }
    for (const UsagePair& pair : kPairs) {
        if (pair.key == virtualKey)
            return pair.usage;
    }
    return virtualKey;
}

int MacroBlockSize(const Profile& profile, int k) {
    if (profile.buttons[k].function != kFunctionMacro)
        return 0;
    return kMacroBlockHeader + kMacroEventBytes * static_cast<int>(profile.macros[k].events.size());
}

uint16_t MacroAddress(const Profile& profile, int k) {
    switch (profile.buttons[k].function) {
        case kFunctionSingleKey:
            return static_cast<uint16_t>(132 + 3 * k);
        case kFunctionMacro: {
            int offset = kImageFixedLength;
            for (int j = 0; j < k; ++j)
                offset += MacroBlockSize(profile, j);
            // Addresses are 16 bits on the mouse; an image too long for them is never built.
            return static_cast<uint16_t>(offset);
        }
        default:
            return kNoAddress;
    }
}

int DeviceImageLength(const Profile& profile) {
    int length = kImageFixedLength;
    for (int k = 0; k < kButtonCount; ++k)
        length += MacroBlockSize(profile, k);
    return length;
}

std::optional<DeviceImage> BuildDeviceImage(Profile& profile) {
    const int length = DeviceImageLength(profile);
    if (length > kDeviceImageSize)
        return std::nullopt;

    DeviceImage image{};
    Put16(image, 0, static_cast<uint16_t>(length));
    image[4] = profile.index;
    image[5] = 2;
    for (int stage = 0; stage < kDpiStageCount; ++stage) {
        const int offset = 6 + 7 * stage;
        Put16(image, offset, static_cast<uint16_t>(profile.dpi[2 * stage]));
        Put16(image, offset + 2, static_cast<uint16_t>(profile.dpi[2 * stage + 1]));
        PutColour(image, offset + 4, profile.ledColour);
    }
    for (int i = 0; i < 7; ++i)
        PutColour(image, 62 + 3 * i, profile.ledColour);
    image[83] = LedKind(profile.ledMode);
    image[84] = static_cast<uint8_t>(profile.ledMode);
    image[85] = profile.liftDistance;
    const uint8_t rate = static_cast<uint8_t>(profile.reportRate);
    const bool rateMoved = profile.firmwareVersion >= kReportRateMovedVersion;
    image[86] = rateMoved ? 0 : rate;
    image[87] = rateMoved ? rate : 0;

    for (int k = 0; k < kButtonCount; ++k) {
        const ButtonAssignment& button = profile.buttons[k];
        const uint16_t address = MacroAddress(profile, k);
        const int entry = 88 + 4 * k;
        image[entry] = button.buttonIndex;
        image[entry + 1] = button.function;
        Put16(image, entry + 2, address);

        // A macro-bound button's key entry carries its block offset through the key table.
        const uint16_t keyCode =
            button.function == kFunctionMacro ? address : static_cast<uint16_t>(button.value);
        const int keyEntry = 152 + 3 * k;
        image[keyEntry] = 1;
        Put16(image, keyEntry + 1, KeyToUsage(keyCode));
    }

    int offset = kImageFixedLength;
    for (int k = 0; k < kButtonCount; ++k) {
        if (profile.buttons[k].function != kFunctionMacro)
            continue;
        offset += kMacroBlockHeader;  // the header stays zero
        for (const CMacroEvent& event : profile.macros[k].events) {
            image[offset] = event.kind;
            Put16(image, offset + 1, KeyToUsage(static_cast<uint16_t>(event.code)));
            image[offset + 3] = event.action;
            const uint32_t delay = static_cast<uint32_t>(event.delay);
            image[offset + 4] = static_cast<uint8_t>(delay);
            image[offset + 5] = static_cast<uint8_t>(delay >> 8);
            image[offset + 6] = static_cast<uint8_t>(delay >> 16);
            offset += kMacroEventBytes;
        }
    }

    profile.imageLength = static_cast<uint16_t>(length);
    return image;
}
