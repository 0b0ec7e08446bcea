// orva7100ctl image: what a 2048-byte on-board profile holds, for slots read from a mouse.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <vector>

#include "Cli.h"
#include "profiles/DeviceImageReader.h"

namespace {

const char kUsage[] =
    "usage: orva7100ctl image show FILE\n"
    "  show FILE   print a 2048-byte device image (a mouse's slot) as JSON\n";

nlohmann::json ImageToJson(const DecodedImage& image) {
    nlohmann::json buttons = nlohmann::json::array();
    for (const ImageButton& button : image.buttons) {
        nlohmann::json entry = {{"buttonIndex", button.buttonIndex},
                                {"function", button.function},
                                {"address", button.address},
                                {"keyUsage", button.keyUsage}};
        if (button.function == kFunctionMacro) {
            nlohmann::json events = nlohmann::json::array();
            for (const ImageMacroEvent& event : button.macro) {
                events.push_back({{"kind", event.kind},
                                  {"usage", event.usage},
                                  {"action", event.action},
                                  {"delay", event.delay}});
            }
            entry["macro"] = events;
        }
        buttons.push_back(entry);
    }
    return {{"imageLength", image.imageLength},
            {"index", image.index},
            {"dpi", image.dpi},
            {"ledColour", image.ledColour},
            {"ledKind", image.ledKind},
            {"ledMode", image.ledMode},
            {"liftDistance", image.liftDistance},
            {"reportRateBefore109", image.reportRateOld},
            {"reportRateFrom109", image.reportRateNew},
            {"buttons", buttons}};
}

int ShowImage(const std::string& file) {
    std::ifstream in(std::filesystem::u8path(file), std::ios::binary);
    if (!in) {
        return Fail(kExitBadInput, "cannot read '" + file + "'");
    }
    std::vector<uint8_t> bytes;
    char chunk[4096];
    // Read no more than one byte past an image: anything longer is not one.
    while (bytes.size() <= kDeviceImageSize && in.read(chunk, sizeof chunk).gcount() > 0) {
        bytes.insert(bytes.end(), chunk, chunk + in.gcount());
    }
    const auto image = DecodeDeviceImage(bytes.data(), bytes.size());
    if (!image) {
        return Fail(kExitBadInput, "'" + file + "' is not a 2048-byte profile image");
    }
    std::printf("%s\n", ImageToJson(*image).dump(2).c_str());
    return kExitOk;
}

}  // namespace

int RunImageCommand(const Args& args, const GlobalOptions&) {
    if (args.empty() || WantsHelp(args)) {
        std::fputs(kUsage, args.empty() ? stderr : stdout);
        return args.empty() ? kExitUsage : kExitOk;
    }
    if (args[0] == "show" && args.size() == 2) {
        return ShowImage(args[1]);
    }
    return Fail(kExitUsage, "usage: orva7100ctl image show FILE");
}
