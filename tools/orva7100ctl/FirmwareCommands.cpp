// The 'firmware' command group (not built yet).

#include "Cli.h"

int RunFirmwareCommand(const Args& args, const GlobalOptions&) {
    (void)args;
    return Fail(kExitUsage, "the firmware commands are not available in this build");
}
