#include "DiskFileSystem.h"

#include <system_error>

#include "FileUtil.h"

namespace fs = std::filesystem;

bool DiskFileSystem::CreateFolders(const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    return fs::is_directory(folder, ec);
}

bool DiskFileSystem::ReadFile(const fs::path& path, std::vector<uint8_t>& bytes) {
    return ReadWholeFile(path, bytes);
}

bool DiskFileSystem::WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    return WriteFileAtomically(path, bytes.data(), bytes.size());
}

bool DiskFileSystem::ListFolder(const fs::path& folder, std::vector<fs::path>& entries) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return false;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            return false;
        entries.push_back(it->path());
    }
    return !ec;
}

bool DiskFileSystem::IsFolder(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(fs::symlink_status(path, ec));
}

bool DiskFileSystem::Remove(const fs::path& path) {
    std::error_code ec;
    fs::remove_all(path, ec);
    return !ec;
}

bool DiskFileSystem::SameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}
