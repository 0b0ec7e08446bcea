#include "profiles/Profile.h"

#ifdef _WIN32
#include <windows.h>
#endif

int32_t SystemDoubleClickTime() {
#ifdef _WIN32
    return static_cast<int32_t>(GetDoubleClickTime());
#else
    return 500;
#endif
}

Profile::Profile() {
    doubleClickValue = static_cast<int16_t>(SystemDoubleClickTime());
    for (int k = 0; k < kButtonCount; ++k) {
        buttons[k].buttonIndex = static_cast<uint8_t>(k);
        buttons[k].function = static_cast<uint8_t>(k);
        buttons[k].value = 0;
        buttons[k].defaultFunction = static_cast<uint8_t>(k);
    }
}

void Profile::ResetProfile() {
    const Profile defaults;
    imageLength = defaults.imageLength;
    reportRate = defaults.reportRate;
    doubleClickValue = defaults.doubleClickValue;
    scrollLines = defaults.scrollLines;
    scrollByLines = defaults.scrollByLines;
    scrollByPage = defaults.scrollByPage;
    accelerationOn = defaults.accelerationOn;
    accelerationLevel = defaults.accelerationLevel;
    dpiStage = defaults.dpiStage;
    separateXY = defaults.separateXY;
    dpi = defaults.dpi;
    pointerSpeed = defaults.pointerSpeed;
    liftDistance = defaults.liftDistance;
    surfaceQuality = defaults.surfaceQuality;
    ledMode = defaults.ledMode;
    ledColour = defaults.ledColour;
    for (int k = 0; k < kButtonCount; ++k) {
        buttons[k].function = static_cast<uint8_t>(k);
        buttons[k].value = 0;
    }
}

void Profile::AssignMacro(ButtonAssignment& button, const CButtonMacro* macro) {
    if (macro == nullptr) {
        button.function = button.defaultFunction;
        button.value = 0;
        return;
    }
    if (button.function != kFunctionMacro)
        return;
    if (button.buttonIndex < kButtonCount)
        macros[button.buttonIndex] = *macro;
}

std::u16string Profile::MacroNameForButton(const ButtonAssignment& button) const {
    if (button.buttonIndex >= kButtonCount)
        return {};
    return macros[button.buttonIndex].name;
}
