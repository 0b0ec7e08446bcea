#pragma once
// Test files double as seeds for the fuzzer of the macro decoders when ORVA_SEED_DIR is set.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

inline void WriteMacroSeed(const std::string& name, const std::vector<uint8_t>& bytes) {
    const char* dir = std::getenv("ORVA_SEED_DIR");
    if (dir == nullptr)
        return;
    const std::filesystem::path folder = std::filesystem::path(dir) / "fuzz_macro_files";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    std::ofstream(folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}
