// The 'device' command group: the attached mouse, through the same device link and commands
// as the configurator.

#include <array>
#include <chrono>
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "Cli.h"
#include "device/DeviceClock.h"
#include "device/DeviceLink.h"
#include "device/MouseApply.h"
#include "device/MouseCommands.h"
#include "device/TransportFactory.h"
#include "profiles/ProfileFile.h"

namespace {

const char kDeviceUsage[] =
    "usage: orva7100ctl [--device auto|virtual:HOST:PORT] device COMMAND ...\n"
    "  info                      print the device information as JSON\n"
    "  active                    print the active on-board slot as JSON\n"
    "  select N                  make slot N (0-4) the active one\n"
    "  apply P1 P2 P3 P4 P5 [--current N] [--firmware N] [--timing]\n"
    "                            write five profile files to the mouse as Apply does;\n"
    "                            N of --current is 1-5 (default 1); --timing prints the\n"
    "                            time spent talking to the mouse on stderr\n"
    "  lift test V | lift save V try or store lift distance V (6-31)\n"
    "  surface                   start a surface capture and print the count as JSON\n"
    "'auto' is the virtual mouse named by ORVA7100_VIRTUAL_MOUSE when set, else the system's\n"
    "HID devices.\n"
    "A device failure exits with 1 and prints one JSON line on stderr per failure, e.g.\n"
    "  {\"error\":\"timed-out\",\"message\":\"set current profile id failed.\",\n"
    "   \"cause\":\"the mouse did not answer in time\",\"systemCode\":0}\n"
    "\"message\" is the configurator's message for the step that failed, \"systemCode\" the\n"
    "system's error code (0 when there is none). \"error\" is stable, for scripts:\n"
    "  no-mouse         no mouse found, or it went away\n"
    "  send-failed      the system or the mouse refused a report\n"
    "  no-acknowledge   the mouse answered but never acknowledged a report\n"
    "  wrong-reply      the mouse's reply could not be read\n"
    "  timed-out        the mouse did not answer within the transfer's time limit\n"
    "  image-too-large  a profile's macros do not fit on the mouse; nothing was sent\n";

constexpr const char* kNoMouse = "ORVA mouse no found.";

// One failure as a JSON line on stderr: the configurator's message for it and its cause.
void PrintFailure(const std::string& text, const DeviceResult& cause) {
    const nlohmann::ordered_json json = {{"error", DeviceFaultCode(cause.fault())},
                                         {"message", text},
                                         {"cause", DeviceFaultMessage(cause.fault())},
                                         {"systemCode", cause.systemCode()}};
    std::fprintf(stderr, "%s\n", json.dump().c_str());
}

int DeviceFailure(const std::string& text, const DeviceResult& cause) {
    PrintFailure(text, cause);
    return kExitBadInput;
}

void PrintJson(const nlohmann::ordered_json& json) {
    std::printf("%s\n", json.dump().c_str());
}

class Session {
  public:
    explicit Session(std::unique_ptr<HidTransport> transport)
        : transport_(std::move(transport)), link_(*transport_, clock_) {}
    DeviceLink& Link() { return link_; }

  private:
    std::unique_ptr<HidTransport> transport_;
    SystemDeviceClock clock_;
    DeviceLink link_;
};

int RunApply(const Args& args, DeviceLink& link) {
    std::array<std::string, 5> files;
    size_t fileCount = 0;
    long long current = 1;
    long long firmware = 0;
    bool firmwareGiven = false;
    bool timing = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--timing") {
            timing = true;
        } else if (args[i] == "--current" || args[i] == "--firmware") {
            if (i + 1 >= args.size())
                return Fail(kExitUsage, args[i] + " needs a value");
            const bool isCurrent = args[i] == "--current";
            long long& target = isCurrent ? current : firmware;
            if (!ParseInt(args[i + 1], isCurrent ? 1 : -32768, isCurrent ? 5 : 32767, target))
                return Fail(kExitUsage,
                            args[i] + (isCurrent ? " takes 1 to 5" : " takes a number"));
            firmwareGiven = firmwareGiven || !isCurrent;
            ++i;
        } else if (fileCount < files.size()) {
            files[fileCount++] = args[i];
        } else {
            return Fail(kExitUsage, "apply takes five profile files");
        }
    }
    if (fileCount != files.size())
        return Fail(kExitUsage, "apply takes five profile files");
    ProfileSet profiles;
    for (size_t i = 0; i < files.size(); ++i) {
        if (!LoadProfileFile(std::filesystem::u8path(files[i]), profiles[i]))
            return Fail(kExitBadInput, "cannot read the profile file " + files[i]);
    }
    const auto start = std::chrono::steady_clock::now();
    if (!firmwareGiven) {
        // As on the mouse's arrival: its firmware version decides the image layout.
        DeviceInfo info;
        if (!link.EnsureOpen())
            return DeviceFailure(kNoMouse, DeviceFault::kNoMouse);
        if (ReadDeviceInfo(link, info))
            firmware = info.firmwareVersion;
    }
    for (Profile& profile : profiles)
        profile.firmwareVersion = static_cast<int32_t>(firmware);
    const bool ok = ApplyToMouse(link, profiles, static_cast<int>(current - 1),
                                 [](ApplyMessage message, const DeviceResult& cause) {
                                     PrintFailure(ApplyMessageText(message), cause);
                                 })
                        .ok();
    if (timing) {
        const std::chrono::duration<double, std::milli> spent =
            std::chrono::steady_clock::now() - start;
        std::fprintf(stderr, "device time: %.3f ms\n", spent.count());
    }
    return ok ? kExitOk : kExitBadInput;
}

int RunLift(const Args& args, DeviceLink& link) {
    long long value = 0;
    if (args.size() != 2 || (args[0] != "test" && args[0] != "save") ||
        !ParseInt(args[1], 6, 31, value))
        return Fail(kExitUsage, "lift takes test or save and a value from 6 to 31");
    if (!link.EnsureOpen())
        return DeviceFailure(kNoMouse, DeviceFault::kNoMouse);
    const auto distance = static_cast<uint8_t>(value);
    const DeviceResult done =
        args[0] == "test" ? TestLiftDistance(link, distance) : SaveLiftDistance(link, distance);
    return done ? kExitOk : DeviceFailure("lift " + args[0] + " failed.", done);
}

}  // namespace

int RunDeviceCommand(const Args& args, const GlobalOptions& options) {
    if (args.empty() || WantsHelp(args)) {
        std::fputs(kDeviceUsage, args.empty() ? stderr : stdout);
        return args.empty() ? kExitUsage : kExitOk;
    }
    const std::string& command = args[0];
    const Args rest(args.begin() + 1, args.end());
    const bool known = command == "info" || command == "active" || command == "select" ||
                       command == "apply" || command == "lift" || command == "surface";
    if (!known)
        return Fail(kExitUsage, "unknown device command '" + command + "'");
    std::unique_ptr<HidTransport> transport = CreateHidTransport(options.device);
    if (!transport)
        return Fail(kExitUsage, "--device takes auto or virtual:HOST:PORT (or check " +
                                    std::string(kVirtualMouseVariable) + ")");
    Session session(std::move(transport));
    DeviceLink& link = session.Link();

    if (command == "apply")
        return RunApply(rest, link);
    if (command == "lift")
        return RunLift(rest, link);
    long long slot = 0;
    if (command == "select" && (rest.size() != 1 || !ParseInt(rest[0], 0, 4, slot)))
        return Fail(kExitUsage, "select takes a slot from 0 to 4");
    if (command != "select" && !rest.empty())
        return Fail(kExitUsage, command + " takes no arguments");
    if (!link.EnsureOpen())
        return DeviceFailure(kNoMouse, DeviceFault::kNoMouse);
    if (command == "info") {
        DeviceInfo info;
        if (const DeviceResult read = ReadDeviceInfo(link, info); !read)
            return DeviceFailure("reading the device information failed.", read);
        PrintJson({{"firmwareVersion", info.firmwareVersion}});
        return kExitOk;
    }
    if (command == "active") {
        uint8_t active = 0;
        if (const DeviceResult read = GetActiveProfile(link, active); !read)
            return DeviceFailure("reading the active profile failed.", read);
        PrintJson({{"activeSlot", active}});
        return kExitOk;
    }
    if (command == "select") {
        const DeviceResult selected = SetActiveProfile(link, static_cast<uint8_t>(slot));
        return selected ? kExitOk : DeviceFailure("set current profile id failed.", selected);
    }
    uint32_t count = 0;
    DeviceResult measured = StartSurfaceCapture(link);
    if (measured)
        measured = ReadSurfaceQuality(link, count);
    if (!measured)
        return DeviceFailure("the surface measurement failed.", measured);
    PrintJson({{"count", count}});
    return kExitOk;
}
