#include "pages/logic/MousePageRules.h"

#include <algorithm>

#include "macros/MacroCollection.h"
#include "pages/logic/ButtonCatalogue.h"
#include "pages/logic/WideText.h"

SlotChoice DecideSlotChoice(const std::array<int, kButtonCount>& functions, int slot, int choice) {
    if (slot >= 0 && slot < kButtonCount && functions[slot] == kFunctionLeftClick &&
        choice != kFunctionLeftClick) {
        const int leftClicks =
            static_cast<int>(std::count(functions.begin(), functions.end(), kFunctionLeftClick));
        if (leftClicks == 1) {
            return SlotChoice::kWarnLastLeftClick;
        }
    }
    if (choice == kFunctionSingleKey) {
        return SlotChoice::kCaptureKey;
    }
    if (choice >= kFirstMacroItemId) {
        return SlotChoice::kTakeMacro;
    }
    if (choice == kFunctionMacro) {
        // Reported only while no macro was ever listed: keeping the slot's old value could name
        // a macro made later by chance (a key code of 16 or more), so the slot names none.
        return SlotChoice::kTakeEmptyMacro;
    }
    return SlotChoice::kButtonApplies;
}

void SaveMousePageState(const MousePageState& page, Profile& profile,
                        const MacroCollection& macros) {
    for (int k = 0; k < kButtonCount; ++k) {
        const SlotState& slot = page.slots[k];
        ButtonAssignment& button = profile.buttons[k];
        button.function = static_cast<uint8_t>(slot.function);
        if (slot.function == kFunctionSingleKey) {
            button.value = static_cast<int16_t>(slot.value);
        } else if (slot.function == kFunctionMacro) {
            button.value = static_cast<int16_t>(slot.value);
            std::optional<CButtonMacro> copy = macros.CopyMacroForProfile(slot.value);
            profile.AssignMacro(button, copy ? &*copy : nullptr);
        }
    }
    const MouseControls& c = page.controls;
    for (int box = 0; box < kRateBoxCount; ++box) {
        if (c.rateBoxes[box]) {
            profile.reportRate = kRateBoxCodes[box];
            break;
        }
    }
    profile.doubleClickValue = static_cast<int16_t>(c.doubleClick);
    profile.scrollByLines = c.scrollByLines ? 1 : 0;
    profile.scrollLines = static_cast<int16_t>(c.scrollLines);
    profile.scrollByPage = c.scrollByPage ? 1 : 0;
    profile.accelerationOn = c.accelerationOn ? 1 : 0;
    profile.accelerationLevel = static_cast<int16_t>(c.accelerationLevel);
}

std::optional<SlotShown> SlotForProfile(const Profile& profile, int slot, const MenuLevel* menu) {
    if (slot < 0 || slot >= kButtonCount) {
        return std::nullopt;
    }
    const ButtonAssignment& button = profile.buttons[slot];
    std::optional<std::wstring> caption = AssignmentCaption(
        button.function, button.value, WideFromUtf16(profile.MacroNameForButton(button)), menu);
    if (!caption) {
        return std::nullopt;
    }
    SlotShown shown{std::move(*caption), button.function, std::nullopt};
    if (button.function == kFunctionSingleKey || button.function == kFunctionMacro) {
        shown.value = button.value;
    }
    return shown;
}

MouseControls MouseControlsForProfile(const Profile& profile) {
    MouseControls c;
    for (int box = 0; box < kRateBoxCount; ++box) {
        c.rateBoxes[box] = profile.reportRate == kRateBoxCodes[box];
    }
    c.doubleClick = kDoubleClickRange.Clamp(profile.doubleClickValue);
    c.scrollLines = kScrollLinesRange.Clamp(profile.scrollLines);
    c.accelerationLevel = kAccelerationRange.Clamp(profile.accelerationLevel);
    c.scrollByLines = profile.scrollByLines != 0;
    c.scrollByPage = profile.scrollByPage != 0;
    c.accelerationOn = profile.accelerationOn != 0;
    return c;
}
