// The 'virtual' command group (not built yet).

#include "Cli.h"

int RunVirtualCommand(const Args& args, const GlobalOptions&) {
    (void)args;
    return Fail(kExitUsage, "the virtual commands are not available in this build");
}
