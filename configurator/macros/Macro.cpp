#include "macros/Macro.h"

#include <algorithm>
#include <utility>

namespace {

// Row arithmetic wraps instead of overflowing: rows and bounds come from files and may hold
// any value.
int32_t Add(int32_t a, int64_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(a) + b));
}

}  // namespace

CMacro::CMacro(MacroOwner* owner, MacroRect bounds, int32_t id, std::u16string name)
    : owner(owner), bounds(bounds), id(id), name(std::move(name)) {}

void CMacro::Notify(int32_t code, int32_t value) {
    if (owner != nullptr)
        owner->MacroNotify(code, value);
}

void CMacro::ClearSelection() {
    for (CEventItem& event : events)
        event.selected = 0;
}

void CMacro::InsertEvent(uint8_t kind, int16_t code, uint8_t action, int32_t delay,
                         EventPlacement placement) {
    uint32_t largestId = 0;
    for (const CEventItem& event : events)
        largestId = std::max(largestId, static_cast<uint32_t>(event.id));

    CEventItem item;
    item.selected = 1;
    item.id = static_cast<int32_t>(largestId + 1);
    item.kind = kind;
    item.code = code;
    item.action = action;
    item.delay = delay;

    size_t at = events.size();
    if (placement == kPlaceAfterSelection) {
        const int32_t selected = SelectedIndex();
        if (selected >= 0)
            at = static_cast<size_t>(selected) + 1;
        else if (!events.empty())
            at = 0;
    }
    ClearSelection();
    events.insert(events.begin() + static_cast<std::ptrdiff_t>(at), item);

    LayoutRows();
    Notify(NOTIFY_SCROLL_TO_ROW, static_cast<int32_t>(at));
}

void CMacro::DeleteSelectedEvent() {
    const int32_t index = SelectedIndex();
    if (index < 0)
        return;
    events.erase(events.begin() + index);
    Notify(NOTIFY_EVENT_REMOVED, static_cast<int32_t>(events.size()));

    // The owner only scrolls while notified, so the index still means the same event.
    for (size_t i = static_cast<size_t>(index); i < events.size(); ++i) {
        events[i].row.top = Add(events[i].row.top, -kRowHeight);
        events[i].row.bottom = Add(events[i].row.bottom, -kRowHeight);
    }
    if (static_cast<size_t>(index) < events.size()) {
        events[static_cast<size_t>(index)].selected = 1;
    } else if (!events.empty()) {
        events.front().selected = 1;
        Notify(NOTIFY_SCROLL_TO_ROW, 0);
    }
}

void CMacro::ClearEvents() {
    events.clear();
}

void CMacro::LayoutRows() {
    for (size_t i = 0; i < events.size(); ++i) {
        const int64_t top = kFirstRowTop + int64_t{kRowHeight} * static_cast<int64_t>(i);
        events[i].row = MacroRect{kRowLeft, Add(0, top), Add(bounds.right, -kRowRightMargin),
                                  Add(0, top + kRowHeight)};
    }
    if (!events.empty() && bounds.bottom < events.back().row.bottom)
        Notify(NOTIFY_ROWS_OVERFLOW, static_cast<int32_t>(events.size()) - 1);
}

void CMacro::SelectPreviousEvent() {
    const int32_t index = SelectedIndex();
    if (index < 0)
        return;
    events[static_cast<size_t>(index)].selected = 0;
    if (index > 0)
        events[static_cast<size_t>(index) - 1].selected = 1;
}

bool CMacro::SelectEventAt(int32_t x, int32_t y) {
    const auto hit = std::find_if(events.begin(), events.end(), [&](const CEventItem& event) {
        return event.row.Contains(x, y);
    });
    if (hit == events.end())
        return false;
    ClearSelection();
    hit->selected = 1;
    return true;
}

int32_t CMacro::SelectedIndex() const {
    for (size_t i = 0; i < events.size(); ++i) {
        if (events[i].selected != 0)
            return static_cast<int32_t>(i);
    }
    return -1;
}

CEventItem* CMacro::SelectedEvent() {
    const int32_t index = SelectedIndex();
    return index < 0 ? nullptr : &events[static_cast<size_t>(index)];
}

const CEventItem* CMacro::SelectedEvent() const {
    const int32_t index = SelectedIndex();
    return index < 0 ? nullptr : &events[static_cast<size_t>(index)];
}

int32_t CMacro::VisibleRows() const {
    return static_cast<int32_t>((static_cast<int64_t>(bounds.bottom) - bounds.top) / kRowHeight);
}

void CMacro::ShiftRowsForScrollPosition(int32_t position) {
    const int64_t count = static_cast<int64_t>(events.size());
    const int32_t visible = VisibleRows();
    // Nothing to scroll: every row fits, or there are no rows to align.
    if (visible > count || count == 0)
        return;
    int64_t p = std::max<int64_t>(position, visible);
    if (p >= count)
        p = count - 1;
    if (p < 0)
        p = 0;  // bounds from a file may be upside down
    int64_t shift = static_cast<int64_t>(bounds.bottom) - events[static_cast<size_t>(p)].row.bottom;
    if (p == visible)
        shift += kRowHeight;
    for (CEventItem& event : events) {
        event.row.top = Add(event.row.top, shift);
        event.row.bottom = Add(event.row.bottom, shift);
    }
}
