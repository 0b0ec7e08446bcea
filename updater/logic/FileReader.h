#pragma once
// Bounds-checked reading of one file from its start. The first short or failed read leaves the
// reader failed for good, so a caller checks once at the end instead of after every call.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>

class FileReader {
  public:
    explicit FileReader(const std::filesystem::path& path);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    // True while every read so far delivered all the bytes it asked for.
    bool Ok() const { return file_ != nullptr && ok_; }
    // Size of the file when it was opened; 0 when it could not be opened.
    uint64_t Size() const { return size_; }
    uint64_t Position() const { return position_; }

    // Reads exactly `count` bytes into `destination`; false (and failed from now on) otherwise.
    bool Read(uint8_t* destination, size_t count);

  private:
    std::FILE* file_ = nullptr;
    uint64_t size_ = 0;
    uint64_t position_ = 0;
    bool ok_ = true;
};
