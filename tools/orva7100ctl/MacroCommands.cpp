// The 'macro' command group: macro files and the macro folder as JSON.

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <nlohmann/json.hpp>

#include "Cli.h"
#include "base/FileUtil.h"
#include "base/TextConvert.h"
#include "macros/MacroCollection.h"
#include "macros/MacroFile.h"
#include "macros/PathText.h"
#include "profiles/DataStream.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

const char kUsage[] =
    "usage: orva7100ctl macro COMMAND ARG\n"
    "\n"
    "commands:\n"
    "  show FILE     print one .macro file as JSON (name, id, bounds, events)\n"
    "  list FOLDER   load the folder through its macroList.dat and print its macros in index\n"
    "                order, each with the path the index stores\n"
    "  copy FILE     print the copy of the macro that a profile keeps for a button, terminating\n"
    "                all-zero event included\n";

// Arguments arrive as UTF-8 on every system.
fs::path ArgumentPath(const std::string& argument) {
    return PathFromText(Utf8ToUtf16(argument));
}

json RectJson(const MacroRect& rect) {
    return json::array({rect.left, rect.top, rect.right, rect.bottom});
}

json MacroJson(const CMacro& macro) {
    json events = json::array();
    for (const CEventItem& event : macro.events) {
        events.push_back({{"kind", event.kind},
                          {"code", event.code},
                          {"action", event.action},
                          {"delay", event.delay},
                          {"row", RectJson(event.row)},
                          {"selected", event.selected},
                          {"id", event.id}});
    }
    return {{"name", Utf16ToUtf8(macro.name)},
            {"id", macro.id},
            {"bounds", RectJson(macro.bounds)},
            {"events", std::move(events)}};
}

int Print(const json& value) {
    const std::string text = value.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
    return WriteStdout(text.data(), text.size()) ? kExitOk
                                                 : Fail(kExitBadInput, "cannot write the output");
}

// Reads one macro file; prints the reason and returns false when it is not one.
bool ReadMacroFile(const std::string& file, CMacro& macro) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(ArgumentPath(file), bytes, kMaxMacroFileBytes)) {
        Fail(kExitBadInput, file + ": cannot be read");
        return false;
    }
    DataStream in(std::move(bytes));
    if (!DecodeMacroFile(in, macro)) {
        Fail(kExitBadInput, file + ": not a macro file (it ends before its counts say)");
        return false;
    }
    return true;
}

int Show(const std::string& file) {
    CMacro macro;
    if (!ReadMacroFile(file, macro))
        return kExitBadInput;
    return Print(MacroJson(macro));
}

int Copy(const std::string& file) {
    MacroCollection collection;
    CMacro macro;
    if (!ReadMacroFile(file, macro))
        return kExitBadInput;
    CMacro& held = collection.AddMacro(macro.id, macro.name, macro.bounds);
    held.events = macro.events;
    const std::optional<CButtonMacro> copy = collection.CopyMacroForProfile(macro.id);
    json events = json::array();
    for (const CMacroEvent& event : copy->events) {
        events.push_back({{"kind", event.kind},
                          {"code", event.code},
                          {"action", event.action},
                          {"delay", event.delay}});
    }
    return Print(
        {{"id", copy->id}, {"name", Utf16ToUtf8(copy->name)}, {"events", std::move(events)}});
}

int List(const std::string& folder) {
    std::error_code ec;
    if (!fs::is_directory(ArgumentPath(folder), ec))
        return Fail(kExitBadInput, folder + ": not a folder");
    MacroCollection collection;
    collection.SetFolder(ArgumentPath(folder));
    const MacroLoadResult result = collection.LoadMacros();
    // Skipped entries are what loading does with them; say so without failing.
    for (const std::u16string& path : result.skippedPaths)
        Fail(kExitOk, "warning: skipped '" + Utf16ToUtf8(path) + "': missing, unreadable or short");
    if (!result.indexWhole)
        Fail(kExitOk, "warning: macroList.dat ends inside a path; the rest is ignored");
    json list = json::array();
    for (size_t i = 0; i < collection.Macros().size(); ++i) {
        json entry = MacroJson(*collection.Macros()[i]);
        entry["path"] = Utf16ToUtf8(result.loadedPaths[i]);
        list.push_back(std::move(entry));
    }
    return Print(list);
}

}  // namespace

int RunMacroCommand(const Args& args, const GlobalOptions&) {
    if (WantsHelp(args)) {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    if (args.size() != 2) {
        std::fputs(kUsage, stderr);
        return Fail(kExitUsage,
                    args.empty() ? "macro needs a command" : "wrong number of arguments");
    }
    const std::string& command = args[0];
    if (command == "show")
        return Show(args[1]);
    if (command == "list")
        return List(args[1]);
    if (command == "copy")
        return Copy(args[1]);
    std::fputs(kUsage, stderr);
    return Fail(kExitUsage, "unknown macro command '" + command + "'");
}
