#pragma once
// One event of a macro as the editor holds it: what is pressed, when, and where its row stands.

#include <cstdint>

#include "macros/MacroRect.h"
#include "profiles/Profile.h"  // MacroEventKind, MacroEventAction

struct CEventItem {
    MacroRect row;         // in the editor's client pixels, shifted by scrolling
    int32_t selected = 0;  // nonzero for the selected event; kept as read from a file
    int32_t id = 0;
    uint8_t kind = 0;    // a MacroEventKind: key, mouse button or wheel
    int16_t code = 0;    // virtual-key code, or the mouse/wheel code
    uint8_t action = 0;  // a MacroEventAction: press or release
    int32_t delay = 0;   // milliseconds

    bool operator==(const CEventItem&) const = default;
};
