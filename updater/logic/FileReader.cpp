#include "logic/FileReader.h"

#include <system_error>

namespace {

std::FILE* OpenForReading(const std::filesystem::path& path) {
#ifdef _WIN32
    return _wfopen(path.c_str(), L"rb");
#else
    return std::fopen(path.c_str(), "rb");
#endif
}

}  // namespace

FileReader::FileReader(const std::filesystem::path& path) {
    std::error_code error;
    // Only regular files: a folder or a device name must not pass as an empty image.
    if (!std::filesystem::is_regular_file(path, error) || error)
        return;
    const uintmax_t size = std::filesystem::file_size(path, error);
    if (error)
        return;
    file_ = OpenForReading(path);
    if (file_ != nullptr)
        size_ = size;
}

FileReader::~FileReader() {
    if (file_ != nullptr)
        std::fclose(file_);
}

bool FileReader::Read(uint8_t* destination, size_t count) {
    if (!Ok())
        return false;
    if (count > size_ - position_) {
        ok_ = false;
        return false;
    }
    const size_t got = std::fread(destination, 1, count, file_);
    position_ += got;
    if (got != count)
        ok_ = false;
    return ok_;
}
