// The 'virtual' command group: plug, unplug and press the profile button of a virtual mouse
// (orva-virtual-mouse), and set its faults.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Cli.h"
#include "VirtualMouseClient.h"
#include "device/TransportFactory.h"

namespace {

const char kVirtualUsage[] =
    "usage: orva7100ctl [--device virtual:HOST:PORT] virtual COMMAND ...\n"
    "  plug | unplug             plug the virtual mouse in or pull it out\n"
    "  switch-profile N          press the profile button: slot N (0-4) becomes active\n"
    "  status                    print the mouse's state as JSON\n"
    "  fault NAME VALUE          set a fault (see orva-virtual-mouse --help); 'fault clear'\n"
    "The server is the one of --device virtual:HOST:PORT, else ORVA7100_VIRTUAL_MOUSE.\n";

}  // namespace

int RunVirtualCommand(const Args& args, const GlobalOptions& options) {
    if (args.empty() || WantsHelp(args)) {
        std::fputs(kVirtualUsage, args.empty() ? stderr : stdout);
        return args.empty() ? kExitUsage : kExitOk;
    }
    const std::string& command = args[0];
    std::string text;
    if ((command == "plug" || command == "unplug" || command == "status") && args.size() == 1) {
        text = command;
    } else if (command == "switch-profile" && args.size() == 2) {
        long long slot = 0;
        if (!ParseInt(args[1], 0, 4, slot))
            return Fail(kExitUsage, "switch-profile takes a slot from 0 to 4");
        text = "switch-profile " + std::to_string(slot);
    } else if (command == "fault" &&
               (args.size() == 3 || (args.size() == 2 && args[1] == "clear"))) {
        text = "fault " + args[1] + (args.size() == 3 ? " " + args[2] : "");
    } else {
        return Fail(kExitUsage, "unknown or incomplete virtual command (see --help)");
    }

    std::string address;
    if (options.device.rfind("virtual:", 0) == 0) {
        address = options.device.substr(8);
    } else if (const char* variable = std::getenv(kVirtualMouseVariable)) {
        address = variable;
    }
    std::string host;
    uint16_t port = 0;
    if (!vmouse::ParseHostPort(address, host, port))
        return Fail(kExitUsage, "name the server with --device virtual:HOST:PORT or " +
                                    std::string(kVirtualMouseVariable));
    vmouse::VirtualMouseClient client;
    if (!client.Connect(address))
        return Fail(kExitBadInput, "no virtual mouse answers at " + address);
    std::string reply;
    if (!client.Control(text, reply))
        return Fail(kExitBadInput, reply.empty() ? "the virtual mouse did not answer" : reply);
    if (command == "status")
        std::printf("%s\n", reply.c_str());
    return kExitOk;
}
