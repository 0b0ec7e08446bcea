#include "profiles/Storage.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <system_error>

#include "base/FileUtil.h"

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

#else

fs::path AppDataFolder() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/')
        return fs::path(xdg);
    if (const char* home = std::getenv("HOME"); home && *home)
        return fs::path(home) / ".local" / "share";
    return {};
}

#endif

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
