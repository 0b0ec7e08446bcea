#include "macros/MacroRecorder.h"

#include <limits>

void MacroRecorder::Start() noexcept {
    recording_ = true;
    lastTick_ = clock_.TickCount();
}

std::optional<RecordedKey> MacroRecorder::OnKeyEvent(uint32_t virtualKey, uint32_t upFlag,
                                                     bool recordDelay) noexcept {
    if (!recording_)
        return std::nullopt;
    const uint32_t now = clock_.TickCount();
    // Unsigned subtraction stays right across the counter's wrap-around.
    const uint32_t elapsed = now - lastTick_;
    lastTick_ = now;
    const uint32_t up = upFlag & kKeyReleasedFlag;
    if (virtualKey == previousKey_ && up == previousUp_)
        return std::nullopt;
    previousKey_ = virtualKey;
    previousUp_ = up;

    RecordedKey key;
    key.code = static_cast<int16_t>(virtualKey & 0xFFFF);
    key.action = up != 0 ? kActionRelease : kActionPress;
    if (recordDelay) {
        // A pause of more than 24 days would turn negative in the stored int32.
        constexpr uint32_t kLongest = std::numeric_limits<int32_t>::max();
        key.delay = static_cast<int32_t>(elapsed > kLongest ? kLongest : elapsed);
    }
    return key;
}

bool MacroRecorder::Place(MacroCollection& macros, const RecordedKey& key) {
    CMacro* macro = macros.CurrentMacro();
    if (macro == nullptr)
        return false;
    macro->InsertEvent(kEventKey, key.code, key.action, key.delay, macros.Placement());
    return true;
}
