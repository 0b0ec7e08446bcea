#pragma once
// A file of given bytes in a fresh temporary folder, removed with the object.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "TempFolder.h"

class TempFile {
  public:
    explicit TempFile(const std::vector<uint8_t>& bytes) : path_(folder_.Path() / "firmware.bin") {
        std::ofstream out(path_, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    const std::filesystem::path& Path() const { return path_; }
    const std::filesystem::path& Folder() const { return folder_.Path(); }

  private:
    TempFolder folder_{"updater-test"};
    std::filesystem::path path_;
};

// Bytes 0, 1, 2, ... wrapping at 251 so that no two nearby blocks look alike.
inline std::vector<uint8_t> PatternBytes(size_t count) {
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<uint8_t>(i % 251);
    return bytes;
}
