#include "Storage.h"

#include <cstdlib>
#include <string>
#include <system_error>

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
    wchar_t buffer[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return {};
    return FolderOfExecutablePath(fs::path(buffer));
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

fs::path DataFolder() {
    return AppDataFolder() / "Velmor" / "ORVA7100";
}
fs::path ProfileFolder() {
    return DataFolder() / "Profiles";
}
fs::path MacroFolder() {
    return DataFolder() / "Macros";
}

fs::path DefaultProfilePath(int slot) {
    return ProfileFolder() / ("Default" + std::to_string(slot) + ".profile");
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
