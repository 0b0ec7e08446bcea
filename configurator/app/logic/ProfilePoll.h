#pragma once
// The 500 ms poll that keeps the window on the profile active in the mouse. It only asks an
// open link, never while Apply runs, and acts only when the mouse reports an index it has not
// reported before (the last index seen survives unplugging, so a replug on the same profile
// switches nothing). Nobody asked for it, so it must never hold the window for long: each
// transfer waits at most kPollTransferLimitMs (a healthy mouse answers in a few ms), and after
// a poll that ran out of time it rests until the mouse is heard from again (an arrival, a
// command) or kPollRestMs have passed.

#include <array>
#include <cstdint>

#include "device/DeviceLink.h"
#include "profiles/Profile.h"

struct PollDecision {
    bool applySettings = false;  // apply the current profile's Windows settings (after a switch)
    int switchToSlot = -1;       // 0 .. 4: switch to that profile first; -1: stay
};

class ProfilePoll {
  public:
    static constexpr uint8_t kNothingSeen = 255;
    static constexpr int kPollTransferLimitMs = kUnaskedTransferLimitMs;
    static constexpr int kPollRestMs = 5000;

    PollDecision Tick(DeviceLink& link, bool busy, const ProfileSet& profiles);
    uint8_t LastSeen() const { return lastSeen_; }

    bool Resting() const { return resting_; }

  private:
    bool StillResting(DeviceLink& link);

    uint8_t lastSeen_ = kNothingSeen;
    bool resting_ = false;
    int64_t restBegan_ = 0;
    uint64_t activityAtRest_ = 0;
};
