#pragma once
// Growable little-endian byte buffer with a read position. Profile and macro files are written
// and read through it. Reads never leave the buffer: the first read that would run past the end
// marks the stream failed, returns zero or empty, and every later read fails too.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/FileUtil.h"

class DataStream {
  public:
    // A stream that writes a file starts with an empty array of 1024 bytes.
    static constexpr int32_t kInitialCapacity = 1024;

    DataStream();
    explicit DataStream(std::vector<uint8_t> bytes);  // for decoding bytes already in memory
    virtual ~DataStream();
    DataStream(const DataStream&) = delete;
    DataStream& operator=(const DataStream&) = delete;

    void WriteUInt8(uint8_t value);
    void WriteUInt16(uint16_t value);
    void WriteUInt32(uint32_t value);
    void WriteString(const std::u16string& text);
    void WriteDecimal(int32_t value);

    uint8_t ReadUInt8();
    uint16_t ReadUInt16();
    uint32_t ReadUInt32();
    std::u16string ReadString();
    int32_t ReadDecimal();

    // Writes bytes 0 .. length-1 to the file, replacing it in one step (never a torn file);
    // creates missing folders first. False when the file could not be written.
    bool SaveToFile(const std::filesystem::path& path) const;
    // Reads the whole file; false when it cannot be opened or read, or is larger than `maxBytes`
    // (refused from its size, without reading it).
    bool LoadFromFile(const std::filesystem::path& path, uintmax_t maxBytes = kMaxReadFileBytes);

    const uint8_t* Data() const { return data_.get(); }
    int32_t Capacity() const { return capacity_; }
    int32_t Length() const { return length_; }
    int32_t ReadPosition() const { return readPosition_; }
    int32_t Remaining() const { return length_ - readPosition_; }
    // True once any read ran past the end of the data.
    bool Failed() const { return failed_; }
    std::vector<uint8_t> Bytes() const;

  private:
    void Reserve(int32_t n);
    void Append(const uint8_t* bytes, int32_t n);
    bool Take(uint8_t* out, int32_t n);

    std::unique_ptr<uint8_t[]> data_;
    int32_t capacity_ = 0;
    int32_t length_ = 0;
    int32_t readPosition_ = 0;
    bool failed_ = false;
};

// Converts text as _wtol does: optional blanks, an optional sign, then decimal digits up to the
// first other character; 0 when there are none. Out-of-range values saturate at the 32-bit
// limits (the colour is written as signed 32-bit text, so real files never reach them).
int32_t ParseDecimal(const std::u16string& text);
