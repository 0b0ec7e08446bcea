#pragma once
// The configurator's window framework, on plain Win32. Include this header to use it.
//
// Windows and controls
//   CZelWnd (ZelWnd.h) is the base of everything. A window class overrides HandleMessage with
//   one switch that calls small On... handlers and hands everything else to its base class's
//   HandleMessage, which ends in DefaultHandling (the window's original procedure). The static
//   window procedure is noexcept and finds the object in a table of the thread's windows;
//   nothing may throw out of a handler.
//   - A control is attached to a dialog item with AttachDlgItem (subclassing; the style bits
//     it needs, such as owner draw, come from WantedStyle) or created as a child with
//     CreateChild, given a ChildWindow ({.parent = ..., .systemClass = L"BUTTON", ...}), made
//     with those bits from the start.
//   - Windows of the framework's own class (popup menus) come from CreateCustom.
//   - The C++ object owns nothing of the window's life: a dialog's members are its controls;
//     the window is destroyed by the system with its parent, and the object outlives it.
//   - Helpers (WindowHandle.h): Move, Show, Enable, StartTimer/StopTimer (WM_TIMER goes to
//     OnTimer), CaptureMouse/ReleaseMouse/HasCapture, SetPolygonRegion; Redraw. HoverCapture
//     (HoverCapture.h) is the hover-and-capture state machine that the buttons, the slider and the
//     scroll bar share.
//   - Owner-draw, colour and command notifications that a parent receives from its controls
//     are handed back to the control (OnReflectedMessage) before the parent sees them, so a
//     control draws itself on WM_DRAWITEM and an edit answers its own WM_CTLCOLOREDIT.
//
// Control notifications
//   ControlNotification(target, code, value) (ControlNotification.h) sends WM_SYSCOMMAND
//   synchronously with the code (a control id or a NOTIFY_... code) and a value, marked as ours for
//   the time of the send (TakeControlNotificationMark), so that no code is ever taken for a real
//   system command: menu ids made from the tick count may fall in 0xF000 .. 0xFFFF.
//   NotifyParent(code, value) sends it to the parent. Each window receives them in one
//   OnControlNotification(code, value) handler; when it returns false a child window passes the
//   notification on to its parent if PassesOn(code) says so, and a top-level window drops it.
//   Controls pass everything on; a CZelDialog page passes only NOTIFY_MENU_HIDING, since its
//   control ids are also ids of the main window's controls. An unmarked WM_SYSCOMMAND is a real
//   system command and goes to the default handling.
//
// Destruction
//   OnDestroy runs on WM_DESTROY while the handle and the children are still valid (remove a
//   hook or a tray icon, save); OnWindowGone runs on WM_NCDESTROY, when the window is gone.
//
// Reading controls from outside
//   The skinned controls answer the query messages of their kind (window text, BM_GETCHECK and
//   BM_GETSTATE, TBM_GETPOS and TBM_GETRANGEMIN/MAX, PBM_GETPOS and PBM_GETRANGE, SBM_GETPOS,
//   LB_GETCOUNT, LB_GETCURSEL, LB_GETTEXT and LB_GETTEXTLEN) and name their kind in a window
//   property (ControlKind.h), for accessibility tools, automation and the end-to-end probe.

// Screen readers and the keyboard
//   Every window is an AccessSource (AccessSource.h): a control describes its role, name, state,
//   value, default action and items, and its CZelAccessible (ZelAccessible.h), made and cut off
//   by the window's WindowAccess (WindowAccess.h), answers WM_GETOBJECT from that. A window names
//   its controls with LabelControls and a table of AccessLabel (the label its skin draws beside
//   each control, and whether the control is one of a set, a page tab or a mere marker). Buttons,
//   boxes, sliders and lists are tab stops for the dialog manager; OnKey gets the keys it leaves
//   them (WantedKeys asks for arrows, and a button for Enter); an open popup menu takes every key
//   first (SetKeyOwner, MenuKeys.h); BufferedPaint draws the focus mark once the keyboard has moved
//   through the window (FocusMark.h), and only then do Space and Enter press the button with the
//   focus: before, Enter stays the dialog's.

// Dialogs
//   CZelDialog (ZelDialog.h) is made from a template of the program's .rc. Create(parent) for
//   child pages and modeless windows, RunModal(owner) for modal ones; EndModal(1 or 2) ends
//   the run (OnOK and OnCancel do that by default). OnInitDialog runs once the controls exist;
//   attach the skinned controls there. PreTranslateMessage sees every message of the window
//   and its children before dispatch in the framework's loops (modal runs and CZelApp).
//   CZelImageDialog (ZelImageDialog.h) adds a skin image as the whole background.
//
// Application
//   CZelApp (ZelApp.h): Run() starts the common controls, COM and GDI+, calls InitInstance,
//   runs the loop when it returns true, calls ExitInstance and shuts the libraries down.
//   Every GDI+ image (a SkinImage inside a control) must be gone before that: free windows
//   that hold images in ExitInstance, or keep them inside InitInstance's scope.
//   Programs add ${ORVA_SKIN_MANIFEST_RC} to their sources for common controls 6 and
//   per-monitor display-scale awareness.
//
// Skins and drawing (SkinImages.h, SkinPieces.h, SkinSheets.h, OffscreenBuffer.h)
//   GetSkinPiece(id, state, l, t, r, b) gives a SkinImage (owned cut/copy or a borrowed shared
//   sheet); LoadSkinImage loads one file; DrawLabel draws one line of text; CreateSkinFont
//   makes the "Arial" font of a height; DrawSkinImage draws an image scaled to a rectangle
//   (pixel for pixel at the same size); BufferedPaint (BufferedPaint.h) is one flicker-free
//   painting (paint or owner-draw request, off-screen buffer, GDI+ and GDI, one copy), on top of
//   OffscreenBuffer. DrawParentBackground paints what lies behind a control that draws only part
//   of itself; an image dialog paints only that part of its image.
//
// Display scale (SkinImages.h, DisplayScale.h, SkinFont.h)
//   One scale for the process: SetSkinScale(dpi) before the first control is made (the main
//   window takes its own DPI, WindowDpi). Layout tables stay in 96-DPI pixels; ScaledRect and
//   ScaledLength turn them into window pixels, GetSkinPiece cuts pieces from the sheets of the
//   scale at scaled rectangles, CreateSkinFont scales the pixel height and CSkinFont remakes a
//   control's font when the scale changes. Controls that keep rows in 96-DPI pixels (the list
//   box, the macro editor) draw them scaled and take a pointer back with DisplayScale::Unscale.
//   Programs with ${ORVA_SKIN_MANIFEST_RC} declare per-monitor awareness.
//
// The skinned controls
//   CZelButton, CZelCheckBox, CZelComboButton (one hover/press state machine, CZelButtonBase),
//   CZelStatic, CZelEdit, CZelImageDialog; CZelSliderCtrl, CZelScrollCtrl, CZelProgressCtrl,
//   CZelMenu, CZelListBox; the keyboard hook slot (KeyboardHookSlot.h). The controls that paint
//   a system static themselves (the static, the scroll bar, the list box, the macro editor)
//   share CZelOwnerDrawnStatic and implement only OnDrawItem (and OnPress/OnRelease for their
//   clicks); those that paint their own window (the edit, the slider, the progress bar, the
//   menu) share CZelPaintedWnd and implement only OnPaint.

#include "skin/BufferedPaint.h"
#include "skin/HoverCapture.h"
#include "skin/OffscreenBuffer.h"
#include "skin/SkinImages.h"
#include "skin/ZelApp.h"
#include "skin/ZelDialog.h"
#include "skin/ZelWnd.h"
