#include "ProfilePoll.h"

#include "MouseCommands.h"

PollDecision ProfilePoll::Tick(DeviceLink& link, bool busy,
                               const std::array<Profile, 5>& profiles) {
    PollDecision decision;
    // The poll never opens the link; an arrival or a command does.
    if (!link.IsOpen() || busy) {
        return decision;
    }
    uint8_t reported = 0;
    if (!GetActiveProfile(link, reported) || reported == lastSeen_) {
        return decision;
    }
    lastSeen_ = reported;
    for (int slot = 0; slot < static_cast<int>(profiles.size()); ++slot) {
        if (profiles[static_cast<size_t>(slot)].index == reported) {
            decision.switchToSlot = slot;
            break;
        }
    }
    // Also when no profile has the index: the current profile's settings are applied once.
    decision.applySettings = true;
    return decision;
}
