#pragma once
// Frames between the virtual mouse server and its clients, both ways: a 32-bit little-endian
// payload length, then the payload. A request's payload starts with its kind; the reply repeats
// the kind, then 1 for success or 0 for failure, then the kind's data. Standard library only.
//
//   'P' presence:  ()                                  -> present u8, arrivals u32
//   'S' set:       arrival u32, report bytes            -> ()
//   'G' get:       arrival u32, report bytes            -> report bytes
//   'W' watch:     present u8, arrivals u32, wait u32   -> present u8, arrivals u32
//   'C' control:   command text                         -> reply text
//
// `arrival` is 0 or the arrival count the caller opened the mouse at; a set or get bound to an
// earlier arrival fails, as a stale handle does. A watch answers as soon as the presence or
// arrival count differs from the caller's, or after `wait` ms with the current values: that is
// how clients learn of arrivals and removals without polling hard.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vmouse::wire {

constexpr uint8_t kPresence = 'P';
constexpr uint8_t kSet = 'S';
constexpr uint8_t kGet = 'G';
constexpr uint8_t kWatch = 'W';
constexpr uint8_t kControl = 'C';

constexpr uint32_t kMaxPayload = 64 * 1024;
constexpr uint32_t kMaxWatchMs = 60 * 1000;

inline void PutU32(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// Reads a 32-bit value at `offset`; false when the payload is too short.
inline bool GetU32(const std::vector<uint8_t>& in, size_t offset, uint32_t& value) {
    if (in.size() < offset + 4)
        return false;
    value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<uint32_t>(in[offset + i]) << (8 * i);
    return true;
}

}  // namespace vmouse::wire
