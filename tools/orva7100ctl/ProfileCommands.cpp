// The 'profile' command group: inspect, build and encode profile files.

#include <cstdio>
#include <fstream>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "Cli.h"
#include "base/FileUtil.h"
#include "base/TextConvert.h"
#include "profiles/DeviceImage.h"
#include "profiles/Profile.h"
#include "profiles/ProfileFile.h"

using Json = nlohmann::ordered_json;

namespace {

const char kProfileUsage[] =
    "usage: orva7100ctl profile COMMAND ...\n"
    "  show FILE                          print the profile as JSON\n"
    "  image FILE [--firmware N] [--raw]  print its 2048-byte device image (hex, or raw bytes)\n"
    "  new [--name TEXT] [--index N] [--double-click N] -o FILE\n"
    "                                     write a default profile\n"
    "  build JSON_FILE -o FILE            write a profile file from JSON of the 'show' form\n";

Json EventsToJson(const std::vector<CMacroEvent>& events) {
    Json list = Json::array();
    for (const CMacroEvent& event : events) {
        list.push_back(Json{{"kind", event.kind},
                            {"code", event.code},
                            {"action", event.action},
                            {"delay", event.delay}});
    }
    return list;
}

Json ProfileToJson(const Profile& profile) {
    Json json;
    json["name"] = Utf16ToUtf8(profile.name);
    json["index"] = profile.index;
    json["imageLength"] = profile.imageLength;
    json["reportRate"] = profile.reportRate;
    json["doubleClickValue"] = profile.doubleClickValue;
    json["scrollLines"] = profile.scrollLines;
    json["scrollByLines"] = profile.scrollByLines;
    json["scrollByPage"] = profile.scrollByPage;
    json["accelerationOn"] = profile.accelerationOn;
    json["separateXY"] = profile.separateXY;
    json["dpiStage"] = profile.dpiStage;
    Json dpi = Json::array();
    for (int stage = 0; stage < kDpiStageCount; ++stage)
        dpi.push_back(Json::array({profile.dpi[2 * stage], profile.dpi[2 * stage + 1]}));
    json["dpi"] = dpi;
    json["pointerSpeed"] = profile.pointerSpeed;
    json["liftDistance"] = profile.liftDistance;
    json["surfaceQuality"] = profile.surfaceQuality;
    json["ledColour"] = profile.ledColour;
    json["ledMode"] = profile.ledMode;
    Json buttons = Json::array();
    for (const ButtonAssignment& button : profile.buttons) {
        buttons.push_back(Json{{"buttonIndex", button.buttonIndex},
                               {"function", button.function},
                               {"value", button.value}});
    }
    json["buttons"] = buttons;
    Json macros = Json::array();
    for (const CButtonMacro& macro : profile.macros) {
        macros.push_back(Json{{"id", macro.id},
                              {"name", Utf16ToUtf8(macro.name)},
                              {"events", EventsToJson(macro.events)}});
    }
    json["macros"] = macros;
    return json;
}

// Reads JSON numbers into fields of a given type, remembering the first problem.
class JsonReader {
  public:
    template <typename T>
    void Number(const Json& parent, const char* key, T& field) {
        if (!parent.contains(key))
            return;
        NumberAt(parent.at(key), key, field);
    }

    template <typename T>
    void NumberAt(const Json& value, const std::string& what, T& field) {
        if (!error.empty())
            return;
        if (!value.is_number_integer()) {
            error = "'" + what + "' must be an integer";
            return;
        }
        const bool isUnsigned = value.is_number_unsigned();
        const long long min = static_cast<long long>(std::numeric_limits<T>::min());
        const unsigned long long max =
            static_cast<unsigned long long>(std::numeric_limits<T>::max());
        bool inRange;
        if (isUnsigned) {
            inRange = value.get<unsigned long long>() <= max;
        } else {
            const long long v = value.get<long long>();
            inRange = v >= min && (v < 0 || static_cast<unsigned long long>(v) <= max);
        }
        if (!inRange) {
            error = "'" + what + "' is out of range";
            return;
        }
        field = isUnsigned ? static_cast<T>(value.get<unsigned long long>())
                           : static_cast<T>(value.get<long long>());
    }

    void Text(const Json& parent, const char* key, std::u16string& field) {
        if (!error.empty() || !parent.contains(key))
            return;
        if (!parent.at(key).is_string()) {
            error = std::string("'") + key + "' must be a string";
            return;
        }
        field = Utf8ToUtf16(parent.at(key).get<std::string>());
    }

    bool Array(const Json& parent, const char* key, size_t size) {
        if (!error.empty() || !parent.contains(key))
            return false;
        const Json& value = parent.at(key);
        if (!value.is_array() || (size != 0 && value.size() != size)) {
            error = std::string("'") + key + "' must be an array" +
                    (size ? " of " + std::to_string(size) + " entries" : "");
            return false;
        }
        return true;
    }

    void Known(const Json& object, std::initializer_list<const char*> keys,
               const std::string& where) {
        if (!error.empty())
            return;
        if (!object.is_object()) {
            error = where + " must be an object";
            return;
        }
        for (const auto& item : object.items()) {
            bool known = false;
            for (const char* key : keys)
                known = known || item.key() == key;
            if (!known) {
                error = "unknown key '" + item.key() + "' in " + where;
                return;
            }
        }
    }

    std::string error;
};

bool JsonToProfile(const Json& json, Profile& profile, std::string& error) {
    JsonReader in;
    in.Known(json,
             {"name", "index", "imageLength", "reportRate", "doubleClickValue", "scrollLines",
              "scrollByLines", "scrollByPage", "accelerationOn", "separateXY", "dpiStage", "dpi",
              "pointerSpeed", "liftDistance", "surfaceQuality", "ledColour", "ledMode", "buttons",
              "macros"},
             "the profile");
    in.Text(json, "name", profile.name);
    in.Number(json, "index", profile.index);
    in.Number(json, "imageLength", profile.imageLength);
    in.Number(json, "reportRate", profile.reportRate);
    in.Number(json, "doubleClickValue", profile.doubleClickValue);
    in.Number(json, "scrollLines", profile.scrollLines);
    in.Number(json, "scrollByLines", profile.scrollByLines);
    in.Number(json, "scrollByPage", profile.scrollByPage);
    in.Number(json, "accelerationOn", profile.accelerationOn);
    in.Number(json, "separateXY", profile.separateXY);
    in.Number(json, "dpiStage", profile.dpiStage);
    if (in.Array(json, "dpi", kDpiStageCount)) {
        for (int stage = 0; stage < kDpiStageCount; ++stage) {
            const Json& pair = json["dpi"][stage];
            if (!pair.is_array() || pair.size() != 2) {
                in.error = "'dpi' entries must be [x, y] pairs";
                break;
            }
            in.NumberAt(pair[0], "dpi", profile.dpi[2 * stage]);
            in.NumberAt(pair[1], "dpi", profile.dpi[2 * stage + 1]);
        }
    }
    in.Number(json, "pointerSpeed", profile.pointerSpeed);
    in.Number(json, "liftDistance", profile.liftDistance);
    in.Number(json, "surfaceQuality", profile.surfaceQuality);
    in.Number(json, "ledColour", profile.ledColour);
    in.Number(json, "ledMode", profile.ledMode);
    if (in.Array(json, "buttons", kButtonCount)) {
        for (int k = 0; k < kButtonCount; ++k) {
            const Json& button = json["buttons"][k];
            in.Known(button, {"buttonIndex", "function", "value"}, "a button");
            in.Number(button, "buttonIndex", profile.buttons[k].buttonIndex);
            in.Number(button, "function", profile.buttons[k].function);
            in.Number(button, "value", profile.buttons[k].value);
        }
    }
    if (in.Array(json, "macros", kButtonCount)) {
        for (int k = 0; k < kButtonCount; ++k) {
            const Json& macro = json["macros"][k];
            in.Known(macro, {"id", "name", "events"}, "a macro");
            in.Number(macro, "id", profile.macros[k].id);
            in.Text(macro, "name", profile.macros[k].name);
            if (!in.Array(macro, "events", 0))
                continue;
            profile.macros[k].events.clear();
            for (const Json& item : macro["events"]) {
                CMacroEvent event;
                in.Known(item, {"kind", "code", "action", "delay"}, "a macro event");
                in.Number(item, "kind", event.kind);
                in.Number(item, "code", event.code);
                in.Number(item, "action", event.action);
                in.Number(item, "delay", event.delay);
                profile.macros[k].events.push_back(event);
            }
        }
    }
    error = in.error;
    return error.empty();
}

bool LoadProfileArgument(const std::string& path, Profile& profile) {
    return LoadProfileFile(std::filesystem::u8path(path), profile);
}

int ShowCommand(const Args& args) {
    if (args.size() != 1)
        return Fail(kExitUsage, "usage: orva7100ctl profile show FILE");
    Profile profile;
    if (!LoadProfileArgument(args[0], profile))
        return Fail(kExitBadInput, "'" + args[0] + "' is not a readable profile file");
    std::printf("%s\n", ProfileToJson(profile).dump(2).c_str());
    return kExitOk;
}

int ImageCommand(const Args& args) {
    std::string file;
    long long firmware = 0;
    bool raw = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--raw") {
            raw = true;
        } else if (args[i] == "--firmware") {
            if (i + 1 >= args.size() || !ParseInt(args[i + 1], INT32_MIN, INT32_MAX, firmware))
                return Fail(kExitUsage, "--firmware needs a whole number");
            ++i;
        } else if (file.empty() && args[i].rfind("--", 0) != 0) {
            file = args[i];
        } else {
            return Fail(kExitUsage, "usage: orva7100ctl profile image FILE [--firmware N] [--raw]");
        }
    }
    if (file.empty())
        return Fail(kExitUsage, "usage: orva7100ctl profile image FILE [--firmware N] [--raw]");
    Profile profile;
    if (!LoadProfileArgument(file, profile))
        return Fail(kExitBadInput, "'" + file + "' is not a readable profile file");
    profile.firmwareVersion = static_cast<int32_t>(firmware);
    const auto image = BuildDeviceImage(profile);
    if (!image) {
        return Fail(kExitBadInput, "the macros of '" + file + "' need " +
                                       std::to_string(DeviceImageLength(profile)) +
                                       " bytes, more than the mouse's 2048");
    }
    if (raw)
        return WriteStdout(image->data(), image->size()) ? kExitOk : kExitBadInput;
    for (int offset = 0; offset < kDeviceImageSize; offset += 16) {
        std::printf("%04x:", offset);
        for (int i = 0; i < 16; ++i)
            std::printf(" %02x", (*image)[offset + i]);
        std::printf("\n");
    }
    return kExitOk;
}

int NewCommand(const Args& args) {
    Profile profile;
    profile.doubleClickValue = 500;
    std::string output;
    for (size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        long long number = 0;
        if (args[i] == "--name" && hasValue) {
            profile.name = Utf8ToUtf16(args[++i]);
        } else if (args[i] == "--index" && hasValue) {
            if (!ParseInt(args[++i], 0, 255, number))
                return Fail(kExitUsage, "--index takes 0 .. 255");
            profile.index = static_cast<uint8_t>(number);
        } else if (args[i] == "--double-click" && hasValue) {
            if (!ParseInt(args[++i], INT16_MIN, INT16_MAX, number))
                return Fail(kExitUsage, "--double-click takes a 16-bit number");
            profile.doubleClickValue = static_cast<int16_t>(number);
        } else if (args[i] == "-o" && hasValue) {
            output = args[++i];
        } else {
            return Fail(kExitUsage,
                        "usage: orva7100ctl profile new [--name TEXT] [--index N] "
                        "[--double-click N] -o FILE");
        }
    }
    if (output.empty())
        return Fail(kExitUsage, "profile new needs -o FILE");
    if (!SaveProfileFile(profile, std::filesystem::u8path(output)))
        return Fail(kExitBadInput, "cannot write '" + output + "'");
    return kExitOk;
}

int BuildCommand(const Args& args) {
    if (args.size() != 3 || args[1] != "-o")
        return Fail(kExitUsage, "usage: orva7100ctl profile build JSON_FILE -o FILE");
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(std::filesystem::u8path(args[0]), bytes))
        return Fail(kExitBadInput, "cannot read '" + args[0] + "'");
    const Json json = Json::parse(bytes.begin(), bytes.end(), nullptr, false);
    if (json.is_discarded())
        return Fail(kExitBadInput, "'" + args[0] + "' is not valid JSON");
    Profile profile;
    std::string error;
    if (!JsonToProfile(json, profile, error))
        return Fail(kExitBadInput, args[0] + ": " + error);
    if (!SaveProfileFile(profile, std::filesystem::u8path(args[2])))
        return Fail(kExitBadInput, "cannot write '" + args[2] + "'");
    return kExitOk;
}

}  // namespace

int RunProfileCommand(const Args& args, const GlobalOptions&) {
    if (args.empty()) {
        std::fputs(kProfileUsage, stderr);
        return kExitUsage;
    }
    if (WantsHelp(args)) {
        std::fputs(kProfileUsage, stdout);
        return kExitOk;
    }
    const Args rest(args.begin() + 1, args.end());
    if (args[0] == "show")
        return ShowCommand(rest);
    if (args[0] == "image")
        return ImageCommand(rest);
    if (args[0] == "new")
        return NewCommand(rest);
    if (args[0] == "build")
        return BuildCommand(rest);
    std::fputs(kProfileUsage, stderr);
    return Fail(kExitUsage, "unknown profile command '" + args[0] + "'");
}
