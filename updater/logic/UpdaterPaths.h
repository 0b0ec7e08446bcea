#pragma once
// Where the updater finds its files, all worked out from the full path of its own program:
// config.ini and hiddriver.dll beside it, the monitor program one folder up.

#include <string>
#include <string_view>

class UpdaterPaths {
  public:
    // Characters the firmware name is read into from config.ini, terminator included.
    static constexpr size_t kNameBufferChars = 260;

    // Drive and folder of the program, ending in a backslash; empty when it has none.
    static std::wstring FolderOf(std::wstring_view programPath);
    static std::wstring ConfigIni(std::wstring_view folder);
    static std::wstring DriverLibrary(std::wstring_view folder);
    // The folder without its trailing backslash, cut once more at its last backslash,
    // followed by "\ORVA_Monitor.EXE".
    static std::wstring MonitorProgram(std::wstring_view folder);
    // The firmware file named by config.ini: a name without a backslash lies in the folder,
    // a name with one is used as it is.
    static std::wstring FirmwareFile(std::wstring_view folder, std::wstring_view name);
};
