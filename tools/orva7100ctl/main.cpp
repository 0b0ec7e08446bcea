// orva7100ctl: scriptable access to profiles, macros, firmware files and the mouse.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "Cli.h"
#include "base/TextConvert.h"

namespace {

const char kUsage[] =
    "usage: orva7100ctl [--device auto|virtual:HOST:PORT] GROUP COMMAND [ARGS...]\n"
    "\n"
    "groups:\n"
    "  profile   show, image, new, build: profile files and their device images\n"
    "  macro     show, list, copy: macro files and the macro folder\n"
    "  image     show: a 2048-byte device image, such as a mouse's slot\n"
    "  firmware  info: firmware image files\n"
    "  device    info, active, select, apply, lift, surface: the attached mouse\n"
    "  virtual   plug, unplug, switch-profile: control a virtual mouse server\n"
    "\n"
    "Run 'orva7100ctl GROUP --help' for the commands of a group.\n"
    "Exit status: 0 success, 1 bad input or device failure, 2 wrong usage.\n";

}  // namespace

int Fail(int status, const std::string& message) {
    std::fprintf(stderr, "orva7100ctl: %s\n", message.c_str());
    return status;
}

bool WantsHelp(const Args& args) {
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h")
            return true;
    }
    return false;
}

bool ParseInt(const std::string& text, long long min, long long max, long long& value) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(text.c_str(), &end, 0);
    if (errno != 0 || end == text.c_str() || *end != '\0')
        return false;
    if (parsed < min || parsed > max)
        return false;
    value = parsed;
    return true;
}

bool WriteStdout(const void* data, size_t size) {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    const bool ok = std::fwrite(data, 1, size, stdout) == size;
    return std::fflush(stdout) == 0 && ok;
}

namespace {

int Run(Args args) {
    GlobalOptions options;
    while (!args.empty() && args.front().rfind("--device", 0) == 0) {
        std::string value;
        if (args.front() == "--device") {
            if (args.size() < 2)
                return Fail(kExitUsage, "--device needs a value");
            value = args[1];
            args.erase(args.begin(), args.begin() + 2);
        } else if (args.front().rfind("--device=", 0) == 0) {
            value = args.front().substr(9);
            args.erase(args.begin());
        } else {
            break;
        }
        if (value != "auto" && value.rfind("virtual:", 0) != 0)
            return Fail(kExitUsage, "--device takes auto or virtual:HOST:PORT");
        options.device = value;
    }
    if (args.empty()) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    if (args.front() == "--help" || args.front() == "-h" || args.front() == "help") {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    const std::string group = args.front();
    const Args rest(args.begin() + 1, args.end());
    if (group == "profile")
        return RunProfileCommand(rest, options);
    if (group == "macro")
        return RunMacroCommand(rest, options);
    if (group == "device")
        return RunDeviceCommand(rest, options);
    if (group == "virtual")
        return RunVirtualCommand(rest, options);
    if (group == "firmware")
        return RunFirmwareCommand(rest, options);
    if (group == "image")
        return RunImageCommand(rest, options);
    std::fputs(kUsage, stderr);
    return Fail(kExitUsage, "unknown group '" + group + "'");
}

}  // namespace

#ifdef _WIN32
// Windows hands the arguments over as UTF-16; the commands take UTF-8 throughout.
int wmain(int argc, wchar_t** argv) {
    Args args;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg(argv[i]);
        args.push_back(Utf16ToUtf8(std::u16string(arg.begin(), arg.end())));
    }
    return Run(std::move(args));
}
#else
int main(int argc, char** argv) {
    return Run(Args(argv + 1, argv + argc));
}
#endif
