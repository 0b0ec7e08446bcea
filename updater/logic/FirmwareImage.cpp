#include "logic/FirmwareImage.h"

#include <algorithm>

#include "logic/FileReader.h"

FirmwareImage::FirmwareImage() : blocks_(kMaxImageBytes), checksums_(2 * kMaxBlocks) {}

void FirmwareImage::Clear() {
    length_ = 0;
    std::fill(blocks_.begin(), blocks_.end(), uint8_t{0});
    std::fill(checksums_.begin(), checksums_.end(), uint8_t{0});
}

int FirmwareImage::Load() {
    Clear();
    FileReader reader(path_);
    if (!reader.IsOpen() || reader.Size() > kMaxImageBytes)
        return 0;
    const auto size = static_cast<size_t>(reader.Size());
    if (!reader.Read(blocks_.data(), size)) {
        Clear();
        return 0;
    }
    length_ = static_cast<uint32_t>(size);
    for (size_t index = 0; index < BlockCount(); ++index) {
        const uint16_t sum = BlockChecksum(Block(index));
        checksums_[2 * index] = static_cast<uint8_t>(sum & 0xFF);
        checksums_[2 * index + 1] = static_cast<uint8_t>(sum >> 8);
    }
    return 1;
}

size_t FirmwareImage::BlockCount() const {
    return (length_ + kBlockBytes - 1) / kBlockBytes;
}

std::span<const uint8_t, FirmwareImage::kBlockBytes> FirmwareImage::Block(size_t index) const {
    index = std::min(index, kMaxBlocks - 1);
    return std::span<const uint8_t, kBlockBytes>(blocks_.data() + index * kBlockBytes, kBlockBytes);
}

uint16_t FirmwareImage::Checksum(size_t index) const {
    if (index >= kMaxBlocks)
        return 0;
    return static_cast<uint16_t>(checksums_[2 * index] | (checksums_[2 * index + 1] << 8));
}

uint16_t FirmwareImage::BlockChecksum(std::span<const uint8_t, kBlockBytes> block) {
    uint32_t sum = 0;
    for (const uint8_t byte : block)
        sum += byte;
    return static_cast<uint16_t>(sum & 0xFFFF);
}
