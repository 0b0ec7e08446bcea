#pragma once
// Shared pieces of the orva7100ctl command groups.

#include <cstdio>
#include <string>
#include <vector>

constexpr int kExitOk = 0;
constexpr int kExitBadInput = 1;  // one clear line on stderr, nothing written
constexpr int kExitUsage = 2;

using Args = std::vector<std::string>;

// Global options that come before the command group.
struct GlobalOptions {
    std::string device = "auto";  // auto | virtual:HOST:PORT
};

// Prints "orva7100ctl: <message>" on stderr and returns the status.
int Fail(int status, const std::string& message);
bool WantsHelp(const Args& args);
// Parses a whole decimal integer in [min, max]; false on anything else.
bool ParseInt(const std::string& text, long long min, long long max, long long& value);
// Writes bytes to stdout in binary mode.
bool WriteStdout(const void* data, size_t size);

// Command groups, each in a file of its own. `args` holds what follows the group's name.
int RunProfileCommand(const Args& args, const GlobalOptions& options);
int RunMacroCommand(const Args& args, const GlobalOptions& options);
int RunDeviceCommand(const Args& args, const GlobalOptions& options);
int RunVirtualCommand(const Args& args, const GlobalOptions& options);
int RunFirmwareCommand(const Args& args, const GlobalOptions& options);
int RunImageCommand(const Args& args, const GlobalOptions& options);
