#pragma once
// How a window names its skinned controls for screen readers. Most controls draw no text of their
// own: the skin shows the label beside a slider or a box, so the window says which label belongs
// to which control id, and how the control is to be presented. Portable, so that the tables can
// be read by tests on any platform.

enum class AccessHint : int {
    kNone = 0,    // as the control's kind says: push button, check box, slider, ...
    kRadio,       // one of a set of which exactly one is on: a radio button, checked while on
    kTab,         // a page tab: selected while latched
    kDecoration,  // a marker on a picture, without a command: static text and no tab stop
};

struct AccessLabel {
    int id = 0;
    const wchar_t* name = L"";
    AccessHint hint = AccessHint::kNone;
};
