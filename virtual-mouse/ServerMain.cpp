// orva-virtual-mouse: a virtual ORVA 7100 on loopback TCP for the configurator, orva7100ctl,
// the updater's driver library and the tests.
//
// It plays the mouse's side of the configurator's reports (0x03 select, query, device
// information and image header; 0x04; 0x05 image chunks; 0x0A; 0x0B) and of the firmware
// updater's (0x20 command and status, 0x21 parameters, 0x22 data): statuses 1 (accepted),
// 3 (busy, --busy N) and 4 (resend, --resend N), 2 for anything malformed or out of order; after
// the host has read the accepted status of the start step the mouse leaves the bus and comes
// back after --restart-ms as a new arrival; a complete image lands in firmware.bin of the state
// folder. Plug, unplug and the profile button are control commands (orva7100ctl virtual ...).

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

#include "VirtualMouseServer.h"

namespace {

const char kUsage[] =
    "usage: orva-virtual-mouse [options]\n"
    "  --listen HOST:PORT           address to serve (default 127.0.0.1:0, a free port)\n"
    "  --firmware-version N         firmware version times 100 (default 109)\n"
    "  --transcript FILE            one line per report: SET/GET and its bytes in hex\n"
    "  --state-dir DIR              keep slots, state.json and firmware.bin there\n"
    "  --surface-count N            what a surface capture measures (default 300)\n"
    "  --restart-ms N               time away after the updater's start step (default 1000)\n"
    "  --updated-firmware-version N version reported after a complete firmware image\n"
    "  --unplugged                  start with the mouse unplugged\n"
    "  --quiet                      no log on stderr\n"
    "faults:\n"
    "  --ack-after N|never          acknowledge only after N polls, or never\n"
    "  --ack-fault-slot S           ... only for image writes of slot S\n"
    "  --reject-report ID           fail every set and get of report ID\n"
    "  --busy N                     answer status 3 N times before each updater status\n"
    "  --resend N                   answer status 4 N times for each updater report\n"
    "  --updater-fault-step S       ... busy and resend only in updater step S\n"
    "  --vanish-after N             unplug after N more reports\n"
    "  --vanish-for MS              and come back after MS (0: only on plug; default 1000)\n"
    "  --vanish-from-select 0|1     count those reports only from the next select on\n"
    "  --latency MS                 delay of every transfer\n"
    "The server prints \"listening on HOST:PORT\" once ready and runs until SIGINT or SIGTERM.\n";

volatile std::sig_atomic_t gStop = 0;

void OnSignal(int) {
    gStop = 1;
}

int UsageError(const std::string& message) {
    std::fprintf(stderr, "orva-virtual-mouse: %s\n", message.c_str());
    return 2;
}

bool ParseCount(const std::string& text, long min, long max, int& value) {
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || parsed < min || parsed > max)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string listen = "127.0.0.1:0";
    std::optional<int> firmwareVersion;
    std::string transcript;
    std::string stateDir;
    bool unplugged = false;
    bool quiet = false;
    vmouse::MouseOptions options;
    vmouse::MouseFaults faults;

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--unplugged") {
            unplugged = true;
            continue;
        }
        if (arg == "--quiet") {
            quiet = true;
            continue;
        }
        if (i + 1 >= argc)
            return UsageError(arg + " needs a value (see --help)");
        const std::string value = argv[++i];
        int number = 0;
        if (arg == "--listen") {
            listen = value;
        } else if (arg == "--firmware-version") {
            if (!ParseCount(value, -32768, 32767, number))
                return UsageError("--firmware-version takes a number");
            firmwareVersion = number;
        } else if (arg == "--transcript") {
            transcript = value;
        } else if (arg == "--state-dir") {
            stateDir = value;
        } else if (arg == "--surface-count") {
            if (!ParseCount(value, 0, 2147483647L, options.surfaceCount))
                return UsageError("--surface-count takes a number");
        } else if (arg == "--restart-ms") {
            if (!ParseCount(value, 0, 600000, options.restartMs))
                return UsageError("--restart-ms takes a number of ms");
        } else if (arg == "--updated-firmware-version") {
            if (!ParseCount(value, 0, 32767, options.updatedFirmwareVersion))
                return UsageError("--updated-firmware-version takes a number");
        } else if (arg.rfind("--", 0) == 0 && vmouse::SetFault(faults, arg.substr(2), value)) {
            continue;
        } else {
            return UsageError("unknown option or bad value: " + arg + " " + value);
        }
    }

    int port = 0;
    const size_t colon = listen.rfind(':');
    if (colon == std::string::npos || colon == 0 ||
        !ParseCount(listen.substr(colon + 1), 0, 65535, port))
        return UsageError("--listen takes HOST:PORT");
    const std::string host = listen.substr(0, colon);

    vmouse::VirtualMouseServer server(options);
    if (quiet)
        server.SetLog(nullptr);
    if (firmwareVersion)
        server.SetFirmwareVersion(*firmwareVersion);
    if (!stateDir.empty() && !server.UseStateDir(stateDir, firmwareVersion))
        return UsageError("cannot use the state folder " + stateDir);
    if (!transcript.empty() && !server.OpenTranscript(transcript))
        return UsageError("cannot create the transcript " + transcript);
    server.SetFaults(faults);
    if (unplugged)
        server.StartUnplugged();

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGPIPE, SIG_IGN);
    if (!server.Start(host, static_cast<uint16_t>(port))) {
        std::fprintf(stderr, "orva-virtual-mouse: cannot listen on %s\n", listen.c_str());
        return 1;
    }
    std::printf("listening on %s\n", server.Address().c_str());
    std::fflush(stdout);
    while (!gStop)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    server.Stop();
    return 0;
}
