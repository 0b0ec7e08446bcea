#pragma once
// The folder where the virtual mouse keeps what a real one keeps across power cycles:
// slot0.bin ... slot4.bin (2048 bytes each), state.json (active slot, firmware version, stored
// lift distance) and firmware.bin, the last firmware image received.

#include <filesystem>
#include <optional>
#include <vector>

#include "MouseModel.h"

namespace vmouse {

class StateDir {
  public:
    explicit StateDir(std::filesystem::path folder);

    // Creates the folder when missing; false when that fails.
    bool Prepare();
    // Fills in what the folder holds; files that are missing or malformed leave that part of
    // `memory` as it was. `versionFound` tells whether state.json named a firmware version.
    void Load(MouseMemory& memory, bool& versionFound) const;
    // Writes the parts that differ from the last save (all of them the first time).
    bool Save(const MouseMemory& memory);
    bool SaveFirmware(const std::vector<uint8_t>& image);

    const std::filesystem::path& Folder() const { return folder_; }

  private:
    std::filesystem::path folder_;
    std::optional<MouseMemory> saved_;
};

// Writes a file through a temporary beside it and a rename, so that it is never torn.
bool WriteFileAtomically(const std::filesystem::path& path, const void* data, size_t size);

}  // namespace vmouse
