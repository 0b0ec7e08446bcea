// Values read from config.ini, the command line and layout strings: the path and text
// handling stays within its bounds whatever the text.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "logic/ButtonLayout.h"
#include "logic/LaunchMode.h"
#include "logic/UpdaterPaths.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The same bytes read as UTF-16 units (config.ini values) and as a layout string.
    std::wstring wide;
    for (size_t i = 0; i + 1 < size; i += 2)
        wide.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    const std::wstring folder = UpdaterPaths::FolderOf(wide);
    const std::wstring firmware = UpdaterPaths::FirmwareFile(folder, wide);
    if (firmware.size() > folder.size() + UpdaterPaths::kNameBufferChars)
        std::abort();
    (void)UpdaterPaths::MonitorProgram(folder);
    (void)UpdaterPaths::MonitorProgram(wide);
    (void)LaunchModeFromCommandLine(wide);

    ButtonLayout layout;
    ButtonLayout::Parse(std::string(reinterpret_cast<const char*>(data), size), layout);
    if (layout.name.size() > ButtonLayout::kMaxName || layout.text.size() > ButtonLayout::kMaxText)
        std::abort();
    return 0;
}
