#pragma once
// The file operations that saving and loading macros need. The disk implementation is the one
// the programs use; tests put a double in its place to fail a save half-way on purpose.

#include <cstdint>
#include <filesystem>
#include <vector>

class MacroFileSystem {
  public:
    virtual ~MacroFileSystem() = default;

    // Makes the folder and all missing parents; true when the folder exists afterwards.
    virtual bool CreateFolders(const std::filesystem::path& folder) = 0;
    virtual bool ReadFile(const std::filesystem::path& path, std::vector<uint8_t>& bytes) = 0;
    // Writes the whole file under a temporary name, flushes it and moves it into place in one
    // step; on failure the file at `path` is as it was.
    virtual bool WriteFile(const std::filesystem::path& path,
                           const std::vector<uint8_t>& bytes) = 0;
    // The entries of a folder (files and sub-folders), full paths.
    virtual bool ListFolder(const std::filesystem::path& folder,
                            std::vector<std::filesystem::path>& entries) = 0;
    virtual bool IsFolder(const std::filesystem::path& path) = 0;
    // Removes a file, or a folder with everything in it.
    virtual bool Remove(const std::filesystem::path& path) = 0;
    // True when both paths exist and name the same file, as the file system sees it (so two
    // names differing only in case may be one file).
    virtual bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) = 0;
};
