#pragma once
// One on-board profile of the mouse: every setting the pages edit, the seven button
// assignments and the macro copies that macro-bound buttons play.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

enum ButtonFunction : uint8_t {
    kFunctionLeftClick = 0,
    kFunctionRightClick = 1,
    kFunctionScrollClick = 2,
    kFunctionForward = 3,
    kFunctionBack = 4,
    kFunctionDpiUp = 5,
    kFunctionDpiDown = 6,
    kFunctionProfileUp = 9,
    kFunctionProfileDown = 10,
    kFunctionScrollUp = 11,
    kFunctionScrollDown = 12,
    kFunctionSingleKey = 13,
    kFunctionMacro = 14,
    kFunctionDisabled = 15,
};

enum ReportRate : int16_t {
    kReportRate1000Hz = 0,
    kReportRate500Hz = 1,
    kReportRate250Hz = 3,
    kReportRate125Hz = 5,
};

// LED modes: all on, all off, or 0x10 plus the zone bits of the zones that are on.
constexpr int32_t kLedAllOn = 15;
constexpr int32_t kLedAllOff = 0;
constexpr int32_t kLedZonesSelected = 0x10;
constexpr int32_t kLedZoneWheel = 0x01;
constexpr int32_t kLedZoneDpiIndicator = 0x02;
constexpr int32_t kLedZoneDpiButtons = 0x04;
constexpr int32_t kLedZoneLogo = 0x08;

constexpr int kButtonCount = 7;
constexpr int kDpiStageCount = 3;

enum MacroEventKind : uint8_t {
    kEventKey = 1,
    kEventMouseButton = 16,
    kEventWheel = 17,
};

enum MacroEventAction : uint8_t {
    kActionPress = 1,
    kActionRelease = 2,
};

struct CMacroEvent {
    uint8_t kind = 0;
    int16_t code = 0;
    uint8_t action = 0;
    int32_t delay = 0;  // milliseconds before the event

    bool operator==(const CMacroEvent&) const = default;
};

// The copy of a macro that a profile keeps for one button. A copy made from the macro list ends
// with one all-zero event, which is part of the copy and goes into the device image.
struct CButtonMacro {
    std::u16string name;
    int32_t id = 0;
    std::vector<CMacroEvent> events;

    bool operator==(const CButtonMacro&) const = default;
};

struct ButtonAssignment {
    uint8_t buttonIndex = 0;
    uint8_t function = 0;  // a ButtonFunction
    int16_t value = 0;     // virtual-key code for a single key, macro id for a macro, else 0
    uint8_t defaultFunction = 0;
};

// The Windows double-click time in milliseconds (500 where there is no Windows).
int32_t SystemDoubleClickTime();

struct Profile {
    Profile();

    // Puts back the default settings; keeps the name, index, paths and macro copies.
    void ResetProfile();
    // Binds a macro copy to the button, or with no macro sends the button back to its default.
    void AssignMacro(ButtonAssignment& button, const CButtonMacro* macro);
    std::u16string MacroNameForButton(const ButtonAssignment& button) const;

    int32_t firmwareVersion = 0;
    std::filesystem::path filePath;
    std::u16string name = u"profile";
    uint8_t index = 0;
    uint16_t imageLength = 179;
    int16_t reportRate = kReportRate1000Hz;
    int16_t doubleClickValue = 0;
    int16_t scrollLines = 2;
    int32_t scrollByLines = 1;
    int32_t scrollByPage = 0;
    int32_t accelerationOn = 0;
    int16_t accelerationLevel = 1;
    uint8_t dpiStage = 2;
    int32_t separateXY = 0;
    std::array<int16_t, 2 * kDpiStageCount> dpi = {9, 9, 23, 23, 45, 45};
    uint8_t pointerSpeed = 6;
    uint8_t liftDistance = 12;
    int16_t surfaceQuality = 0;
    int32_t ledMode = kLedAllOn;
    uint32_t ledColour = 455174;  // 0x00BBGGRR: red 6, green 242, blue 6
    std::array<ButtonAssignment, kButtonCount> buttons;
    std::array<CButtonMacro, kButtonCount> macros;
};

// The mouse holds five profiles; the configurator keeps one record for each, slot by slot.
inline constexpr int kOnBoardProfiles = 5;
using ProfileSet = std::array<Profile, kOnBoardProfiles>;
