#include "logic/LaunchMode.h"

LaunchMode LaunchModeFromCommandLine(std::wstring_view commandLine) {
    if (commandLine.empty())
        return LaunchMode::kOfferUpdate;
    switch (commandLine.front()) {
        case L'0':
            return LaunchMode::kOfferDriver;
        case L'1':
        case L'2':
            return LaunchMode::kOfferUpdate;
        case L'3':
            return LaunchMode::kUpToDate;
        default:
            return LaunchMode::kTransferNow;
    }
}
