#pragma once
// The configurator's eight commands to the mouse. Each opens the link when needed, sends its
// reports in order, waits for each acknowledge, and fails at the first thing that goes wrong;
// what was done on the mouse before that stays done.

#include <cstdint>

#include "device/DeviceLink.h"
#include "device/DeviceReplies.h"
#include "profiles/Profile.h"

constexpr int kAckAttempts = 11;
constexpr int kAckSleepMs = 15;

// Polls the report until the mouse says done (byte 1 = 1): eleven attempts, 15 ms apart. Never
// reopens the link.
bool WaitForAck(DeviceLink& link, uint8_t reportId);

bool SetActiveProfile(DeviceLink& link, uint8_t index);
bool GetActiveProfile(DeviceLink& link, uint8_t& index);
bool ReadDeviceInfo(DeviceLink& link, DeviceInfo& info);
// Builds the profile's image (setting its imageLength) and writes it in one or two chunks.
// Fails without sending anything when the macros do not fit the image.
bool WriteProfileImage(DeviceLink& link, Profile& profile);
bool TestLiftDistance(DeviceLink& link, uint8_t value);
bool SaveLiftDistance(DeviceLink& link, uint8_t value);
bool StartSurfaceCapture(DeviceLink& link);
bool ReadSurfaceQuality(DeviceLink& link, uint32_t& count);
