#include "logic/UpdaterPaths.h"

std::wstring UpdaterPaths::FolderOf(std::wstring_view programPath) {
    const size_t slash = programPath.find_last_of(L"\\/");
    if (slash == std::wstring_view::npos)
        return {};
    return std::wstring(programPath.substr(0, slash + 1));
}

std::wstring UpdaterPaths::ConfigIni(std::wstring_view folder) {
    return std::wstring(folder) + L"config.ini";
}

std::wstring UpdaterPaths::DriverLibrary(std::wstring_view folder) {
    return std::wstring(folder) + L"hiddriver.dll";
}

std::wstring UpdaterPaths::MonitorProgram(std::wstring_view folder) {
    std::wstring_view parent = folder;
    if (!parent.empty() && parent.back() == L'\\')
        parent.remove_suffix(1);
    const size_t slash = parent.rfind(L'\\');
    // A folder at the top of a drive has no parent: the monitor is looked for beside it.
    if (slash != std::wstring_view::npos)
        parent = parent.substr(0, slash);
    return std::wstring(parent) + L"\\ORVA_Monitor.EXE";
}

std::wstring UpdaterPaths::FirmwareFile(std::wstring_view folder, std::wstring_view name) {
    name = name.substr(0, kNameBufferChars - 1);
    if (name.find(L'\\') != std::wstring_view::npos)
        return std::wstring(name);
    return std::wstring(folder) + std::wstring(name);
}
