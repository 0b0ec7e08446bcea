#pragma once
// CZelWnd: the base of every window and control of the configurator. See ZelFramework.h for an
// overview of the framework.

#include <windows.h>

#include <span>
#include <string>

#include "skin/AccessSource.h"
#include "skin/ControlNotification.h"
#include "skin/WindowAccess.h"
#include "skin/WindowHandle.h"
#include "skin/logic/AccessLabel.h"
#include "skin/logic/ControlKind.h"

// Paints what the parent shows behind `child` into `dc` (the child's client coordinates), for
// controls that draw only part of their area.
void DrawParentBackground(HWND child, HDC dc) noexcept;

class CZelWnd : public AccessSource, public WindowHandle {
  public:
    CZelWnd() = default;
    virtual ~CZelWnd();
    CZelWnd(const CZelWnd&) = delete;
    CZelWnd& operator=(const CZelWnd&) = delete;

    // The object attached to a window, or null when the window is not one of ours.
    static CZelWnd* FromHandle(HWND hwnd) noexcept;

    // A child window of a system class ("BUTTON", "STATIC", "EDIT", ...) at `rect`, in the
    // parent's client coordinates; WS_CHILD is added to the style.
    struct ChildWindow {
        HWND parent = nullptr;
        const wchar_t* systemClass = nullptr;
        const wchar_t* text = L"";
        DWORD style = 0;
        RECT rect{};
        int id = 0;
        DWORD exStyle = 0;
    };
    // Creates the child window and attaches this object to it.
    bool CreateChild(const ChildWindow& child) noexcept;
    // Creates a window of the framework's own class (default cursor, no background brush).
    // `owner` is the parent of a child or the owner of a top-level window.
    bool CreateCustom(DWORD exStyle, const wchar_t* name, DWORD style, const RECT& rect, HWND owner,
                      HMENU menuOrId) noexcept;
    // Subclasses an existing window (usually a dialog item); OnAttached runs afterwards.
    bool Attach(HWND hwnd) noexcept;
    bool AttachDlgItem(HWND dialog, int id) noexcept;
    // Gives the window back its own procedure; the window stays.
    void Detach() noexcept;

    // Invalidates the whole window so it repaints; a reader that asked about the control hears
    // what changed.
    void Redraw() noexcept;

    // ControlNotification (code, value) to the parent window.
    LRESULT NotifyParent(int code, LPARAM value) noexcept;
    // Whether a notification with this code that the window does not handle goes on to its
    // parent. Controls pass everything on; a dialog page only what it is meant to (its control
    // ids overlap those of the window it sits on).
    virtual bool PassesOn(int code) const noexcept;

    // Called for every message on its way to the window, from the window up to its top-level
    // ancestor, by the framework's message loops; true swallows the message.
    virtual bool PreTranslateMessage(MSG& msg) noexcept;
    // Runs PreTranslateMessage along the chain of `msg.hwnd` and its ancestors.
    static bool PreTranslateChain(MSG& msg) noexcept;

    // While a popup menu is open it takes the keys before the window with the focus does, as
    // the system's menus do (its OnKey sees them first); null gives them back.
    static void SetKeyOwner(CZelWnd* owner) noexcept;
    static CZelWnd* KeyOwner() noexcept;

    // What screen readers call the control when its own text does not say what it is for (the
    // label the skin draws beside a slider or a box), and how they present it.
    void SetAccessLabel(const std::wstring& name, AccessHint hint = AccessHint::kNone) noexcept;
    const std::wstring& AccessName() const noexcept { return access_.Name(); }
    AccessHint AccessHintOf() const noexcept { return access_.Hint(); }
    // SetAccessLabel for each label whose id names a child window of `parent` that is ours.
    static void LabelControls(HWND parent, std::span<const AccessLabel> labels) noexcept;

  protected:
    // The one dispatch switch of a class: handle what it needs, hand the rest to its base.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    // The window's own processing: the subclassed procedure, or the default window procedure.
    LRESULT DefaultHandling(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

    // A ControlNotification arrived. Return true when handled; otherwise a child window passes
    // it on to its parent and a top-level window drops it.
    virtual bool OnControlNotification(int code, LPARAM value) noexcept;
    // WM_COMMAND that the control did not take itself; true when handled.
    virtual bool OnCommand(int id, int code, HWND control) noexcept;
    // WM_TIMER; true when handled (system controls keep timers of their own).
    virtual bool OnTimer(UINT_PTR id) noexcept;
    // A message that the parent hands back to its control (draw item, colour requests,
    // command notifications). True when handled; `result` is the answer.
    virtual bool OnReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam,
                                    LRESULT& result) noexcept;
    // After attaching: anything beyond the style (WantedStyle).
    virtual void OnAttached() noexcept {}
    // The window style the control needs, given the one it has: CreateChild makes the window
    // with it and Attach sets it, only where it differs (each change is two messages). Controls
    // reached with Tab are tab stops.
    virtual DWORD WantedStyle(DWORD style) const noexcept;
    // WM_DESTROY, before anything else handles it: the handle is still valid here (remove
    // hooks and tray icons, save what the window holds). Children still exist.
    virtual void OnDestroy() noexcept {}
    // WM_NCDESTROY: the window is gone; the object lives on.
    virtual void OnWindowGone() noexcept {}
    // What the control is for tools that read it from outside (ControlKind.h); kept in a window
    // property while attached.
    virtual ControlKind AccessKind() const noexcept { return ControlKind::Unknown; }

    // AccessSource: a window with a label and nothing else to tell (a page) is a property page
    // of that name; others leave the answers to the system.
    bool DescribeSelf(AccessInfo& info) const noexcept override;
    // The access label when there is one, else `shown` (the control's caption or text).
    std::wstring AccessNameOr(const std::wstring& shown) const;

    // A key pressed while the control has the focus, which the dialog manager left to it (Alt
    // held: `alt`; a key held down repeats: `repeat`). True when the control took it.
    virtual bool OnKey(UINT, bool /*alt*/, bool /*repeat*/) noexcept { return false; }
    // WM_GETDLGCODE bits for keys the dialog manager would otherwise use itself (arrows for a
    // slider, Enter for a button), added to what the window's class answers.
    virtual UINT WantedKeys(const MSG*) const noexcept { return 0; }

    // Answers WM_GETTEXT (size, buffer) or WM_GETTEXTLENGTH with `text`, for controls whose
    // shown text is not their window text.
    static LRESULT AnswerTextQuery(UINT msg, const std::wstring& text, WPARAM size,
                                   LPARAM buffer) noexcept;

    // A dialog's procedure hands its window over here after WM_INITDIALOG.
    bool AttachDialog(HWND hwnd) noexcept { return Attach(hwnd); }

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT HandleSystemCommand(WPARAM wParam, LPARAM lParam) noexcept;
    bool Reflect(HWND child, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) noexcept;
    void Bind(HWND hwnd) noexcept;
    void Unbind() noexcept;
    void OnFocusChanged(bool gained) noexcept;

    WNDPROC previousProc_ = nullptr;  // null: DefWindowProcW
    WindowAccess access_;
};
