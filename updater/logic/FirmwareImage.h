#pragma once
// The firmware image held in memory for a transfer: up to 200 blocks of 1024 bytes, each with
// a 16-bit checksum that the mouse checks against the block it receives.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

class FirmwareImage {
  public:
    static constexpr size_t kBlockBytes = 1024;
    static constexpr size_t kMaxBlocks = 200;
    static constexpr uint64_t kMaxImageBytes = kBlockBytes * kMaxBlocks;

    FirmwareImage();

    void SetPath(const std::filesystem::path& path) { path_ = path; }
    const std::filesystem::path& Path() const { return path_; }

    // Reads the file at the path into the blocks and computes the checksums. Returns nonzero
    // when the whole file was read; 0 when it cannot be opened or read, or does not fit the 200
    // blocks. After a failure the image is empty (length 0, all zero).
    int Load();

    uint32_t Length() const { return length_; }
    // Blocks a transfer sends: the length rounded up to whole blocks.
    size_t BlockCount() const;
    std::span<const uint8_t, kBlockBytes> Block(size_t index) const;
    uint16_t Checksum(size_t index) const;

    // Sum of the block's bytes, kept to its low 16 bits.
    static uint16_t BlockChecksum(std::span<const uint8_t, kBlockBytes> block);

  private:
    void Clear();

    std::filesystem::path path_;
    uint32_t length_ = 0;
    std::vector<uint8_t> blocks_;
    // Two bytes per block, low byte first, as the block header report carries them.
    std::vector<uint8_t> checksums_;
};
