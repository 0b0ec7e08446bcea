#pragma once
// The rules of the mouse page without its window: what a choice in a slot's menu leads to, what
// the page stores in a profile, and how a profile is shown. The window reads its controls into
// MousePageState, and writes a MousePageView into them.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "profiles/Profile.h"
#include "skin/logic/MenuTree.h"

class MacroCollection;

// The rate boxes in the page's order: "125", "250", "500", "1000", and the codes they stand for.
constexpr int kRateBoxCount = 4;
constexpr std::array<int16_t, kRateBoxCount> kRateBoxCodes = {kReportRate125Hz, kReportRate250Hz,
                                                              kReportRate500Hz, kReportRate1000Hz};

struct SliderRange {
    int32_t minimum;
    int32_t maximum;
    int32_t step;
    // A stored position outside the range is shown at the nearest end.
    int32_t Clamp(int32_t value) const {
        return value < minimum ? minimum : (value > maximum ? maximum : value);
    }
};
constexpr SliderRange kDoubleClickRange{200, 1400, 200};
constexpr SliderRange kScrollLinesRange{1, 6, 1};
constexpr SliderRange kAccelerationRange{0, 2, 1};

// What the page does when the user picks item `choice` in the menu of a slot.
enum class SlotChoice {
    kWarnLastLeftClick,  // the slot holds the only left click: warn and keep it
    kCaptureKey,         // run the key capture for the slot
    kTakeMacro,          // show the macro's name, function 14 with the macro's id
    kTakeEmptyMacro,     // "Assign record macro" without any macro: function 14, no macro id
    kButtonApplies,      // the drop-down button applies the item itself
};

SlotChoice DecideSlotChoice(const std::array<int, kButtonCount>& functions, int slot, int choice);

struct SlotState {
    int function = 0;
    int value = 0;
};

// The page's controls as values.
struct MouseControls {
    std::array<bool, kRateBoxCount> rateBoxes{};
    int32_t doubleClick = 0;
    int32_t scrollLines = 1;
    bool scrollByLines = true;
    bool scrollByPage = false;
    bool accelerationOn = false;
    int32_t accelerationLevel = 1;
};

struct MousePageState {
    std::array<SlotState, kButtonCount> slots{};
    MouseControls controls;
};

// Copies the page into the profile. A macro-bound slot gets a copy of its macro from the
// collection; when the collection no longer has it the button falls back to its default.
void SaveMousePageState(const MousePageState& page, Profile& profile,
                        const MacroCollection& macros);

// How a slot shows a stored assignment; `value` absent means the slot keeps its value.
struct SlotShown {
    std::wstring caption;
    int function = 0;
    std::optional<int> value;
};
// Nothing when the stored function has no item in the slot's menu: the slot stays as it was.
std::optional<SlotShown> SlotForProfile(const Profile& profile, int slot, const MenuLevel* menu);

// The controls showing a profile; slider positions are kept unless outside their range.
MouseControls MouseControlsForProfile(const Profile& profile);

// Which sliders take input for the wheel and acceleration boxes.
inline bool ScrollSliderEnabled(const MouseControls& c) {
    return c.scrollByLines;
}
inline bool AccelerationSliderEnabled(const MouseControls& c) {
    return c.accelerationOn;
}
