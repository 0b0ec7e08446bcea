#include "pages/logic/MacroEventRow.h"

#include <string>

namespace {

struct MouseName {
    int16_t code;
    const wchar_t* down;
    const wchar_t* up;
};

constexpr MouseName kMouseNames[] = {
    {1, L"Left button Down", L"Left button Up"},
    {2, L"Right button Down", L"Right button Up"},
    {4, L"Middle button Down", L"Middle button Up"},
    {166, L"Back button Down", L"Back button Up"},
    {167, L"Forward button Down", L"Forward button Up"},
};

// Name and delay columns, as offsets from the row's left edge.
constexpr int32_t kNameLeft = 17;
constexpr int32_t kNameRight = 122;
constexpr int32_t kDelayLeft = 122;
constexpr int32_t kDelayRight = 177;
// The delay of a key without a name moves to the left edge.
constexpr int32_t kBareDelayLeft = 2;
constexpr int32_t kBareDelayRight = 57;
constexpr int32_t kMarkWidth = 10;
constexpr int32_t kMarkInset = 6;

}  // namespace

std::wstring MouseEventName(int16_t code, uint8_t action) {
    // The wheel has one name whatever the action.
    if (code == 151)
        return L"Scroll wheel Up";
    if (code == 152)
        return L"Scroll wheel Down";
    for (const MouseName& name : kMouseNames) {
        if (name.code != code)
            continue;
        if (action == 1)
            return name.down;
        if (action == 2)
            return name.up;
        return {};
    }
    return {};
}

EventRowDrawing DescribeEventRow(const CEventItem& event, const std::wstring& keyName) {
    const MacroRect& r = event.row;
    const int32_t x0 = r.left + 2;
    EventRowDrawing drawing;
    drawing.delay = {std::to_wstring(event.delay) + L" ms", r.left + kDelayLeft,
                     r.left + kDelayRight};

    const std::wstring mouseName = MouseEventName(event.code, event.action);
    if (!mouseName.empty()) {
        const int32_t middle = (r.top + r.bottom) / 2;
        drawing.marks.push_back({x0, middle, x0 + kMarkWidth, middle});
        drawing.name = {mouseName, r.left + kNameLeft, r.left + kNameRight};
        return drawing;
    }
    if (keyName.empty()) {
        drawing.delay.left = r.left + kBareDelayLeft;
        drawing.delay.right = r.left + kBareDelayRight;
        return drawing;
    }
    const int32_t high = r.top + kMarkInset;
    const int32_t low = r.bottom - kMarkInset;
    const int32_t tip = x0 + kMarkWidth / 2;
    if (event.action == 1) {
        drawing.marks.push_back({x0, high, tip, low});
        drawing.marks.push_back({tip, low, x0 + kMarkWidth, high});
    } else if (event.action == 2) {
        drawing.marks.push_back({x0, low, tip, high});
        drawing.marks.push_back({tip, high, x0 + kMarkWidth, low});
    }
    drawing.name = {keyName, r.left + kNameLeft, r.left + kNameRight};
    return drawing;
}
