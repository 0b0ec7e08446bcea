#include "app/logic/ProfilePoll.h"

#include "device/MouseCommands.h"

PollDecision ProfilePoll::Tick(DeviceLink& link, bool busy, const ProfileSet& profiles) {
    PollDecision decision;
    // The poll never opens the link; an arrival or a command does.
    if (!link.IsOpen() || busy || StillResting(link)) {
        return decision;
    }
    uint8_t reported = 0;
    const int64_t began = link.Clock().NowMs();
    bool answered = false;
    {
        ScopedTransferLimit limit(link, kPollTransferLimitMs);
        answered = GetActiveProfile(link, reported).ok();
    }
    if (!answered) {
        // Ran out of time rather than being refused: the mouse is there but silent.
        if (link.Clock().NowMs() - began >= kPollTransferLimitMs) {
            resting_ = true;
            restBegan_ = link.Clock().NowMs();
            activityAtRest_ = link.Activity();
        }
        return decision;
    }
    if (reported == lastSeen_) {
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

bool ProfilePoll::StillResting(DeviceLink& link) {
    if (resting_ && link.Activity() == activityAtRest_ &&
        link.Clock().NowMs() - restBegan_ < kPollRestMs) {
        return true;
    }
    resting_ = false;
    return false;
}
