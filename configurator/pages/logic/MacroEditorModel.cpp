#include "pages/logic/MacroEditorModel.h"

#include <algorithm>
#include <cwctype>
#include <limits>

namespace {

// The second-level items that hold Down, Up and Click, with the code of their button.
struct ButtonItem {
    int32_t item;
    const wchar_t* text;
    int16_t code;
};
constexpr ButtonItem kButtonItems[] = {
    {kMenuLeftButton, L"Left button", 1},     {kMenuRightButton, L"Right button", 2},
    {kMenuMiddleButton, L"Middle button", 4}, {kMenuForwardButton, L"Forward button", 167},
    {kMenuBackButton, L"Back button", 166},
};

const ButtonItem* FindButtonItem(int32_t item) {
    for (const ButtonItem& button : kButtonItems) {
        if (button.item == item)
            return &button;
    }
    return nullptr;
}

}  // namespace

void FillMacroContextMenu(MenuLevel& root) {
    root.AddItem(kMenuRecordBefore, L"Start record before event");
    root.AddItem(kMenuRecordAfter, L"Start record after event");
    root.AddItem(kMenuInsertMouse, L"Insert mouse event");
    root.AddItem(kMenuInsertDelay, L"Insert delay");
    root.AddItem(kMenuEditDelay, L"Edit delay");
    root.AddItem(kMenuDelete, L"Delete");
    for (const ButtonItem& button : kButtonItems)
        root.AddSubItem(kMenuInsertMouse, button.item, button.text);
    root.AddSubItem(kMenuInsertMouse, kMenuScrollWheel, L"Scroll wheel");
    for (const ButtonItem& button : kButtonItems) {
        root.AddThirdLevelItem(button.item, button.item + 1, L"Down");
        root.AddThirdLevelItem(button.item, button.item + 2, L"Up");
        root.AddThirdLevelItem(button.item, button.item + 3, L"Click");
    }
    root.AddThirdLevelItem(kMenuScrollWheel, kMenuWheelDown, L"Down");
    root.AddThirdLevelItem(kMenuScrollWheel, kMenuWheelUp, L"Up");
}

MacroEditorModel::MacroEditorModel(MacroFileSystem* fileSystem) : macros_(this, fileSystem) {}

int32_t MacroEditorModel::VisibleRows(int32_t height) noexcept {
    return height / kRowHeight;
}

void MacroEditorModel::ResetScrollRange(int32_t height) {
    const int32_t visible = VisibleRows(height);
    ScrollState().minimum = visible;
    ScrollState().maximum = visible + 1;
    SetScrollPosition(visible);
}

void MacroEditorModel::SetScrollMaximum(int32_t maximum) {
    // While every row fits, the range stays empty so that the thumb rests at the top.
    ScrollState().maximum = std::max(maximum, ScrollState().minimum);
}

void MacroEditorModel::SetScrollPosition(int32_t position) {
    OnScrollPosition(scroll_.SetPos(position));
}

void MacroEditorModel::OnScrollPosition(int32_t position) {
    if (CMacro* macro = macros_.CurrentMacro())
        macro->ShiftRowsForScrollPosition(position);
}

void MacroEditorModel::SelectMacro(int32_t id, const std::u16string& name, MacroRect bounds,
                                   int32_t occurrence) {
    CMacro* macro = macros_.FindMacro(id, occurrence);
    if (macro == nullptr) {
        ScrollState().maximum = ScrollState().minimum + 1;
        SetScrollPosition(ScrollState().minimum);
        macro = &macros_.AddMacro(id, name, bounds);
    }
    macros_.SetCurrentMacro(macro);
    SetScrollMaximum(static_cast<int32_t>(macro->events.size()));
    SetScrollPosition(ScrollState().minimum);
}

void MacroEditorModel::MacroNotify(int32_t code, int32_t value) {
    switch (code) {
        case NOTIFY_ROWS_OVERFLOW:
            // The editor's scroll bar is always shown: the range grows to the new last row.
            SetScrollMaximum(value);
            SetScrollPosition(value);
            break;
        case NOTIFY_SCROLL_TO_ROW:
            SetScrollPosition(value);
            break;
        default:
            break;
    }
}

void MacroEditorModel::InsertMouseEvent(uint8_t kind, int16_t code, uint8_t action) {
    if (CMacro* macro = macros_.CurrentMacro())
        macro->InsertEvent(kind, code, action, 0, kPlaceAfterSelection);
}

MenuOutcome MacroEditorModel::RunMenuCommand(int32_t levelCode, int32_t itemId) {
    CMacro* macro = macros_.CurrentMacro();
    if (levelCode == rootMenuId_) {
        switch (itemId) {
            case kMenuRecordBefore:
                macros_.UsePlacementAfterSelection();
                if (macro != nullptr)
                    macro->SelectPreviousEvent();
                return MenuOutcome::kStartRecording;
            case kMenuRecordAfter:
                macros_.UsePlacementAfterSelection();
                return MenuOutcome::kStartRecording;
            case kMenuInsertDelay:
            case kMenuEditDelay:
                if (macro != nullptr && macro->SelectedEvent() != nullptr)
                    return MenuOutcome::kOpenDelayEdit;
                return MenuOutcome::kNothing;
            case kMenuDelete:
                if (macro != nullptr)
                    macro->DeleteSelectedEvent();
                return MenuOutcome::kNothing;
            default:
                return MenuOutcome::kNothing;
        }
    }
    if (levelCode == kMenuScrollWheel) {
        if (itemId == kMenuWheelDown)
            InsertMouseEvent(kEventWheel, kWheelDownCode, kActionPress);
        else if (itemId == kMenuWheelUp)
            InsertMouseEvent(kEventWheel, kWheelUpCode, kActionPress);
        return MenuOutcome::kNothing;
    }
    const ButtonItem* button = FindButtonItem(levelCode);
    if (button == nullptr)
        return MenuOutcome::kNothing;
    switch (itemId - button->item) {
        case 1:
            InsertMouseEvent(kEventMouseButton, button->code, kActionPress);
            break;
        case 2:
            InsertMouseEvent(kEventMouseButton, button->code, kActionRelease);
            break;
        case 3:
            InsertMouseEvent(kEventMouseButton, button->code, kActionPress);
            InsertMouseEvent(kEventMouseButton, button->code, kActionRelease);
            break;
        default:
            break;
    }
    return MenuOutcome::kNothing;
}

bool MacroEditorModel::SetSelectedDelay(const std::wstring& text) {
    if (text.empty())
        return false;
    CMacro* macro = macros_.CurrentMacro();
    CEventItem* event = macro != nullptr ? macro->SelectedEvent() : nullptr;
    if (event == nullptr)
        return false;
    event->delay = ParseDelayText(text);
    return true;
}

int32_t ParseDelayText(const std::wstring& text) noexcept {
    size_t i = 0;
    while (i < text.size() && std::iswspace(static_cast<wint_t>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    int64_t value = 0;
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > kLimit)
            value = kLimit;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int32_t>::max())
        value = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}
