#include "DiskFileSystem.h"

#include <system_error>

#include "FileUtil.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

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

#ifdef _WIN32

bool DiskFileSystem::Identify(const fs::path& path, FileIdentity& identity) {
    // No access rights needed; backup semantics let folders open too.
    HANDLE handle =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool ok = GetFileInformationByHandle(handle, &info) != 0;
    CloseHandle(handle);
    if (!ok)
        return false;
    identity.volume = info.dwVolumeSerialNumber;
    identity.file = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

#else

bool DiskFileSystem::Identify(const fs::path& path, FileIdentity& identity) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0)
        return false;
    identity.volume = static_cast<uint64_t>(info.st_dev);
    identity.file = static_cast<uint64_t>(info.st_ino);
    return true;
}

#endif
