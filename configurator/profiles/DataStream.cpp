#include "profiles/DataStream.h"

#include <algorithm>
#include <cstring>

#include "base/FileUtil.h"
#include "profiles/Storage.h"

DataStream::DataStream() : data_(new uint8_t[kInitialCapacity]()), capacity_(kInitialCapacity) {}

DataStream::DataStream(std::vector<uint8_t> bytes) {
    capacity_ = static_cast<int32_t>(bytes.size());
    length_ = capacity_;
    data_.reset(new uint8_t[std::max<size_t>(bytes.size(), 1)]());
    if (!bytes.empty())
        std::memcpy(data_.get(), bytes.data(), bytes.size());
}

DataStream::~DataStream() = default;

void DataStream::Reserve(int32_t n) {
    if (capacity_ - length_ >= n)
        return;
    const int32_t grown = capacity_ + std::max<int32_t>(2 * n, 1024);
    std::unique_ptr<uint8_t[]> bigger(new uint8_t[grown]());
    if (length_ > 0)
        std::memcpy(bigger.get(), data_.get(), static_cast<size_t>(length_));
    data_ = std::move(bigger);
    capacity_ = grown;
}

void DataStream::Append(const uint8_t* bytes, int32_t n) {
    Reserve(n);
    std::memcpy(data_.get() + length_, bytes, static_cast<size_t>(n));
    length_ += n;
}

void DataStream::WriteUInt8(uint8_t value) {
    Append(&value, 1);
}

void DataStream::WriteUInt16(uint16_t value) {
    const uint8_t b[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    Append(b, 2);
}

void DataStream::WriteUInt32(uint32_t value) {
    const uint8_t b[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                          static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    Append(b, 4);
}

void DataStream::WriteString(const std::u16string& text) {
    const int32_t units = static_cast<int32_t>(text.size());
    // One reservation for the whole string, as the file format's writer always did.
    Reserve(4 + 2 * units);
    WriteUInt32(static_cast<uint32_t>(units));
    for (char16_t unit : text)
        WriteUInt16(static_cast<uint16_t>(unit));
}

void DataStream::WriteDecimal(int32_t value) {
    const std::string text = std::to_string(value);
    WriteString(std::u16string(text.begin(), text.end()));
}

bool DataStream::Take(uint8_t* out, int32_t n) {
    if (failed_ || n > length_ - readPosition_) {
        failed_ = true;
        std::memset(out, 0, static_cast<size_t>(n));
        return false;
    }
    std::memcpy(out, data_.get() + readPosition_, static_cast<size_t>(n));
    readPosition_ += n;
    return true;
}

uint8_t DataStream::ReadUInt8() {
    uint8_t b = 0;
    Take(&b, 1);
    return b;
}

uint16_t DataStream::ReadUInt16() {
    uint8_t b[2];
    Take(b, 2);
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

uint32_t DataStream::ReadUInt32() {
    uint8_t b[4];
    Take(b, 4);
    return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
           (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

std::u16string DataStream::ReadString() {
    const uint32_t count = ReadUInt32();
    if (failed_ || count == 0 || (count & 0x80000000u) != 0)
        return {};
    // A count larger than what is left can never be satisfied: fail without allocating for it.
    if (static_cast<uint64_t>(count) * 2 > static_cast<uint64_t>(Remaining())) {
        failed_ = true;
        return {};
    }
    std::u16string text(count, u'\0');
    for (uint32_t i = 0; i < count; ++i)
        text[i] = static_cast<char16_t>(ReadUInt16());
    return text;
}

int32_t DataStream::ReadDecimal() {
    return ParseDecimal(ReadString());
}

int32_t ParseDecimal(const std::u16string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    // Saturates on overflow as the C runtime's conversion does.
    int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > int64_t{1} << 32)
            value = int64_t{1} << 32;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

std::vector<uint8_t> DataStream::Bytes() const {
    return std::vector<uint8_t>(data_.get(), data_.get() + length_);
}

bool DataStream::SaveToFile(const std::filesystem::path& path) const {
    CreateFolderTreeForFile(path);
    return WriteFileAtomically(path, data_.get(), static_cast<size_t>(length_));
}

bool DataStream::LoadFromFile(const std::filesystem::path& path, uintmax_t maxBytes) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes, maxBytes))
        return false;
    if (bytes.size() > 0x7FFFFFFF)
        return false;
    capacity_ = static_cast<int32_t>(bytes.size());
    length_ = capacity_;
    readPosition_ = 0;
    failed_ = false;
    data_.reset(new uint8_t[std::max<size_t>(bytes.size(), 1)]());
    if (!bytes.empty())
        std::memcpy(data_.get(), bytes.data(), bytes.size());
    return true;
}
