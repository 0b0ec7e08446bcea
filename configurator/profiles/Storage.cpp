#include "Storage.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <system_error>

#include "FileUtil.h"

#ifdef _WIN32
#include <windows.h>
#include <shlobj.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

#ifdef _WIN32

fs::path AppDataFolder() {
    wchar_t buffer[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, buffer, CSIDL_APPDATA, FALSE))
        return {};
    return fs::path(buffer);
}

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

fs::path AppDataFolder() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/')
        return fs::path(xdg);
    if (const char* home = std::getenv("HOME"); home && *home)
        return fs::path(home) / ".local" / "share";
    return {};
}

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

// Without an application-data folder there is no data folder: a relative one would put the user's
// files wherever the program happens to be started.
fs::path DataFolder() {
    const fs::path base = AppDataFolder();
    return base.empty() ? fs::path() : base / "Velmor" / "ORVA7100";
}
fs::path ProfileFolder() {
    const fs::path data = DataFolder();
    return data.empty() ? data : data / "Profiles";
}
fs::path MacroFolder() {
    const fs::path data = DataFolder();
    return data.empty() ? data : data / "Macros";
}

fs::path DefaultProfilePath(int slot) {
    const fs::path profiles = ProfileFolder();
    return profiles.empty() ? profiles : profiles / ("Default" + std::to_string(slot) + ".profile");
}

int RemoveStaleSaveLeftovers() {
    int removed = 0;
    for (const fs::path& folder : {ProfileFolder(), MacroFolder()}) {
        if (!folder.empty())
            removed += RemoveStaleTemporaries(folder);
    }
    return removed;
}

namespace {

void CreateEachLevel(const fs::path& folder) {
    std::error_code ec;
    fs::path prefix;
    for (const fs::path& part : folder) {
        prefix /= part;
        if (!fs::exists(prefix, ec))
            fs::create_directory(prefix, ec);
    }
}

}  // namespace

void CreateFolderTree(const fs::path& path) {
    std::error_code ec;
    if (path.empty() || fs::exists(path, ec))
        return;
    // A last component with a dot names a file: only its folder is made.
    if (path.filename().native().find('.') != fs::path::string_type::npos)
        CreateEachLevel(path.parent_path());
    else
        CreateEachLevel(path);
}

void CreateFolderTreeForFile(const fs::path& path) {
    std::error_code ec;
    const fs::path folder = path.parent_path();
    if (folder.empty() || fs::exists(folder, ec))
        return;
    CreateEachLevel(folder);
}
