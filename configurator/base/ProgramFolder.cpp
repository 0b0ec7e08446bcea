#include "base/ProgramFolder.h"

#include <algorithm>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

#ifdef _WIN32

fs::path ApplicationFolder() {
    // Installed deep enough, the program's path is longer than MAX_PATH.
    const std::u16string path = ReadGrowingText([](char16_t* buffer, uint32_t size) {
        return static_cast<uint32_t>(
            GetModuleFileNameW(nullptr, reinterpret_cast<wchar_t*>(buffer), size));
    });
    if (path.empty())
        return {};
    return FolderOfExecutablePath(fs::path(std::wstring(path.begin(), path.end())));
}

#else

fs::path ApplicationFolder() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {};
    return FolderOfExecutablePath(self);
}

#endif

std::u16string ReadGrowingText(
    const std::function<uint32_t(char16_t* buffer, uint32_t size)>& query) {
    constexpr uint32_t kLongestPath = 32768;
    for (uint32_t size = 260;; size = std::min(2 * size, kLongestPath)) {
        std::u16string buffer(size, u'\0');
        const uint32_t n = query(buffer.data(), size);
        if (n == 0 || (n >= size && size == kLongestPath))
            return {};
        if (n < size) {
            buffer.resize(n);
            return buffer;
        }
    }
}

fs::path FolderOfExecutablePath(const fs::path& executable) {
    const auto& text = executable.native();
    const auto cut = text.find_last_of(
#ifdef _WIN32
        L"\\/"
#else
        "/"
#endif
    );
    if (cut == std::remove_reference_t<decltype(text)>::npos)
        return {};
    return fs::path(text.substr(0, cut));
}
