#pragma once
// The configurator's eight commands to the mouse. Each opens the link when needed, sends its
// reports in order, waits for each acknowledge, and fails at the first thing that goes wrong,
// saying what it was (and leaving a line in the trace); what was done on the mouse before that
// stays done.

#include <cstdint>

#include "device/DeviceLink.h"
#include "device/DeviceReplies.h"
#include "profiles/Profile.h"

constexpr int kAckAttempts = 11;
constexpr int kAckSleepMs = 15;

// Polls the report until the mouse says done (byte 1 = 1): eleven attempts, 15 ms apart. Never
// reopens the link. When no attempt said done, the last attempt tells why: its transfer's
// failure, or kNoAcknowledge when the mouse answered "not yet".
DeviceResult WaitForAck(DeviceLink& link, uint8_t reportId);

DeviceResult SetActiveProfile(DeviceLink& link, uint8_t index);
DeviceResult GetActiveProfile(DeviceLink& link, uint8_t& index);
DeviceResult ReadDeviceInfo(DeviceLink& link, DeviceInfo& info);
// Builds the profile's image (setting its imageLength) and writes it in one or two chunks.
// Fails with kImageTooLarge without sending anything when the macros do not fit the image.
DeviceResult WriteProfileImage(DeviceLink& link, Profile& profile);
DeviceResult TestLiftDistance(DeviceLink& link, uint8_t value);
DeviceResult SaveLiftDistance(DeviceLink& link, uint8_t value);
DeviceResult StartSurfaceCapture(DeviceLink& link);
DeviceResult ReadSurfaceQuality(DeviceLink& link, uint32_t& count);
