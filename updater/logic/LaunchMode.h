#pragma once
// What the updater does for the argument the configurator gives it, decided by the first
// character of its command line.

#include <string_view>

enum class LaunchMode {
    kOfferUpdate,  // none, "1" or "2": update offer, backup warning, then the transfer
    kOfferDriver,  // "0": the mouse is newer than the package: driver offer, then end
    kUpToDate,     // "3": up-to-date notice, then end
    kTransferNow,  // anything else: the transfer window at once
};

LaunchMode LaunchModeFromCommandLine(std::wstring_view commandLine);
