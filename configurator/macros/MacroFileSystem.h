#pragma once
// The file operations that saving and loading macros need. The disk implementation is the one
// the programs use; tests put a double in its place to fail a save half-way on purpose.

#include <compare>
#include <cstdint>
#include <filesystem>
#include <vector>

// What makes a file the same file whatever name reaches it (volume and file number).
struct FileIdentity {
    uint64_t volume = 0;
    uint64_t file = 0;

    auto operator<=>(const FileIdentity&) const = default;
};

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
    // The identity of the file or folder at `path`; false when there is none. Two names that the
    // file system takes for one (differing only in case, say) give the same identity.
    virtual bool Identify(const std::filesystem::path& path, FileIdentity& identity) = 0;
};
