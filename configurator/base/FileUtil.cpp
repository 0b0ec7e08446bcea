#include "base/FileUtil.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <string>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#endif

#include "base/ScopedHandle.h"

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

namespace {

using NameText = fs::path::string_type;

// The decimal number written by std::to_string in name[first, last): no sign, no leading zero,
// at most `maxDigits` digits. Empty for anything else.
std::optional<uint64_t> DecimalAt(const NameText& name, size_t first, size_t last,
                                  size_t maxDigits) {
    if (first >= last || last - first > maxDigits || (name[first] == '0' && last - first > 1))
        return std::nullopt;
    uint64_t value = 0;
    for (size_t i = first; i < last; ++i) {
        if (name[i] < '0' || name[i] > '9')
            return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(name[i] - '0');
    }
    return value;
}

}  // namespace

std::optional<uint32_t> TemporaryFileWriter(const fs::path& path) {
    const NameText name = path.filename().native();
    const size_t dash = name.rfind('-');
    const size_t mark = name.rfind('.', dash);
    constexpr size_t kMarkLength = 4;  // ".tmp"
    // A target's name must come before the mark: ".tmp1-2" alone is nobody's temporary.
    if (dash == NameText::npos || mark == NameText::npos || mark == 0 ||
        name.compare(mark, kMarkLength, NameText{'.', 't', 'm', 'p'}) != 0)
        return std::nullopt;
    const auto writer = DecimalAt(name, mark + kMarkLength, dash, 10);
    const auto counter = DecimalAt(name, dash + 1, name.size(), 10);
    if (!writer || !counter || *writer > UINT32_MAX || *counter > UINT32_MAX)
        return std::nullopt;
    return static_cast<uint32_t>(*writer);
}

int RemoveStaleTemporaries(const fs::path& folder,
                           const std::function<bool(uint32_t)>& mayBeRunning) {
    std::vector<fs::path> stale;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::optional<uint32_t> writer = TemporaryFileWriter(it->path());
        if (!writer)
            continue;
        // A link or a folder under such a name is nothing a save leaves behind.
        std::error_code statusError;
        if (it->symlink_status(statusError).type() != fs::file_type::regular)
            continue;
        // The writer may be about to move it into place.
        if (!mayBeRunning(*writer))
            stale.push_back(it->path());
    }
    int removed = 0;
    for (const fs::path& path : stale) {
        std::error_code removeError;
        if (fs::remove(path, removeError))
            ++removed;
    }
    return removed;
}

#ifdef _WIN32

bool ProcessMayBeRunning(uint32_t processId) {
    if (processId == GetCurrentProcessId())
        return true;
    const ScopedHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    // The system answers an id that names no process with an invalid parameter; anything else
    // (access denied to another user's process) may be a live writer.
    if (!process)
        return GetLastError() != ERROR_INVALID_PARAMETER;
    return WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
}

bool ReadWholeFile(const fs::path& path, std::vector<uint8_t>& bytes, uintmax_t maxBytes) {
    // Other readers may share the file; writers are shut out while it is read.
    const ScopedHandle owner(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    const HANDLE file = owner.Get();
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

// Writes the whole temporary and flushes it to the disk; closed on return.
static bool WriteAndFlush(const fs::path& temp, const uint8_t* data, size_t size) {
    const ScopedHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    size_t done = 0;
    while (ok && done < size) {
        DWORD wrote = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(size - done, 1 << 20));
        ok = WriteFile(file.Get(), data + done, want, &wrote, nullptr) && wrote == want;
        done += wrote;
    }
    return ok && FlushFileBuffers(file.Get());
}

#else

bool ProcessMayBeRunning(uint32_t processId) {
    // 0 and values beyond pid_t are no single process (kill would take them for a group).
    if (processId == 0 || processId > static_cast<uint32_t>(INT_MAX))
        return false;
    if (kill(static_cast<pid_t>(processId), 0) == 0)
        return true;
    return errno != ESRCH;
}

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

// Writes the whole temporary and flushes it to the disk; closed on return.
static bool WriteAndFlush(const fs::path& temp, const uint8_t* data, size_t size) {
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
    return (close(fd) == 0) && ok;
}

#endif

bool WriteFileAtomically(const fs::path& path, const uint8_t* data, size_t size) {
    // No name, no file: an empty path must not turn into a temporary in the current folder.
    if (!path.has_filename())
        return false;
    if (HoldsBytes(path, data, size))
        return true;
    const fs::path temp = TemporaryPathBeside(path);
    // The temporary is closed before it replaces the target.
    const bool ok = WriteAndFlush(temp, data, size) && ReplaceFile(temp, path);
    if (!ok) {
        std::error_code ignored;
        fs::remove(temp, ignored);
    }
    return ok;
}
