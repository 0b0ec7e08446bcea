#pragma once
// How the editor draws one event row: the name of mouse and wheel events, the direction mark,
// and the columns of the name and the delay. Portable so that the naming and the geometry are
// tested without a window.

#include <cstdint>
#include <string>
#include <vector>

#include "macros/EventItem.h"
#include "macros/MacroRect.h"

// The display name of a mouse or wheel code ("Left button Down", "Scroll wheel Up", ...), looked
// up by code alone; empty when the code has none (then the key name is shown).
std::wstring MouseEventName(int16_t code, uint8_t action);

struct RowLine {
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool operator==(const RowLine&) const = default;
};

// A text in a column of the row: from `left` to `right`, the row's full height.
struct RowText {
    std::wstring text;
    int32_t left = 0;
    int32_t right = 0;
    bool operator==(const RowText&) const = default;
};

struct EventRowDrawing {
    std::vector<RowLine> marks;  // a dash for mouse events, a V for presses, a Λ for releases
    RowText name;                // empty text: no name drawn
    RowText delay;               // "%d ms"
};

// The drawing of an event in its row. `keyName` is the key-name table's text for the event's
// code (empty for codes without a name); it is used when the code has no mouse-event name.
EventRowDrawing DescribeEventRow(const CEventItem& event, const std::wstring& keyName);
