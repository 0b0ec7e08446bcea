#pragma once
// The keyboard recorder's rules: which key events of the hook become macro events and with which
// delays. Free of window code; the macro page feeds it the hook's messages.

#include <cstdint>
#include <optional>

#include "macros/MacroCollection.h"
#include "macros/TickClock.h"

// The release bit of a hook message's second parameter.
constexpr uint32_t kKeyReleasedFlag = 0x80;

// One key event that is to go into the current macro.
struct RecordedKey {
    int16_t code = 0;    // virtual-key code
    uint8_t action = 0;  // kActionPress or kActionRelease
    int32_t delay = 0;   // milliseconds since the previous key event (or the start), or 0
};

class MacroRecorder {
  public:
    explicit MacroRecorder(TickClock& clock) noexcept : clock_(clock) {}

    // Recording on; delays count from now.
    void Start() noexcept;
    void Stop() noexcept { recording_ = false; }
    bool IsRecording() const noexcept { return recording_; }

    // One key event from the hook (virtual-key code, kKeyReleasedFlag or 0). None when not
    // recording, or when it repeats the previous accepted event (a held key's auto-repeat). The
    // time base moves even for a dropped repeat, so a release counts from the last repeat.
    std::optional<RecordedKey> OnKeyEvent(uint32_t virtualKey, uint32_t upFlag,
                                          bool recordDelay) noexcept;

    // Inserts the key into the collection's current macro at the collection's placement. False
    // (the key is lost) when no macro is current.
    static bool Place(MacroCollection& macros, const RecordedKey& key);

  private:
    TickClock& clock_;
    bool recording_ = false;
    uint32_t lastTick_ = 0;
    // The previous accepted event outlives recordings: a new recording that starts with the
    // same key and direction as the last one ended with drops that event.
    uint32_t previousKey_ = 0;
    uint32_t previousUp_ = 0;
};
