// The 'macro' command group (not built yet).

#include "Cli.h"

int RunMacroCommand(const Args& args, const GlobalOptions&) {
    (void)args;
    return Fail(kExitUsage, "the macro commands are not available in this build");
}
