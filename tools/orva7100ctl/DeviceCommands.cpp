// The 'device' command group (not built yet).

#include "Cli.h"

int RunDeviceCommand(const Args& args, const GlobalOptions&) {
    (void)args;
    return Fail(kExitUsage, "the device commands are not available in this build");
}
