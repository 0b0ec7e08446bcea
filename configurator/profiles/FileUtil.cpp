#include "FileUtil.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#endif

namespace fs = std::filesystem;

namespace {

constexpr int kReplaceAttempts = 5;
constexpr auto kReplaceRetryDelay = std::chrono::milliseconds(50);

#ifdef _WIN32
unsigned long ProcessId() {
    return GetCurrentProcessId();
}
#else
unsigned long ProcessId() {
    return static_cast<unsigned long>(getpid());
}
#endif

// A file that already holds exactly these bytes is left as it is: Apply writes five profiles and
// the macros each time, mostly unchanged, and each write waits for the disk.
bool HoldsBytes(const fs::path& path, const uint8_t* data, size_t size) {
    std::vector<uint8_t> existing;
    return ReadWholeFile(path, existing, size) && existing.size() == size &&
           std::equal(existing.begin(), existing.end(), data);
}

}  // namespace

fs::path TemporaryPathBeside(const fs::path& path) {
    static std::atomic<unsigned> counter{0};
    fs::path temp = path;
    temp += ".tmp" + std::to_string(ProcessId()) + "-" + std::to_string(counter++);
    return temp;
}

#ifdef _WIN32

bool ReadWholeFile(const fs::path& path, std::vector<uint8_t>& bytes, uintmax_t maxBytes) {
    // Other readers may share the file; writers are shut out while it is read.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size{};
    bool ok = GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) &&
              static_cast<uintmax_t>(size.QuadPart) <= maxBytes;
    if (ok) {
        bytes.assign(static_cast<size_t>(size.QuadPart), 0);
        size_t done = 0;
        while (ok && done < bytes.size()) {
            DWORD got = 0;
            const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
            ok = ReadFile(file, bytes.data() + done, want, &got, nullptr) && got > 0;
            done += got;
        }
    }
    CloseHandle(file);
    return ok;
}

bool ReplaceFile(const fs::path& from, const fs::path& to) {
    for (int attempt = 0; attempt < kReplaceAttempts; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)
            break;
        std::this_thread::sleep_for(kReplaceRetryDelay);
    }
    return false;
}

bool WriteFileAtomically(const fs::path& path, const uint8_t* data, size_t size) {
    // No name, no file: an empty path must not turn into a temporary in the current folder.
    if (!path.has_filename())
        return false;
    if (HoldsBytes(path, data, size))
        return true;
    const fs::path temp = TemporaryPathBeside(path);
    HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    size_t done = 0;
    while (ok && done < size) {
        DWORD wrote = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(size - done, 1 << 20));
        ok = WriteFile(file, data + done, want, &wrote, nullptr) && wrote == want;
        done += wrote;
    }
    ok = ok && FlushFileBuffers(file);
    CloseHandle(file);
    if (ok)
        ok = ReplaceFile(temp, path);
    if (!ok)
        DeleteFileW(temp.c_str());
    return ok;
}

#else

bool ReadWholeFile(const fs::path& path, std::vector<uint8_t>& bytes, uintmax_t maxBytes) {
    // Non-blocking, so that a pipe in the file's place cannot stall the open; it is refused below.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat info {};
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
              static_cast<uintmax_t>(info.st_size) <= maxBytes;
    if (ok) {
        bytes.assign(static_cast<size_t>(info.st_size), 0);
        size_t done = 0;
        while (ok && done < bytes.size()) {
            const ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
            if (got < 0 && errno == EINTR)
                continue;
            ok = got > 0;
            if (ok)
                done += static_cast<size_t>(got);
        }
    }
    close(fd);
    return ok;
}

bool ReplaceFile(const fs::path& from, const fs::path& to) {
    // A folder in the target's place must not be swallowed by rename(2).
    std::error_code ec;
    if (fs::is_directory(to, ec))
        return false;
    for (int attempt = 0; attempt < kReplaceAttempts; ++attempt) {
        if (std::rename(from.c_str(), to.c_str()) == 0)
            return true;
        if (errno != EBUSY && errno != ETXTBSY)
            break;
        std::this_thread::sleep_for(kReplaceRetryDelay);
    }
    return false;
}

bool WriteFileAtomically(const fs::path& path, const uint8_t* data, size_t size) {
    // No name, no file: an empty path must not turn into a temporary in the current folder.
    if (!path.has_filename())
        return false;
    if (HoldsBytes(path, data, size))
        return true;
    const fs::path temp = TemporaryPathBeside(path);
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    bool ok = true;
    size_t done = 0;
    while (ok && done < size) {
        const ssize_t wrote = write(fd, data + done, size - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        ok = wrote > 0;
        if (ok)
            done += static_cast<size_t>(wrote);
    }
    ok = ok && fsync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    if (ok)
        ok = ReplaceFile(temp, path);
    if (!ok)
        unlink(temp.c_str());
    return ok;
}

#endif
