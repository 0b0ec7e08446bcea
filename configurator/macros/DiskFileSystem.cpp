#include "macros/DiskFileSystem.h"

#include <system_error>

#include "base/FileUtil.h"
#include "base/ScopedHandle.h"
#include "macros/MacroFile.h"

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
    return ReadWholeFile(path, bytes, kMaxMacroFileBytes);
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

#ifdef _WIN32

namespace {

bool IsGone(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Removes a file or a folder with its contents. A junction or symbolic link is removed itself and
// never entered: one placed in the macro folder must not lead the clearing outside it.
bool RemoveTree(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return IsGone(GetLastError());
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
        SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return DeleteFileW(path.c_str()) || IsGone(GetLastError());
    bool ok = true;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name != L"." && name != L"..")
                    ok = RemoveTree(path + L"\\" + name) && ok;
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
    }
    return (RemoveDirectoryW(path.c_str()) || IsGone(GetLastError())) && ok;
}

}  // namespace

bool DiskFileSystem::IsFolder(const fs::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool DiskFileSystem::Remove(const fs::path& path) {
    return RemoveTree(path.native());
}

bool DiskFileSystem::Identify(const fs::path& path, FileIdentity& identity) {
    // No access rights needed; backup semantics let folders open too.
    // A link is identified as itself, not as what it points to.
    const ScopedHandle handle(CreateFileW(
        path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (handle.Get() == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(handle.Get(), &info))
        return false;
    identity.volume = info.dwVolumeSerialNumber;
    identity.file = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

#else

namespace {

// As on Windows: a symbolic link is removed itself and never entered.
bool RemoveTree(const fs::path& path) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (ec)
        return status.type() == fs::file_type::not_found;
    bool ok = true;
    if (fs::is_directory(status)) {
        std::vector<fs::path> entries;
        for (fs::directory_iterator it(path, ec); !ec && it != fs::directory_iterator();
             it.increment(ec))
            entries.push_back(it->path());
        ok = !ec;
        for (const fs::path& entry : entries)
            ok = RemoveTree(entry) && ok;
    }
    return fs::remove(path, ec) && ok;
}

}  // namespace

bool DiskFileSystem::IsFolder(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(fs::symlink_status(path, ec));
}

bool DiskFileSystem::Remove(const fs::path& path) {
    return RemoveTree(path);
}

bool DiskFileSystem::Identify(const fs::path& path, FileIdentity& identity) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0)
        return false;
    identity.volume = static_cast<uint64_t>(info.st_dev);
    identity.file = static_cast<uint64_t>(info.st_ino);
    return true;
}

#endif
