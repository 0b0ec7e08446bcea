#pragma once
// MacroFileSystem on the real disk.

#include "macros/MacroFileSystem.h"

class DiskFileSystem : public MacroFileSystem {
  public:
    bool CreateFolders(const std::filesystem::path& folder) override;
    bool ReadFile(const std::filesystem::path& path, std::vector<uint8_t>& bytes) override;
    bool WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) override;
    bool ListFolder(const std::filesystem::path& folder,
                    std::vector<std::filesystem::path>& entries) override;
    bool IsFolder(const std::filesystem::path& path) override;
    bool Remove(const std::filesystem::path& path) override;
    bool Identify(const std::filesystem::path& path, FileIdentity& identity) override;
};
