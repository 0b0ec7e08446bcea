#pragma once
// What the macro editor control does without its window: it owns the macro collection, keeps the
// scroll range in step with the current macro's rows, and carries out the context menu's
// commands. The control derives from it and lets its scroll bar hold the range; tests drive it
// directly.

#include <cstdint>
#include <string>

#include "macros/MacroCollection.h"
#include "macros/MacroFileSystem.h"
#include "macros/MacroOwner.h"
#include "skin/logic/MenuTree.h"
#include "skin/logic/ScrollMath.h"

// Control id of the editor's scroll bar; its position arrives as a notification with this code.
constexpr int32_t kEditorScrollBarId = 100;
// The editor asks its page to start recording (after "Start record before/after event").
constexpr int32_t NOTIFY_START_RECORDING = 116;

// Context menu item ids.
enum MacroMenuItem : int32_t {
    kMenuRecordBefore = 1,
    kMenuRecordAfter = 2,
    kMenuInsertMouse = 3,
    kMenuInsertDelay = 4,
    kMenuEditDelay = 5,
    kMenuDelete = 6,
    kMenuLeftButton = 7,
    kMenuRightButton = 11,
    kMenuMiddleButton = 15,
    kMenuForwardButton = 19,
    kMenuBackButton = 23,
    kMenuScrollWheel = 27,
    kMenuWheelDown = 28,
    kMenuWheelUp = 29,
};

// Mouse and wheel codes of inserted events.
constexpr int16_t kWheelUpCode = 151;
constexpr int16_t kWheelDownCode = 152;

// What the window has to do after a menu command.
enum class MenuOutcome {
    kNothing,
    kStartRecording,  // send NOTIFY_START_RECORDING to the page
    kOpenDelayEdit,   // open the delay box on the selected event
};

// Fills an empty menu with the three levels of the editor's context menu.
void FillMacroContextMenu(MenuLevel& root);

class MacroEditorModel : public MacroOwner {
  public:
    explicit MacroEditorModel(MacroFileSystem* fileSystem = nullptr);
    ~MacroEditorModel() override = default;

    MacroCollection& Macros() noexcept { return macros_; }
    const MacroCollection& Macros() const noexcept { return macros_; }

    // Makes the macro FindMacro(id, occurrence) names current, creating it (with `bounds` as
    // its bounds) when there is none, and scrolls to its first rows.
    void SelectMacro(int32_t id, const std::u16string& name, MacroRect bounds,
                     int32_t occurrence = 0);
    // The scroll bar reports a new position: the current macro's rows move for it.
    void OnScrollPosition(int32_t position);
    // A command of the context menu: the notification code is the level the item lies on (the
    // root's id or a button item of the second level), the value the item id. Commands the
    // level does not carry are ignored.
    MenuOutcome RunMenuCommand(int32_t levelCode, int32_t itemId);
    // The id the root menu level was created with.
    void SetRootMenuId(int32_t id) noexcept { rootMenuId_ = id; }
    int32_t RootMenuId() const noexcept { return rootMenuId_; }
    // Sets the selected event's delay from typed text; false when nothing was changed (no text,
    // no current macro or no selected event).
    bool SetSelectedDelay(const std::wstring& text);

    bool IsRecording() const noexcept { return recording_; }
    void SetRecording(bool recording) noexcept { recording_ = recording; }

    // Visible rows of a control `height` pixels high: the scroll bar's minimum.
    static int32_t VisibleRows(int32_t height) noexcept;
    // Sets the range for a control `height` pixels high: minimum v, maximum v + 1, position v.
    void ResetScrollRange(int32_t height);

    // The scroll range and position; the window's scroll bar keeps its own.
    virtual ScrollModel& ScrollState() noexcept { return scroll_; }

  protected:
    // Moves the scroll position (clamped). The window's scroll bar reports the position back
    // through OnScrollPosition; here the rows move at once.
    virtual void SetScrollPosition(int32_t position);
    void MacroNotify(int32_t code, int32_t value) override;

  private:
    void SetScrollMaximum(int32_t maximum);
    void InsertMouseEvent(uint8_t kind, int16_t code, uint8_t action);

    MacroCollection macros_;
    ScrollModel scroll_;
    int32_t rootMenuId_ = 0;
    bool recording_ = false;
};

// The number typed into the delay box: leading blanks, an optional sign, decimal digits; 0
// without digits, clamped to the int32 range.
int32_t ParseDelayText(const std::wstring& text) noexcept;
