#include "skin/logic/BmpLayout.h"

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr int32_t kMaxSide = 16384;
constexpr uint32_t kUncompressed = 0;  // BI_RGB

uint32_t Read32(const uint8_t* at) noexcept {
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
           static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
}

uint16_t Read16(const uint8_t* at) noexcept {
    return static_cast<uint16_t>(at[0] | at[1] << 8);
}

}  // namespace

bool ReadBmpLayout(const uint8_t* data, size_t available, uint64_t fileSize,
                   BmpLayout& layout) noexcept {
    layout = {};
    if (data == nullptr || available < kFileHeaderBytes + kInfoHeaderBytes ||
        fileSize < available || data[0] != 'B' || data[1] != 'M') {
        return false;
    }
    const uint8_t* info = data + kFileHeaderBytes;
    const uint32_t infoBytes = Read32(info);
    // The 40-byte header and its longer successors share their first 40 bytes.
    if (infoBytes < kInfoHeaderBytes || infoBytes > fileSize - kFileHeaderBytes) {
        return false;
    }
    const auto width = static_cast<int32_t>(Read32(info + 4));
    const auto height = static_cast<int32_t>(Read32(info + 8));
    if (Read16(info + 12) != 1 || Read16(info + 14) != 24 || Read32(info + 16) != kUncompressed) {
        return false;
    }
    if (width <= 0 || width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide) {
        return false;
    }
    const uint32_t rows = static_cast<uint32_t>(height < 0 ? -height : height);
    const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t offset = Read32(data + 10);
    // Both factors are at most 16384 * 3 + 3 and 16384: the product fits in 64 bits easily.
    const uint64_t end = static_cast<uint64_t>(offset) + static_cast<uint64_t>(rowBytes) * rows;
    if (offset < kFileHeaderBytes + infoBytes || end > fileSize) {
        return false;
    }
    layout.width = width;
    layout.height = static_cast<int32_t>(rows);
    layout.topDown = height < 0;
    layout.rowBytes = rowBytes;
    layout.pixelOffset = offset;
    return true;
}
