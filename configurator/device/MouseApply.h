#pragma once
// The device half of Apply: select the current slot, write the five images in order stopping at
// the first failure, select the current slot again.

#include <array>
#include <functional>

#include "device/DeviceLink.h"
#include "device/DeviceResult.h"
#include "profiles/Profile.h"

enum class ApplyMessage {
    kNoMouse,       // "ORVA mouse no found."
    kSelectFailed,  // "set current profile id failed."
    kWriteFailed,   // "set profile to mcu failed."
};

const char* ApplyMessageText(ApplyMessage message);

// Runs the sequence on the profiles (profile 1 first) with `current` (0-4) the current one.
// Each failure is reported through `report` when it happens, with the message the user sees
// and its cause, and the sequence goes on or stops as the configurator's Apply does. The first
// failure's cause, or success when everything succeeded.
DeviceResult ApplyToMouse(DeviceLink& link, ProfileSet& profiles, int current,
                          const std::function<void(ApplyMessage, const DeviceResult&)>& report);
