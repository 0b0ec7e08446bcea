#pragma once
// The record of a session: one line per report in arrival order, "SET " or "GET " and the
// report's bytes in lowercase hexadecimal, the report id first.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace vmouse {

std::string TranscriptLine(bool isSet, const uint8_t* report, size_t length);

class Transcript {
  public:
    Transcript() = default;
    ~Transcript();
    Transcript(const Transcript&) = delete;
    Transcript& operator=(const Transcript&) = delete;

    // Starts a new file (an existing one is replaced); false when it cannot be created.
    bool Open(const std::filesystem::path& path);
    bool IsOpen() const { return file_ != nullptr; }
    // Each line is flushed at once so that a reader sees every report already handled.
    void Write(bool isSet, const uint8_t* report, size_t length);

  private:
    std::FILE* file_ = nullptr;
};

}  // namespace vmouse
