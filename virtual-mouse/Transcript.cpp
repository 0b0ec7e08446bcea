#include "Transcript.h"

namespace vmouse {

std::string TranscriptLine(bool isSet, const uint8_t* report, size_t length) {
    static const char kDigits[] = "0123456789abcdef";
    std::string line = isSet ? "SET " : "GET ";
    line.reserve(4 + 2 * length + 1);
    for (size_t i = 0; i < length; ++i) {
        line.push_back(kDigits[report[i] >> 4]);
        line.push_back(kDigits[report[i] & 0x0F]);
    }
    line.push_back('\n');
    return line;
}

Transcript::~Transcript() {
    if (file_ != nullptr)
        std::fclose(file_);
}

bool Transcript::Open(const std::filesystem::path& path) {
    if (file_ != nullptr)
        std::fclose(file_);
    file_ = std::fopen(path.string().c_str(), "wb");
    return file_ != nullptr;
}

void Transcript::Write(bool isSet, const uint8_t* report, size_t length) {
    if (file_ == nullptr)
        return;
    const std::string line = TranscriptLine(isSet, report, length);
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fflush(file_);
}

}  // namespace vmouse
