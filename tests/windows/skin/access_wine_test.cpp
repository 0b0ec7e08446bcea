// The skinned controls as screen readers and the keyboard meet them, with real windows under
// Wine: the accessible object each control hands out (role, name, state, value, items, default
// action), what happens to it when the control goes, the events that tell readers of changes,
// and the keys that sliders, lists and menus take. The end-to-end test drives the same through
// the real program from another process; this one reaches what that cannot (a disconnected
// object, a menu three levels deep, every key of a menu).

#include <gtest/gtest.h>

#include <initguid.h>
#include <windows.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "profiles/Storage.h"
#include "skin/FocusMark.h"
#include "skin/SkinImages.h"
#include "skin/ZelButton.h"
#include "skin/ZelCheckBox.h"
#include "skin/ZelComboButton.h"
#include "skin/ZelListBox.h"
#include "skin/ZelMenu.h"
#include "skin/ZelSliderCtrl.h"
#include "EditorMenu.h"
#include "ui_test_support.h"

namespace {

using Notification = std::pair<int, LPARAM>;

constexpr int kButtonId = 1042;
constexpr int kBoxId = 1028;
constexpr int kComboId = 1022;
constexpr int kSliderId = 1014;
constexpr int kListId = 1069;
constexpr int kMarkerId = 1032;

// A reader's reference to a control's accessible object.
class Reader {
  public:
    explicit Reader(HWND window) {
        void* object = nullptr;
        if (SUCCEEDED(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, &object))) {
            object_ = static_cast<IAccessible*>(object);
        }
    }
    ~Reader() {
        if (object_ != nullptr) {
            object_->Release();
        }
    }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    bool Found() const { return object_ != nullptr; }
    IAccessible* operator->() const { return object_; }

    long Role(long child = CHILDID_SELF) const { return Number(&IAccessible::get_accRole, child); }
    long State(long child = CHILDID_SELF) const {
        return Number(&IAccessible::get_accState, child);
    }
    std::wstring Name(long child = CHILDID_SELF) const {
        return Text(&IAccessible::get_accName, child);
    }
    std::wstring Value(long child = CHILDID_SELF) const {
        return Text(&IAccessible::get_accValue, child);
    }
    std::wstring Action(long child = CHILDID_SELF) const {
        return Text(&IAccessible::get_accDefaultAction, child);
    }
    long Children() const {
        long count = -1;
        object_->get_accChildCount(&count);
        return count;
    }
    HRESULT DoDefault(long child = CHILDID_SELF) const {
        return object_->accDoDefaultAction(Child(child));
    }

    static VARIANT Child(long id) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_I4;
        v.lVal = id;
        return v;
    }

  private:
    long Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*),
                long child) const {
        VARIANT out;
        VariantInit(&out);
        if (FAILED((object_->*get)(Child(child), &out)) || out.vt != VT_I4) {
            return -1;
        }
        return out.lVal;
    }
    std::wstring Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*),
                      long child) const {
        BSTR text = nullptr;
        if (FAILED((object_->*get)(Child(child), &text)) || text == nullptr) {
            return L"";
        }
        std::wstring out(text, SysStringLen(text));
        SysFreeString(text);
        return out;
    }

    IAccessible* object_ = nullptr;
};

// Records the click commands with the check box's state at the moment each arrives.
class CClickRecorder : public CNotifyRecorder {
  public:
    const CZelCheckBox* box = nullptr;
    std::vector<std::pair<int, bool>> clicks;

  protected:
    bool OnCommand(int id, int code, HWND control) noexcept override {
        if (code == BN_CLICKED) {
            clicks.emplace_back(id, box != nullptr && box->IsChecked());
        }
        return CNotifyRecorder::OnCommand(id, code, control);
    }
};

// The change events readers hear, caught in this process.
std::vector<std::pair<DWORD, HWND>> gEvents;
void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD,
                      DWORD) noexcept {
    if (object == OBJID_CLIENT) {
        gEvents.emplace_back(event, window);
    }
}

bool Heard(DWORD event, HWND window) {
    for (const auto& e : gEvents) {
        if (e.first == event && e.second == window) {
            return true;
        }
    }
    return false;
}

LRESULT Key(const CZelWnd& control, UINT key) {
    return SendMessageW(control.Hwnd(), WM_KEYDOWN, key, 1);
}

bool IsTabStop(const CZelWnd& control) {
    return (GetWindowLongW(control.Hwnd(), GWL_STYLE) & WS_TABSTOP) != 0;
}

class AccessWineTest : public testing::Test {
  protected:
    void SetUp() override {
        // The list's scroll bar is cut from the build's skins.
        SetSkinFolder(ApplicationFolder() / L".." / L".." / L".." / L"dist" / L"Skins");
        ASSERT_TRUE(parent.Create({100, 100, 700, 500}));
        ASSERT_TRUE(button.CreateChild({.parent = parent.Hwnd(),
                                        .systemClass = L"BUTTON",
                                        .style = WS_VISIBLE,
                                        .rect = {10, 10, 70, 34},
                                        .id = kButtonId}));
        button.SetCaption(L"Apply");
        ASSERT_TRUE(box.CreateChild({.parent = parent.Hwnd(),
                                     .systemClass = L"BUTTON",
                                     .text = L"125",
                                     .style = WS_VISIBLE,
                                     .rect = {10, 40, 75, 65},
                                     .id = kBoxId}));
        parent.box = &box;
        ASSERT_TRUE(combo.CreateChild({.parent = parent.Hwnd(),
                                       .systemClass = L"BUTTON",
                                       .text = L"Function3",
                                       .style = WS_VISIBLE,
                                       .rect = {10, 70, 192, 91},
                                       .id = kComboId}));
        combo.AddItem(0, L"Left Click");
        combo.AddItem(4, L"Back");
        combo.SelectItem(0);
        ASSERT_TRUE(slider.CreateChild({.parent = parent.Hwnd(),
                                        .systemClass = L"STATIC",
                                        .style = WS_VISIBLE,
                                        .rect = {10, 100, 191, 125},
                                        .id = kSliderId}));
        slider.model = SliderModel{200, 1400, 500, 200};
        ASSERT_TRUE(marker.CreateChild({.parent = parent.Hwnd(),
                                        .systemClass = L"BUTTON",
                                        .text = L"Bn1",
                                        .style = WS_VISIBLE,
                                        .rect = {300, 10, 320, 30},
                                        .id = kMarkerId}));
        const AccessLabel labels[] = {{kBoxId, L"125 Hz", AccessHint::kRadio},
                                      {kComboId, L"Button 3"},
                                      {kSliderId, L"Double-click speed"},
                                      {kMarkerId, L"1", AccessHint::kDecoration},
                                      {0, L"unused"}};
        CZelWnd::LabelControls(parent.Hwnd(), labels);
    }
    void TearDown() override {
        if (hook_ != nullptr) {
            UnhookWinEvent(hook_);
        }
        gEvents.clear();
    }

    void Listen() {
        hook_ = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, OnEvent, GetCurrentProcessId(), 0,
                                WINEVENT_OUTOFCONTEXT);
        ASSERT_NE(hook_, nullptr);
    }

    CClickRecorder parent;
    CZelButton button;
    CZelCheckBox box;
    CZelComboButton combo;
    CZelSliderCtrl slider;
    CZelButton marker;

  private:
    HWINEVENTHOOK hook_ = nullptr;
};

TEST_F(AccessWineTest, ReadersSeeRoleNameStateValueAndActionOfEachKind) {
    Reader apply(button.Hwnd());
    ASSERT_TRUE(apply.Found());
    EXPECT_EQ(apply.Role(), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(apply.Name(), L"Apply");
    EXPECT_EQ(apply.Action(), L"Press");
    EXPECT_NE(apply.State() & STATE_SYSTEM_FOCUSABLE, 0);
    button.SetLatched(true);
    EXPECT_NE(apply.State() & STATE_SYSTEM_PRESSED, 0);

    // A box of a set of which one is on reads as a radio button, named by its label.
    Reader rate(box.Hwnd());
    EXPECT_EQ(rate.Role(), ROLE_SYSTEM_RADIOBUTTON);
    EXPECT_EQ(rate.Name(), L"125 Hz");
    EXPECT_EQ(rate.State() & STATE_SYSTEM_CHECKED, 0);
    box.SetChecked(true);
    EXPECT_NE(rate.State() & STATE_SYSTEM_CHECKED, 0);
    box.SetAccessLabel(L"Enable pointer acceleration");
    EXPECT_EQ(rate.Role(), ROLE_SYSTEM_CHECKBUTTON);
    EXPECT_EQ(rate.Action(), L"Uncheck");

    Reader slot(combo.Hwnd());
    EXPECT_EQ(slot.Role(), ROLE_SYSTEM_BUTTONMENU);
    EXPECT_EQ(slot.Name(), L"Button 3");
    EXPECT_EQ(slot.Value(), L"Left Click");
    EXPECT_NE(slot.State() & STATE_SYSTEM_HASPOPUP, 0);

    Reader speed(slider.Hwnd());
    EXPECT_EQ(speed.Role(), ROLE_SYSTEM_SLIDER);
    EXPECT_EQ(speed.Name(), L"Double-click speed");
    EXPECT_EQ(speed.Value(), L"500");
    slider.SetDisabled(true);
    EXPECT_NE(speed.State() & STATE_SYSTEM_UNAVAILABLE, 0);
    EXPECT_FALSE(IsTabStop(slider));
    slider.SetDisabled(false);
    EXPECT_TRUE(IsTabStop(slider));

    // A marker on a picture is text, and Tab passes it by.
    Reader number(marker.Hwnd());
    EXPECT_EQ(number.Role(), ROLE_SYSTEM_STATICTEXT);
    EXPECT_EQ(number.Name(), L"1");
    EXPECT_EQ(number.Action(), L"");
    EXPECT_FALSE(IsTabStop(marker));
    EXPECT_EQ(number.DoDefault(), static_cast<HRESULT>(DISP_E_MEMBERNOTFOUND));
    EXPECT_TRUE(IsTabStop(button) && IsTabStop(box) && IsTabStop(combo));

    // Disabled controls refuse their action.
    button.Enable(false);
    EXPECT_NE(apply.State() & STATE_SYSTEM_UNAVAILABLE, 0);
    EXPECT_EQ(apply.DoDefault(), E_FAIL);
}

TEST_F(AccessWineTest, DefaultActionRunsLaterThroughTheClickPath) {
    Reader rate(box.Hwnd());
    Reader apply(button.Hwnd());
    ASSERT_EQ(rate.DoDefault(), S_OK);
    ASSERT_EQ(apply.DoDefault(), S_OK);
    // Posted: nothing happens while the reader waits for its answer.
    EXPECT_TRUE(parent.clicks.empty());
    ASSERT_TRUE(PumpPostedSoFar());
    // As with a click: the parent hears of the box while it is still clear, then it toggles.
    EXPECT_EQ(parent.clicks,
              (std::vector<std::pair<int, bool>>{{kBoxId, false}, {kButtonId, true}}));
    EXPECT_TRUE(box.IsChecked());
    // Until the user moves through the window with the keyboard, a focus the dialog or a click
    // gave stays unpressed: Space does nothing and Enter is left to the dialog (its OK).
    MSG enter{button.Hwnd(), WM_KEYDOWN, VK_RETURN, 1, 0, {}};
    const auto wantsEnter = [&] {
        return (SendMessageW(button.Hwnd(), WM_GETDLGCODE, VK_RETURN,
                             reinterpret_cast<LPARAM>(&enter)) &
                DLGC_WANTMESSAGE) != 0;
    };
    Key(box, VK_SPACE);
    Key(button, VK_RETURN);
    EXPECT_TRUE(box.IsChecked());
    EXPECT_EQ(parent.clicks.size(), 2u);
    EXPECT_FALSE(wantsEnter());
    // After a Tab, Space and Enter do what a click does; a held key repeats nothing.
    NoteKeyboardUse(MSG{parent.Hwnd(), WM_KEYDOWN, VK_TAB, 1, 0, {}});
    Key(box, VK_SPACE);
    SendMessageW(box.Hwnd(), WM_KEYDOWN, VK_SPACE, 1 | (1 << 30));
    EXPECT_FALSE(box.IsChecked());
    EXPECT_EQ(SendMessageW(button.Hwnd(), WM_GETDLGCODE, 0, 0) & DLGC_WANTMESSAGE, 0);
    EXPECT_TRUE(wantsEnter());
    Key(button, VK_RETURN);
    EXPECT_EQ(parent.clicks.size(), 4u);
    EXPECT_EQ(parent.clicks.back().first, kButtonId);
}

TEST_F(AccessWineTest, AnObjectOutlivingItsControlIsCutOff) {
    Reader apply(button.Hwnd());
    ASSERT_EQ(apply.Name(), L"Apply");
    HWND window = nullptr;
    EXPECT_EQ(WindowFromAccessibleObject(apply.operator->(), &window), S_OK);
    EXPECT_EQ(window, button.Hwnd());
    button.DestroyWindow();
    // The reader keeps its reference; every question fails instead of reaching a dead control.
    BSTR name = nullptr;
    EXPECT_TRUE(FAILED(apply->get_accName(Reader::Child(CHILDID_SELF), &name)));
    EXPECT_EQ(name, nullptr);
    EXPECT_TRUE(FAILED(apply.DoDefault()));
    EXPECT_EQ(apply.Role(), -1);
}

TEST_F(AccessWineTest, ChangesAreToldOnlyOnceAReaderAsked) {
    Listen();
    box.SetChecked(true);
    ASSERT_TRUE(PumpPostedSoFar());
    EXPECT_FALSE(Heard(EVENT_OBJECT_STATECHANGE, box.Hwnd()));

    Reader rate(box.Hwnd());
    Reader speed(slider.Hwnd());
    Reader slot(combo.Hwnd());
    Reader apply(button.Hwnd());
    box.SetChecked(false);
    slider.SetValue(800, false);
    combo.SetCaption(L"Back", 4, 0);
    button.SetCaption(L"Apply now");
    ASSERT_TRUE(PumpPostedSoFar());
    EXPECT_TRUE(Heard(EVENT_OBJECT_STATECHANGE, box.Hwnd()));
    EXPECT_TRUE(Heard(EVENT_OBJECT_VALUECHANGE, slider.Hwnd()));
    EXPECT_TRUE(Heard(EVENT_OBJECT_VALUECHANGE, combo.Hwnd()));
    EXPECT_TRUE(Heard(EVENT_OBJECT_NAMECHANGE, button.Hwnd()));
    EXPECT_FALSE(Heard(EVENT_OBJECT_NAMECHANGE, box.Hwnd()));
}

TEST_F(AccessWineTest, SliderKeysReportAsADragDoes) {
    Key(slider, VK_RIGHT);  // 500 lies between steps: up to the next one
    Key(slider, VK_HOME);
    Key(slider, VK_LEFT);  // at the minimum already: nothing to report
    Key(slider, VK_END);
    Key(slider, VK_END);
    Key(slider, VK_DOWN);
    EXPECT_EQ(parent.received,
              (std::vector<Notification>{
                  {kSliderId, 600}, {kSliderId, 200}, {kSliderId, 1400}, {kSliderId, 1200}}));
    EXPECT_EQ(SendMessageW(slider.Hwnd(), WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
    slider.SetDisabled(true);
    Key(slider, VK_HOME);
    EXPECT_EQ(slider.Value(), 1200);
}

TEST_F(AccessWineTest, ListReadsItsEntriesAndKeysSelectAsClicksDo) {
    CZelListBox list;
    ASSERT_TRUE(list.CreateChild({.parent = parent.Hwnd(),
                                  .systemClass = L"STATIC",
                                  .style = WS_VISIBLE,
                                  .rect = {300, 63, 300 + 204, 63 + 220},
                                  .id = kListId}));
    list.SetUpScrollBar();
    list.SetAccessLabel(L"Macros");
    for (const wchar_t* name : {L"alpha", L"beta", L"gamma"}) {
        list.AddNamedItem(name);
    }
    parent.received.clear();
    Reader macros(list.Hwnd());
    EXPECT_EQ(macros.Role(), ROLE_SYSTEM_LIST);
    EXPECT_EQ(macros.Name(), L"Macros");
    ASSERT_EQ(macros.Children(), 3);
    EXPECT_EQ(macros.Role(1), ROLE_SYSTEM_LISTITEM);
    EXPECT_EQ(macros.Name(2), L"beta");
    EXPECT_NE(macros.State(3) & STATE_SYSTEM_SELECTED, 0);
    EXPECT_EQ(macros.State(1) & STATE_SYSTEM_SELECTED, 0);
    VARIANT selection;
    ASSERT_EQ(macros->get_accSelection(&selection), S_OK);
    EXPECT_EQ(selection.lVal, 3);

    Key(list, VK_UP);
    Key(list, VK_HOME);
    Key(list, VK_END);
    ASSERT_EQ(macros.DoDefault(2), S_OK);
    ASSERT_TRUE(PumpPostedSoFar());
    const int32_t first = list.Entries()[0].id;
    const int32_t second = list.Entries()[1].id;
    const int32_t third = list.Entries()[2].id;
    EXPECT_EQ(parent.received, (std::vector<Notification>{{NOTIFY_MACRO_SELECTED, second},
                                                          {NOTIFY_MACRO_SELECTED, first},
                                                          {NOTIFY_MACRO_SELECTED, third},
                                                          {NOTIFY_MACRO_SELECTED, second}}));
    EXPECT_NE(macros.State(2) & STATE_SYSTEM_SELECTED, 0);
    EXPECT_EQ(parent.commands, 0);
}

// The macro editor's menu: six items, mouse buttons under 3, actions under 7 and 11.
class MenuKeysWineTest : public testing::Test {
  protected:
    static constexpr int32_t kRootId = 4242;

    void SetUp() override {
        ASSERT_TRUE(notify.Create({600, 600, 700, 700}));
        ASSERT_TRUE(root.Create(L"menu", {0, 0, 170, 10}, notify.Hwnd(), kRootId));
        AddEditorMenuItems(root);
        root.AddThirdLevelItem(7, 8, L"Down");
        root.AddThirdLevelItem(11, 12, L"Down");
        root.AddThirdLevelItem(11, 13, L"Up");
        MouseMoveTo(20, 20);
        root.PopupAt(100, 100, CZelMenu::kTopLeft);
        ASSERT_TRUE(root.IsVisible());
    }
    void TearDown() override { root.CloseMenu(); }

    // A key as the message loops meet it: the open menu takes it before any window.
    bool Press(UINT key) {
        MSG msg{notify.Hwnd(), WM_KEYDOWN, key, 1, 0, {}};
        return CZelWnd::PreTranslateChain(msg);
    }

    CNotifyRecorder notify;
    CZelMenu root;
};

TEST_F(MenuKeysWineTest, KeysWalkTheLevelsAndChooseAsAClickDoes) {
    EXPECT_EQ(CZelWnd::KeyOwner(), &root);
    CZelMenu* buttons = root.GetSubMenu(3);
    CZelMenu* right = buttons->GetSubMenu(11);
    EXPECT_TRUE(Press(VK_UP));  // from nothing lit: the last item, round the end
    EXPECT_EQ(root.HoveredIndex(), 5);
    Press(VK_DOWN);
    EXPECT_EQ(root.HoveredIndex(), 0);
    Press(VK_END);
    Press(VK_HOME);
    Press(VK_DOWN);
    Press(VK_DOWN);
    Press(VK_RIGHT);
    ASSERT_TRUE(buttons->IsVisible());
    EXPECT_EQ(buttons->HoveredIndex(), 0);
    Press(VK_DOWN);
    Press(VK_RETURN);  // "Right button" opens its level rather than being chosen
    ASSERT_TRUE(right->IsVisible());
    EXPECT_EQ(right->HoveredIndex(), 0);
    Press(VK_LEFT);
    EXPECT_FALSE(right->IsVisible());
    EXPECT_TRUE(buttons->IsVisible());
    Press(VK_ESCAPE);
    EXPECT_FALSE(buttons->IsVisible());
    EXPECT_TRUE(root.IsVisible());
    EXPECT_EQ(root.HoveredIndex(), 2);
    EXPECT_TRUE(notify.Commands().empty());

    // Into the third level and its second item, chosen with Enter: reported with its level.
    Press(VK_RIGHT);
    Press(VK_DOWN);
    Press(VK_RIGHT);
    Press(VK_DOWN);
    MSG character{notify.Hwnd(), WM_CHAR, L'x', 1, 0, {}};
    EXPECT_TRUE(CZelWnd::PreTranslateChain(character));  // swallowed while the menu is open
    Press(VK_RETURN);
    EXPECT_EQ(notify.Commands(), (std::vector<Notification>{{right->Id(), 13}}));
    EXPECT_FALSE(root.IsVisible());
    EXPECT_EQ(CZelWnd::KeyOwner(), nullptr);
    EXPECT_FALSE(Press(VK_DOWN));  // closed: keys go to the windows again
}

TEST_F(MenuKeysWineTest, EscapeTabAndAltArrowsCloseTheMenu) {
    for (UINT key : {static_cast<UINT>(VK_ESCAPE), static_cast<UINT>(VK_TAB)}) {
        root.PopupAt(100, 100, CZelMenu::kTopLeft);
        Press(VK_DOWN);
        Press(key);
        EXPECT_FALSE(root.IsVisible()) << key;
    }
    root.PopupAt(100, 100, CZelMenu::kTopLeft);
    MSG altDown{notify.Hwnd(), WM_SYSKEYDOWN, VK_DOWN, 1 | (1 << 29), 0, {}};
    EXPECT_TRUE(CZelWnd::PreTranslateChain(altDown));
    EXPECT_FALSE(root.IsVisible());
    EXPECT_TRUE(notify.Commands().empty());
}

TEST_F(MenuKeysWineTest, ReadersSeeTheItemsAndTheirActionsChoose) {
    Reader menu(root.Hwnd());
    ASSERT_TRUE(menu.Found());
    EXPECT_EQ(menu.Role(), ROLE_SYSTEM_MENUPOPUP);
    ASSERT_EQ(menu.Children(), 6);
    EXPECT_EQ(menu.Role(3), ROLE_SYSTEM_MENUITEM);
    EXPECT_EQ(menu.Name(3), L"Item 3");
    EXPECT_NE(menu.State(3) & STATE_SYSTEM_HASPOPUP, 0);
    EXPECT_EQ(menu.Action(3), L"Open");
    EXPECT_EQ(menu.Action(5), L"Execute");
    Press(VK_DOWN);
    EXPECT_NE(menu.State(1) & STATE_SYSTEM_FOCUSED, 0);
    VARIANT focus;
    ASSERT_EQ(menu->get_accFocus(&focus), S_OK);
    EXPECT_EQ(focus.lVal, 1);

    ASSERT_EQ(menu.DoDefault(5), S_OK);
    ASSERT_TRUE(PumpPostedSoFar());
    EXPECT_EQ(notify.Commands(), (std::vector<Notification>{{kRootId, 5}}));
    EXPECT_FALSE(root.IsVisible());
}

}  // namespace
