#include "Cli.h"

int RunProfileCommand(const Args&, const GlobalOptions&) { return kExitUsage; }
