#pragma once
// CZelMacroCtrl: the macro page's editor on an owner-drawn static control. It owns the macros
// (MacroEditorModel), shows the current macro's events as rows with marks, names and delays,
// scrolls them with its scroll bar, edits a delay in place and offers the context menu that
// inserts mouse events, deletes events and starts recordings (NOTIFY_START_RECORDING to the
// page). While a recording runs it refuses the menu.

#include <windows.h>

#include "pages/logic/MacroEditorModel.h"
#include "skin/SkinFont.h"
#include "skin/ScopedWin.h"
#include "skin/SkinImage.h"
#include "skin/ZelEdit.h"
#include "skin/ZelMenu.h"
#include "skin/ZelScrollCtrl.h"
#include "skin/ZelOwnerDrawnStatic.h"

class CZelMacroCtrl : public CZelOwnerDrawnStatic, public MacroEditorModel {
  public:
    // Control id of the delay box, a child of the editor.
    static constexpr int kDelayEditId = 101;

    CZelMacroCtrl() noexcept;
    ~CZelMacroCtrl() override;

    void SetBackground(SkinImage image) noexcept;
    // Creates the scroll bar on first use, skins it, puts it at the right edge and sets the
    // range for the current client size. Call after sizing the control.
    void SetUpScrollBar() noexcept;
    // The context menu with its three levels; once.
    void BuildContextMenu() noexcept;
    // Takes the delay typed into the open delay box; false when no box was open.
    bool CommitDelayEdit() noexcept;
    // Makes the macro current (creating it when missing) and redraws; `occurrence` as for
    // SelectMacro.
    void ShowMacro(int32_t id, const std::wstring& name, int32_t occurrence = 0) noexcept;

    CZelScrollCtrl& ScrollBar() noexcept { return scrollBar_; }
    CZelMenu& ContextMenu() noexcept { return menu_; }
    CZelEdit& DelayEdit() noexcept { return delayEdit_; }
    ScrollModel& ScrollState() noexcept override { return scrollBar_.model; }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override;
    bool OnControlNotification(int code, LPARAM value) noexcept override;
    // Its scroll bar is a child the list does not paint over.
    DWORD WantedStyle(DWORD style) const noexcept override;
    void SetScrollPosition(int32_t position) override;
    // Screen readers: the list of the current macro's events, named by its label.
    bool DescribeSelf(AccessInfo& info) const noexcept override;

  private:
    void OnDrawItem(const DRAWITEMSTRUCT& item) noexcept override;
    bool OnPress(int x, int y) noexcept override;
    bool OnRelease(int x, int y) noexcept override;
    void OnRightButtonDown(int x, int y) noexcept;
    void OnKillFocus(HWND next) noexcept;
    void OnMenuCommand(int levelCode, int itemId) noexcept;
    void OpenDelayEdit() noexcept;
    void DrawRows(HDC dc) noexcept;

    SkinImage background_;
    CZelMenu menu_;
    CZelEdit delayEdit_;
    CZelScrollCtrl scrollBar_;
    CSkinFont font_;
};
