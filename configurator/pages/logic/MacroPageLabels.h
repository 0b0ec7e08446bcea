#pragma once
// What screen readers call the macro page's controls: the labels its skin draws, by control id.

#include "pages/logic/MacroPageIds.h"
#include "skin/logic/AccessLabel.h"

inline constexpr wchar_t kMacroPageName[] = L"Macros";
// The box in which a new macro's name is typed.
inline constexpr wchar_t kNewMacroNameLabel[] = L"New macro name";

inline constexpr AccessLabel kMacroPageLabels[] = {
    {IDC_MACRO_LIST, L"Macros"},          {IDC_MACRO_EDITOR, L"Events"},
    {IDC_NEW_MACRO, L"New macro"},        {IDC_DELETE_MACRO, L"Delete macro"},
    {IDC_RECORD_DELAY, L"Record delays"}, {IDC_START_RECORD, L"Start recording"},
    {IDC_STOP_RECORD, L"Stop recording"},
};
