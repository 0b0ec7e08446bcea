#pragma once
// A file of given bytes in a fresh temporary folder, removed with the object.

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

class TempFile {
  public:
    explicit TempFile(const std::vector<uint8_t>& bytes) {
        static int counter = 0;
        folder_ =
            std::filesystem::temp_directory_path() /
            ("orva-updater-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(folder_);
        path_ = folder_ / "firmware.bin";
        std::ofstream out(path_, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    ~TempFile() {
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }
    const std::filesystem::path& Path() const { return path_; }
    const std::filesystem::path& Folder() const { return folder_; }

  private:
    std::filesystem::path folder_;
    std::filesystem::path path_;
};

// Bytes 0, 1, 2, ... wrapping at 251 so that no two nearby blocks look alike.
inline std::vector<uint8_t> PatternBytes(size_t count) {
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<uint8_t>(i % 251);
    return bytes;
}
