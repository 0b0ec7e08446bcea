#pragma once
// What a macro tells the control that owns it. Delivered synchronously while the macro's
// operation runs; the owner may scroll (move rows) but must not add or remove events meanwhile.

#include <cstdint>

// The last row ends below the bounds; value: event count - 1.
constexpr int32_t NOTIFY_ROWS_OVERFLOW = 110;
// An event was deleted; value: the new event count.
constexpr int32_t NOTIFY_EVENT_REMOVED = 114;
// The row with this index should be scrolled into view; value: the row index.
constexpr int32_t NOTIFY_SCROLL_TO_ROW = 115;

class MacroOwner {
  public:
    virtual ~MacroOwner() = default;
    virtual void MacroNotify(int32_t code, int32_t value) = 0;
};
