#include "profiles/DeviceImageReader.h"

namespace {

constexpr int kDpiOffset = 6;
constexpr int kDpiStageBytes = 7;
constexpr int kColourOffset = 62;
constexpr int kLedKindOffset = 83;
constexpr int kLedModeOffset = 84;
constexpr int kLiftOffset = 85;
constexpr int kReportRateOldOffset = 86;
constexpr int kReportRateNewOffset = 87;
constexpr int kButtonOffset = 88;
constexpr int kKeyOffset = 152;

uint16_t Word(const uint8_t* bytes, int offset) {
    return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

// The events of the block at `address` up to the all-zero event that ends a copy, or to the
// image's length. Blocks follow one another, so a block also ends where the next one begins.
std::vector<ImageMacroEvent> ReadBlock(const uint8_t* bytes, int address, int end) {
    std::vector<ImageMacroEvent> events;
    for (int at = address + kMacroBlockHeader; at + kMacroEventBytes <= end;
         at += kMacroEventBytes) {
        ImageMacroEvent event;
        event.kind = bytes[at];
        event.usage = Word(bytes, at + 1);
        event.action = bytes[at + 3];
        event.delay =
            bytes[at + 4] | (bytes[at + 5] << 8) | (static_cast<uint32_t>(bytes[at + 6]) << 16);
        events.push_back(event);
        if (event == ImageMacroEvent{}) {
            break;
        }
    }
    return events;
}

}  // namespace

std::optional<DecodedImage> DecodeDeviceImage(const uint8_t* bytes, size_t size) {
    if (bytes == nullptr || size != kDeviceImageSize) {
        return std::nullopt;
    }
    DecodedImage image;
    image.imageLength = Word(bytes, 0);
    if (image.imageLength < kImageFixedLength || image.imageLength > kDeviceImageSize) {
        return std::nullopt;
    }
    image.index = bytes[4];
    for (int stage = 0; stage < kDpiStageCount; ++stage) {
        const int at = kDpiOffset + stage * kDpiStageBytes;
        image.dpi[2 * stage] = Word(bytes, at);
        image.dpi[2 * stage + 1] = Word(bytes, at + 2);
    }
    image.ledColour = bytes[kColourOffset] | (bytes[kColourOffset + 1] << 8) |
                      (static_cast<uint32_t>(bytes[kColourOffset + 2]) << 16);
    image.ledKind = bytes[kLedKindOffset];
    image.ledMode = bytes[kLedModeOffset];
    image.liftDistance = bytes[kLiftOffset];
    image.reportRateOld = bytes[kReportRateOldOffset];
    image.reportRateNew = bytes[kReportRateNewOffset];

    // Where each macro block ends: at the next block's start or at the image's length.
    std::vector<int> blockStarts;
    for (int k = 0; k < kButtonCount; ++k) {
        if (bytes[kButtonOffset + 4 * k + 1] == kFunctionMacro) {
            blockStarts.push_back(Word(bytes, kButtonOffset + 4 * k + 2));
        }
    }
    for (int k = 0; k < kButtonCount; ++k) {
        ImageButton& button = image.buttons[k];
        const int at = kButtonOffset + 4 * k;
        button.buttonIndex = bytes[at];
        button.function = bytes[at + 1];
        button.address = Word(bytes, at + 2);
        button.keyUsage = Word(bytes, kKeyOffset + 3 * k + 1);
        if (button.function != kFunctionMacro) {
            continue;
        }
        const int start = button.address;
        if (start < kImageFixedLength || start + kMacroBlockHeader > image.imageLength) {
            return std::nullopt;
        }
        int end = image.imageLength;
        for (int other : blockStarts) {
            if (other > start && other < end) {
                end = other;
            }
        }
        button.macro = ReadBlock(bytes, start, end);
    }
    return image;
}
