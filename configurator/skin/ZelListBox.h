#pragma once
// CZelListBox: the macro page's list of macro names on an owner-drawn static control, with a
// single selection, a scroll bar that appears when the rows overflow and an edit box in which a
// new name is typed. It tells its parent which macro is selected (NOTIFY_MACRO_SELECTED, id or
// 0) and which is being deleted (NOTIFY_MACRO_DELETED, id). It answers LB_GETCOUNT,
// LB_GETCURSEL, LB_GETTEXT and LB_GETTEXTLEN like a system list box.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skin/ScopedWin.h"
#include "skin/SkinImage.h"
#include "skin/ZelScrollCtrl.h"
#include "skin/ZelOwnerDrawnStatic.h"
#include "skin/logic/ListRows.h"

constexpr int NOTIFY_MACRO_SELECTED = 103;
constexpr int NOTIFY_MACRO_DELETED = 104;

class CZelListBox : public CZelOwnerDrawnStatic {
  public:
    // Control id of the list's scroll bar; its position arrives as a notification with this code.
    static constexpr int kScrollBarId = 100;

    void SetBackground(SkinImage image) noexcept;
    // Creates the scroll bar on first use, skins it, puts it at the right edge and sets the
    // range for the current client size. Call after sizing the list.
    void SetUpScrollBar() noexcept;
    // The edit box the page made for typing a new name; the list keeps it from now on.
    void SetNameEdit(std::unique_ptr<CZelWnd> edit) noexcept;
    CZelWnd* NameEdit() const noexcept { return nameEdit_.get(); }
    CZelScrollCtrl& ScrollBar() noexcept { return scrollBar_; }

    // How new entries are numbered and named; plain (next id, name as typed) until set. The
    // rule must outlive the list.
    void SetRowNaming(const RowNaming& naming) noexcept { naming_ = &naming; }
    // A new selected entry with a fresh id and a unique name; reported as selected.
    void AddNamedItem(const std::wstring& name) noexcept;
    // An entry with the given id, the name taken as it is; reported as selected.
    void AddItemWithId(const std::wstring& name, int32_t id) noexcept;
    // Removes the selected row (never another one with the same id): NOTIFY_MACRO_DELETED with
    // its id while it is still selected, then NOTIFY_MACRO_SELECTED for the row that follows.
    void DeleteSelectedItem() noexcept;
    const CBoxItem* SelectedItem() const noexcept { return rows_.SelectedItem(); }
    // How many rows above the selected one carry its id (ids read from files may repeat).
    int32_t SelectedOccurrence() const noexcept {
        return rows_.OccurrenceOf(rows_.SelectedIndex());
    }
    const std::vector<CBoxItem>& Entries() const noexcept { return rows_.Entries(); }
    // Where the next entry will stand (the page puts the edit box there); may scroll the rows.
    RECT NewRowRectangle() noexcept;
    // Adds the typed name, if any, and hides the edit box. False when no box was open.
    bool CommitNameEdit() noexcept;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override;
    bool OnControlNotification(int code, LPARAM value) noexcept override;
    void OnAttached() noexcept override;
    // Its scroll bar is a child the list does not paint over.
    DWORD WantedStyle(DWORD style) const noexcept override;
    ControlKind AccessKind() const noexcept override { return ControlKind::ListBox; }
    // A list of its entries; Up, Down, Home and End select as a click on a row does.
    bool DescribeSelf(AccessInfo& info) const noexcept override;
    int AccessItemCount() const noexcept override;
    bool DescribeItem(int index, AccessInfo& info, RECT& where) const noexcept override;
    bool DoAccessAction(int index) noexcept override;
    bool OnKey(UINT key, bool alt, bool repeat) noexcept override;
    UINT WantedKeys(const MSG*) const noexcept override { return DLGC_WANTARROWS; }

  private:
    // Selects the entry and tells the parent, as a click on its row does; scrolls it into view.
    void SelectEntry(int32_t index) noexcept;
    void OnDrawItem(const DRAWITEMSTRUCT& item) noexcept override;
    bool OnPress(int x, int y) noexcept override;
    bool OnRelease(int x, int y) noexcept override;
    // The entry under a client pixel, -1 for none.
    int32_t EntryAtPointer(int x, int y) const noexcept;
    // The font the rows are written in; null for the device context's own.
    HFONT RowFont() const noexcept;
    LRESULT OnGetText(WPARAM index, wchar_t* buffer) const noexcept;
    LRESULT OnGetTextLength(WPARAM index) const noexcept;
    void SyncClientSize() noexcept;
    void LayOutRows() noexcept;

    SkinImage background_;
    std::unique_ptr<CZelWnd> nameEdit_;
    CZelScrollCtrl scrollBar_;
    ListRows rows_;
    PlainRowNaming plainNaming_;
    const RowNaming* naming_ = &plainNaming_;
    mutable ScopedFont rowFont_;
    mutable uint32_t rowFontDpi_ = 0;
};
