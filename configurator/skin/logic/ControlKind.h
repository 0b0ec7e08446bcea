#pragma once
// What a skinned control is, for tools that read controls from outside (automation, the
// end-to-end probe). A skinned slider or list box sits on a window of another system class
// (often a static), so its class name does not say which query messages it answers; the
// control names its kind in a window property instead.

// The window property that holds the kind (a small integer stored as the property's handle).
inline constexpr wchar_t kControlKindProperty[] = L"ZelControlKind";

enum class ControlKind : int {
    Unknown = 0,
    Button = 1,     // BM_GETCHECK, BM_GETSTATE, window text
    Slider = 2,     // TBM_GETPOS, TBM_GETRANGEMIN, TBM_GETRANGEMAX
    Progress = 3,   // PBM_GETPOS, PBM_GETRANGE
    ListBox = 4,    // LB_GETCOUNT, LB_GETCURSEL, LB_GETTEXT, LB_GETTEXTLEN
    ScrollBar = 5,  // SBM_GETPOS, SBM_GETRANGE
};
