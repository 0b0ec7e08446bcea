#pragma once
// CMacroSettingsDlg: the macro page: the list of macros, the editor of the selected one and
// the recorder.

#include <memory>

#include "macros/MacroCollection.h"
#include "macros/MacroRecorder.h"
#include "pages/PageHost.h"
#include "pages/SystemTickClock.h"
#include "pages/ZelMacroCtrl.h"
#include "pages/logic/MacroRowNaming.h"
#include "skin/ZelButton.h"
#include "skin/ZelCheckBox.h"
#include "skin/ZelEdit.h"
#include "pages/PageDialog.h"
#include "skin/ZelListBox.h"

class CMacroSettingsDlg : public CPageDialog {
  public:
    // Control id of the box in which a new macro's name is typed (a child of the list).
    static constexpr int kNameEditId = 1071;
    // The one error text of the recorder.
    static constexpr const wchar_t* kHookFailedText = L"start hook failed!";

    explicit CMacroSettingsDlg(PageHost& host) noexcept;
    ~CMacroSettingsDlg() override;

    // Reads the macro folder into the editor's collection, once: the main window does it before
    // the mouse page needs the macros, and the page's window does it when made, if not yet.
    void LoadMacros() noexcept;
    // The macros of the editor, in list order.
    MacroCollection& Macros() noexcept;
    // Writes the macro folder; false when it could not be written.
    bool SaveMacros() noexcept;

    // The recorder, as the Start Record and Stop Record buttons run it.
    void StartRecording() noexcept;
    void StopRecording() noexcept;
    bool IsRecording() const noexcept { return editor_.IsRecording(); }

    CZelListBox& List() noexcept { return list_; }
    CZelMacroCtrl& Editor() noexcept { return editor_; }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override;
    bool OnInitDialog() noexcept override;
    bool OnCommand(int id, int code, HWND control) noexcept override;
    bool OnControlNotification(int code, LPARAM value) noexcept override;
    bool PreTranslateMessage(MSG& msg) noexcept override;
    void OnWindowGone() noexcept override;

  private:
    void CreateControls() noexcept override;
    void LoadMacroList() noexcept;
    void OnHookEvent(WPARAM virtualKey, LPARAM upFlag) noexcept;
    void OnMacroSelected(int32_t id) noexcept;
    void OnStartRecordClicked() noexcept;
    void BeginNameEdit() noexcept;
    void DeleteSelectedMacro() noexcept;
    void ReleaseHook() noexcept;

    PageHost& host_;
    MacroRowNaming rowNaming_;
    CZelListBox list_;
    CZelMacroCtrl editor_;
    CZelButton newMacro_;
    CZelButton delete_;
    CZelCheckBox recordDelay_;
    CZelButton startRecord_;
    CZelButton stopRecord_;
    SystemTickClock clock_;
    MacroRecorder recorder_{clock_};
    // The window the keyboard hook reports to while one is installed.
    HWND hookTarget_ = nullptr;
    bool macrosLoaded_ = false;
};
