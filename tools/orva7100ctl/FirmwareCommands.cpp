// The 'firmware' command group: firmware image files as the updater sends them.

#include <filesystem>
#include <string>
#include <system_error>

#include <nlohmann/json.hpp>

#include "Cli.h"
#include "logic/FirmwareImage.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

const char kUsage[] =
    "usage: orva7100ctl firmware info FILE\n"
    "\n"
    "commands:\n"
    "  info FILE   print the image's length, the number of 1024-byte blocks a transfer sends\n"
    "              and the 16-bit checksum of each block as JSON:\n"
    "              {\"length\": N, \"blocks\": N, \"checksums\": [N, ...]}\n"
    "\n"
    "An image holds at most 200 blocks (204800 bytes); a longer file is refused.\n";

int Info(const std::string& file) {
    std::error_code error;
    // Arguments arrive as UTF-8 on every platform.
    const fs::path path(std::u8string(file.begin(), file.end()));
    if (!fs::is_regular_file(path, error))
        return Fail(kExitBadInput, file + ": not a readable file");
    const uintmax_t size = fs::file_size(path, error);
    if (!error && size > FirmwareImage::kMaxImageBytes) {
        return Fail(kExitBadInput, file + ": " + std::to_string(size) +
                                       " bytes do not fit the 204800 bytes of a firmware image");
    }
    FirmwareImage image;
    image.SetPath(path);
    if (image.Load() == 0)
        return Fail(kExitBadInput, file + ": cannot be read");
    json checksums = json::array();
    for (size_t index = 0; index < image.BlockCount(); ++index)
        checksums.push_back(image.Checksum(index));
    const json info = {{"length", image.Length()},
                       {"blocks", image.BlockCount()},
                       {"checksums", std::move(checksums)}};
    const std::string text = info.dump() + "\n";
    return WriteStdout(text.data(), text.size()) ? kExitOk
                                                 : Fail(kExitBadInput, "cannot write the output");
}

}  // namespace

int RunFirmwareCommand(const Args& args, const GlobalOptions&) {
    if (WantsHelp(args)) {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    if (args.size() == 2 && args[0] == "info")
        return Info(args[1]);
    std::fputs(kUsage, stderr);
    return kExitUsage;
}
