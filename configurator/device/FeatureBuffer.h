#pragma once
// The HID class driver takes a feature report only in a buffer of the interface's feature-report
// length (the longest report of the interface); every report id of the mouse shares one interface,
// so the short reports travel padded with zeros and come back in the leading bytes.

#include <cstddef>
#include <cstdint>
#include <vector>

// The buffer a report of `length` bytes travels in: the report first, zeros up to the interface's
// length. An unknown interface length (0) or one shorter than the report leaves the report as it
// is: the driver then decides.
std::vector<uint8_t> PadFeatureReport(const uint8_t* report, size_t length, size_t interfaceLength);

// The buffer a get of a `length`-byte report asks with: byte 0 the report id, zeros after it.
std::vector<uint8_t> FeatureRequestBuffer(uint8_t reportId, size_t length, size_t interfaceLength);

// Copies the leading `length` bytes of a reply into the report; false when the reply is shorter
// than the report or answers another report id.
bool TakeFeatureReply(const std::vector<uint8_t>& reply, uint8_t* report, size_t length);
