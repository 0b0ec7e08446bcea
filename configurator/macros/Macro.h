#pragma once
// One macro in the editor: a named, ordered list of events with the editing rules the editor
// control and the recorder rely on. Row rectangles are laid out here so that hit testing and
// scrolling need no window.

#include <cstdint>
#include <string>
#include <vector>

#include "macros/EventItem.h"
#include "macros/MacroOwner.h"
#include "macros/MacroRect.h"

// Where InsertEvent puts a new event; the values are those the recorder and editor pass.
enum EventPlacement : int32_t {
    kPlaceAtEnd = 0,
    kPlaceAfterSelection = 1,
};

constexpr int32_t kRowHeight = 18;
constexpr int32_t kRowLeft = 4;
constexpr int32_t kFirstRowTop = 5;
constexpr int32_t kRowRightMargin = 2;

class CMacro {
  public:
    CMacro() = default;
    CMacro(MacroOwner* owner, MacroRect bounds, int32_t id, std::u16string name);

    // Inserts a new selected event (all others lose the selection), lays the rows out and asks
    // the owner to scroll to it.
    void InsertEvent(uint8_t kind, int16_t code, uint8_t action, int32_t delay,
                     EventPlacement placement);
    // Deletes the first selected event; the one that moves into its place takes the selection,
    // or the first event when the last one was deleted.
    void DeleteSelectedEvent();
    void ClearEvents();
    // Rows from scratch: 18 pixels high, the first 5 pixels down, as wide as the bounds allow.
    void LayoutRows();
    void SelectPreviousEvent();
    // Selects the first event whose row contains the point; false (nothing changes) when none.
    bool SelectEventAt(int32_t x, int32_t y);
    CEventItem* SelectedEvent();
    const CEventItem* SelectedEvent() const;
    // Index of the first selected event, or -1.
    int32_t SelectedIndex() const;
    // Shifts the rows for scroll position p so that row p's bottom meets the bottom of the
    // bounds; the lowest position (the number of visible rows) shows the first row at the top.
    void ShiftRowsForScrollPosition(int32_t position);
    // Rows that fit in the bounds.
    int32_t VisibleRows() const;

    MacroOwner* owner = nullptr;
    MacroRect bounds;
    int32_t id = 0;
    int32_t reserved = 0;
    std::u16string name;
    std::vector<CEventItem> events;

  private:
    void Notify(int32_t code, int32_t value);
    void ClearSelection();
};
