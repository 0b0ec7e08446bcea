// The framework and the skinned buttons, image dialog, static and edit with real windows and
// real input under Wine: notifications, their order and where they stop, modal runs, the
// destruction handler, regions, skin pieces, painting the parent's background and the query
// messages the controls answer.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework_test_ids.h"
#include "base/FileUtil.h"
#include "profiles/Storage.h"
#include "skin/BmpSheetFile.h"
#include "skin/KeyboardHookSlot.h"
#include "skin/SkinImages.h"
#include "skin/ZelButton.h"
#include "skin/ZelCheckBox.h"
#include "skin/ZelComboButton.h"
#include "skin/ZelEdit.h"
#include "skin/ZelImageDialog.h"
#include "skin/ZelMenu.h"
#include "skin/ZelSliderCtrl.h"
#include "skin/ZelStatic.h"
#include "ui_test_support.h"

namespace {

std::filesystem::path BuildSkins() {
    // The test program lies in tests/windows/skin of the build; the skins in dist/Skins.
    return ApplicationFolder() / L".." / L".." / L".." / L"dist" / L"Skins";
}

void UseBuildSkins() {
    SetSkinFolder(BuildSkins());
}

// A sheet as the system's own image decoder reads it: the pieces, cut by the configurator's
// reader, are compared with it.
std::unique_ptr<Gdiplus::Bitmap> DecodedBySystem(const wchar_t* name) {
    return std::make_unique<Gdiplus::Bitmap>((BuildSkins() / name).c_str());
}

// Whether every `step`-th pixel of the image equals the sheet's at (left, top) on.
void ExpectSameAs(Gdiplus::Bitmap& image, Gdiplus::Bitmap& sheet, int left, int top, int step) {
    for (UINT y = 0; y < image.GetHeight(); y += step) {
        for (UINT x = 0; x < image.GetWidth(); x += step) {
            Gdiplus::Color a, b;
            image.GetPixel(x, y, &a);
            sheet.GetPixel(left + x, top + y, &b);
            ASSERT_EQ(a.GetValue(), b.GetValue()) << x << "," << y;
        }
    }
}

// A 24-bit bitmap file of 5 x 3 pixels whose pixel (x, y) is RGB(10 x, 20 y, 7), its rows
// stored bottom row first (as usual) or top row first.
std::vector<uint8_t> SmallBmp(bool topDown) {
    const int width = 5, height = 3, rowBytes = 16;
    std::vector<uint8_t> file(54 + rowBytes * height, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            file[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, width);
    put32(22, static_cast<uint32_t>(topDown ? -height : height));
    file[26] = 1;
    file[28] = 24;
    for (int y = 0; y < height; ++y) {
        const int stored = topDown ? y : height - 1 - y;
        for (int x = 0; x < width; ++x) {
            uint8_t* pixel = &file[54 + stored * rowBytes + x * 3];
            pixel[0] = 7;
            pixel[1] = static_cast<uint8_t>(20 * y);
            pixel[2] = static_cast<uint8_t>(10 * x);
        }
    }
    return file;
}

struct Event {
    enum Kind { kNotification, kClick } kind;
    int code;
    LPARAM value;
    bool boxChecked;  // the check box's state when the event arrived
};

class CHost : public CZelImageDialog {
  public:
    CHost() : CZelImageDialog(IDD_FRAMEWORK_HOST) {}

    CZelCheckBox box;
    CZelButton button;
    CZelComboButton combo;
    CZelStatic label;
    CZelEdit edit;
    std::vector<Event> events;
    bool clearVetoOnce = false;

    std::vector<Event> EventsFrom(int id) const {
        std::vector<Event> out;
        for (const Event& e : events) {
            if (e.code == id) {
                out.push_back(e);
            }
        }
        return out;
    }

  protected:
    bool OnInitDialog() noexcept override {
        HWND me = Hwnd();
        box.AttachDlgItem(me, IDC_HOST_CHECK);
        box.Move(10, 10, 30, 30);
        box.SetImages(
            GetSkinPiece(43, 0, 525, 148, 555, 178), GetSkinPiece(43, 1, 525, 148, 555, 178),
            GetSkinPiece(43, 2, 525, 148, 555, 178), GetSkinPiece(43, 3, 525, 148, 555, 178));
        button.AttachDlgItem(me, IDC_HOST_BUTTON);
        button.Move(60, 10, 115, 17);
        button.SetImages(
            GetSkinPiece(56, 0, 232, 308, 347, 325), GetSkinPiece(56, 1, 232, 308, 347, 325),
            GetSkinPiece(56, 2, 232, 308, 347, 325), GetSkinPiece(56, 3, 232, 308, 347, 325));
        combo.AttachDlgItem(me, IDC_HOST_COMBO);
        combo.Move(10, 60, 182, 21);
        combo.SetImages(GetSkinPiece(24, 0, 52, 39, 234, 60), GetSkinPiece(24, 1, 52, 39, 234, 60),
                        GetSkinPiece(24, 2, 52, 39, 234, 60));
        label.AttachDlgItem(me, IDC_HOST_STATIC);
        label.Move(200, 60, 77, 40);
        edit.AttachDlgItem(me, IDC_HOST_EDIT);
        edit.Move(10, 120, 171, 17);
        // No focus, so the host is never activated: Wine without a window manager takes two
        // seconds to destroy an active top-level window. Tests that type set the focus.
        return false;
    }

    bool OnCommand(int id, int code, HWND control) noexcept override {
        if (code == BN_CLICKED && control != nullptr) {
            events.push_back({Event::kClick, id, 0, box.IsChecked()});
            return true;
        }
        return CZelImageDialog::OnCommand(id, code, control);
    }

    bool OnControlNotification(int code, LPARAM value) noexcept override {
        events.push_back({Event::kNotification, code, value, box.IsChecked()});
        if (code == IDC_HOST_COMBO && clearVetoOnce) {
            clearVetoOnce = false;
            combo.SetVeto(false);
        }
        return true;
    }
};

POINT Centre(const CZelWnd& wnd) {
    RECT r{};
    GetWindowRect(wnd.Hwnd(), &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class Framework : public testing::Test {
  protected:
    void SetUp() override {
        UseBuildSkins();
        ASSERT_TRUE(host.Create(nullptr));
        // Not activated: Wine without a window manager takes two seconds to destroy an active
        // top-level window.
        SetWindowPos(host.Hwnd(), HWND_TOP, 100, 100, 400, 200, SWP_SHOWWINDOW | SWP_NOACTIVATE);
        ASSERT_TRUE(PumpUntilPainted(host.Hwnd()));
        // Start with the pointer away from every control.
        MouseMoveTo(700, 700);
        host.events.clear();
    }
    void TearDown() override {
        MouseMoveTo(700, 700);
        host.DestroyWindow();
        PumpFor(50);
    }
    CHost host;
};

TEST_F(Framework, CheckBoxParentSeesHoverThenClickBeforeTheToggle) {
    POINT c = Centre(host.box);
    MouseMoveTo(c.x, c.y);
    MouseLeftDown();
    EXPECT_TRUE(PumpUntil([&] { return host.box.State() == kSkinDown; }));
    MouseLeftUp();
    EXPECT_TRUE(PumpUntil([&] { return host.box.IsChecked(); }));
    // Hover (control id, 0) first, then the click while the box is still clear; the release of
    // the button's capture may start a new hover afterwards, which is a notification again.
    std::vector<Event> events = host.EventsFrom(IDC_HOST_CHECK);
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[0].kind, Event::kNotification);
    EXPECT_EQ(events[0].value, 0);
    EXPECT_EQ(events[1].kind, Event::kClick);
    EXPECT_FALSE(events[1].boxChecked);  // the click handler ran before the toggle
    for (size_t i = 2; i < events.size(); ++i) {
        EXPECT_EQ(events[i].kind, Event::kNotification);
        EXPECT_TRUE(events[i].boxChecked);
    }
    EXPECT_TRUE(host.box.IsChecked());
    EXPECT_NE(host.box.State(), kSkinDown);
    // Tools read the box as a check box.
    EXPECT_EQ(SendMessageW(host.box.Hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(static_cast<ControlKind>(
                  reinterpret_cast<intptr_t>(GetPropW(host.box.Hwnd(), kControlKindProperty))),
              ControlKind::Button);

    // A second click soon after is a press like the first, not a swallowed double click.
    MouseLeftDown();
    MouseLeftUp();
    EXPECT_TRUE(PumpUntil([&] { return !host.box.IsChecked(); }));
    EXPECT_EQ(SendMessageW(host.box.Hwnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    int clicks = 0;
    for (const Event& e : host.EventsFrom(IDC_HOST_CHECK)) {
        clicks += e.kind == Event::kClick ? 1 : 0;
    }
    EXPECT_EQ(clicks, 2);
}

TEST_F(Framework, CheckBoxReleasedOutsideStaysAsItWas) {
    POINT c = Centre(host.box);
    MouseMoveTo(c.x, c.y);
    MouseLeftDown();
    EXPECT_TRUE(PumpUntil([&] { return host.box.IsPressed(); }));
    MouseMoveTo(c.x + 150, c.y + 120);
    EXPECT_TRUE(PumpUntil([&] { return !host.box.IsPressed(); }));
    EXPECT_FALSE(host.box.HasCapture());
    EXPECT_EQ(host.box.State(), kSkinNormal);
    MouseLeftUp();
    EXPECT_FALSE(host.box.IsChecked());
    for (const Event& e : host.EventsFrom(IDC_HOST_CHECK)) {
        EXPECT_NE(e.kind, Event::kClick);
    }
}

TEST_F(Framework, ButtonHoverNotifiesOnceAndLeavingReleasesTheCapture) {
    POINT c = Centre(host.button);
    MouseMoveTo(c.x, c.y);
    MouseMoveTo(c.x + 2, c.y);
    MouseMoveTo(c.x + 4, c.y + 1);
    EXPECT_TRUE(PumpUntil([&] { return host.button.State() == kSkinOver; }));
    EXPECT_TRUE(host.button.HasCapture());
    ASSERT_EQ(host.EventsFrom(IDC_HOST_BUTTON).size(), 1u);
    EXPECT_EQ(SendMessageW(host.button.Hwnd(), BM_GETSTATE, 0, 0) & (BST_HOT | BST_PUSHED),
              BST_HOT);
    MouseMoveTo(c.x, c.y + 100);
    EXPECT_TRUE(PumpUntil([&] { return host.button.State() == kSkinNormal; }));
    EXPECT_FALSE(host.button.HasCapture());
    EXPECT_FALSE(host.button.IsTracking());
    // Coming back is a new hover.
    MouseMoveTo(c.x, c.y);
    EXPECT_TRUE(PumpUntil([&] { return host.EventsFrom(IDC_HOST_BUTTON).size() == 2u; }));
    MouseLeftDown();
    EXPECT_TRUE(PumpUntil(
        [&] { return (SendMessageW(host.button.Hwnd(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }));
    MouseLeftUp();
    PumpUntil([&] { return host.EventsFrom(IDC_HOST_BUTTON).size() >= 3u; });
    std::vector<Event> events = host.EventsFrom(IDC_HOST_BUTTON);
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[2].kind, Event::kClick);

    // Two more clicks at once, within the double-click time: each is a click of its own.
    for (int i = 0; i < 2; ++i) {
        MouseLeftDown();
        MouseLeftUp();
    }
    auto clicks = [&] {
        const std::vector<Event> all = host.EventsFrom(IDC_HOST_BUTTON);
        return std::count_if(all.begin(), all.end(),
                             [](const Event& e) { return e.kind == Event::kClick; });
    };
    EXPECT_TRUE(PumpUntil([&] { return clicks() == 3; })) << clicks() << " clicks";
}

// Whether the screen shows the image's pixel at a point of a window; the screen follows what
// the window painted a moment later, so callers wait for it.
testing::AssertionResult Shows(const CZelWnd& wnd, int x, int y, const SkinImage& image) {
    if (!image) {
        return testing::AssertionFailure() << "no image";
    }
    RECT r{};
    GetWindowRect(wnd.Hwnd(), &r);
    const COLORREF shown = ScreenPixel(r.left + x, r.top + y);
    Gdiplus::Color expected;
    image.Get()->GetPixel(x, y, &expected);
    if (shown == RGB(expected.GetR(), expected.GetG(), expected.GetB())) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << std::hex << "at " << x << "," << y << " shown " << shown;
}

void ExpectShows(const CZelWnd& wnd, int x, int y, const SkinImage& image) {
    EXPECT_TRUE(PumpUntil([&] { return static_cast<bool>(Shows(wnd, x, y, image)); }));
    EXPECT_TRUE(Shows(wnd, x, y, image));
}

TEST_F(Framework, LatchedAndDisabledButtonsChooseTheirImages) {
    // Pixel (3, 3) lies on the button's frame, which differs between the states.
    host.button.SetLatched(true);
    ASSERT_TRUE(PumpUntilPainted(host.button.Hwnd()));
    ExpectShows(host.button, 3, 3, GetSkinPiece(56, 2, 232, 308, 347, 325));
    // A latched button reads as checked; its caption is its text.
    EXPECT_EQ(SendMessageW(host.button.Hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
    host.button.SetCaption(L"Apply");
    EXPECT_EQ(host.button.Text(), L"Apply");
    // Hovering does not change a latched button.
    POINT c = Centre(host.button);
    MouseMoveTo(c.x, c.y);
    ASSERT_TRUE(PumpUntilPainted(host.button.Hwnd()));
    ExpectShows(host.button, 3, 3, GetSkinPiece(56, 2, 232, 308, 347, 325));
    MouseMoveTo(700, 700);
    // Disabled with a disable image wins even over the latch.
    host.button.Enable(false);
    ASSERT_TRUE(PumpUntilPainted(host.button.Hwnd()));
    ExpectShows(host.button, 3, 3, GetSkinPiece(56, 3, 232, 308, 347, 325));
    host.button.Enable(true);
    host.button.SetLatched(false);
    ASSERT_TRUE(PumpUntilPainted(host.button.Hwnd()));
    ExpectShows(host.button, 3, 3, GetSkinPiece(56, 0, 232, 308, 347, 325));
}

TEST_F(Framework, ComboButtonWhoseVetoIsClearedKeepsItsCaption) {
    host.combo.AddItem(0, L"Left Click");
    host.combo.AddItem(1, L"Right Click");
    host.combo.AddItem(2, L"Scroll Click");
    host.combo.SelectItem(0);
    ASSERT_EQ(host.combo.Caption(), L"Left Click");
    ASSERT_EQ(host.combo.CurrentId(), 0);
    CZelMenu* menu = host.combo.Menu();
    ASSERT_NE(menu, nullptr);

    auto choose = [&](int index) {
        POINT c = Centre(host.combo);
        MouseMoveTo(c.x, c.y);
        MouseLeftDown();
        MouseLeftUp();
        ASSERT_TRUE(PumpUntil([&] { return menu->IsVisible(); }));
        RECT m{};
        GetWindowRect(menu->Hwnd(), &m);
        RECT b{};
        GetWindowRect(host.combo.Hwnd(), &b);
        EXPECT_EQ(m.left, b.left);
        EXPECT_EQ(m.top, b.bottom);
        const PixelRect& item = menu->Items()[static_cast<size_t>(index)].rect;
        int x = m.left + (item.left + item.right) / 2;
        int y = m.top + (item.top + item.bottom) / 2;
        MouseMoveTo(x, y);
        MouseLeftDown();
        MouseLeftUp();
        ASSERT_TRUE(PumpUntil([&] { return !menu->IsVisible(); }));
        // Let the menu-watch timer forget the open menu before the next press.
        PumpFor(300);
    };

    host.clearVetoOnce = true;
    choose(1);
    EXPECT_EQ(host.combo.Caption(), L"Left Click");
    EXPECT_EQ(host.combo.CurrentId(), 0);
    EXPECT_TRUE(host.combo.Veto());

    choose(2);
    EXPECT_EQ(host.combo.Caption(), L"Scroll Click");
    EXPECT_EQ(host.combo.CurrentId(), 2);
    EXPECT_EQ(host.combo.Text(), L"Scroll Click");

    // A notification for an id the menu does not have changes nothing and is not passed on.
    ControlNotification(host.combo.Hwnd(), 77, 999);
    EXPECT_EQ(host.combo.Caption(), L"Scroll Click");
    EXPECT_TRUE(host.EventsFrom(77).empty());

    std::vector<int> chosen;
    for (const Event& e : host.EventsFrom(IDC_HOST_COMBO)) {
        if (e.kind == Event::kNotification) {
            chosen.push_back(static_cast<int>(e.value));
        }
    }
    EXPECT_EQ(chosen, (std::vector<int>{1, 2}));
    // The hiding of the menu reached the parent through the button, 1 before 0.
    std::vector<LPARAM> hiding;
    for (const Event& e : host.EventsFrom(NOTIFY_MENU_HIDING)) {
        hiding.push_back(e.value);
    }
    ASSERT_GE(hiding.size(), 2u);
    EXPECT_EQ(hiding[0], 1);
    EXPECT_EQ(hiding[1], 0);
}

TEST_F(Framework, ComboButtonClickedWhileOpenClosesWithoutReopening) {
    host.combo.AddItem(0, L"Left Click");
    CZelMenu* menu = host.combo.Menu();
    POINT c = Centre(host.combo);
    MouseMoveTo(c.x, c.y);
    MouseLeftDown();
    MouseLeftUp();
    ASSERT_TRUE(PumpUntil([&] { return menu->IsVisible(); }));
    PumpFor(250);  // the watch timer sees the menu open
    MouseLeftDown();
    MouseLeftUp();
    PumpFor(200);
    EXPECT_FALSE(menu->IsVisible());
}

TEST_F(Framework, StaticTextListAndDoubleClick) {
    host.label.Texts() = {L"one", L"two", L"three"};
    host.label.SetCurrentText(2);
    EXPECT_EQ(host.label.GetText(), L"three");
    host.label.SetText(L"first");
    EXPECT_EQ(host.label.CurrentText(), 0);
    EXPECT_EQ(host.label.GetText(), L"first");
    EXPECT_EQ(host.label.Texts().size(), 3u);
    host.label.Texts()[1] = L"second";
    host.label.SetCurrentText(1);
    EXPECT_EQ(host.label.Text(), L"second");  // what WM_GETTEXT answers is what it shows
    host.label.SetCurrentText(7);
    EXPECT_EQ(host.label.GetText(), L"");
    EXPECT_EQ(host.label.Text(), L"");

    POINT c = Centre(host.label);
    MouseMoveTo(c.x, c.y);
    MouseLeftDown();
    MouseLeftUp();
    MouseLeftDown();
    MouseLeftUp();
    PumpUntil([&] { return !host.EventsFrom(IDC_HOST_STATIC).empty(); });
    PumpFor(100);
    // The double click is reported as (control id, 1), once, and no click command comes out.
    std::vector<Event> events = host.EventsFrom(IDC_HOST_STATIC);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, Event::kNotification);
    EXPECT_EQ(events[0].value, 1);
}

TEST_F(Framework, StaticSwatchShowsItsFillColour) {
    host.label.SetFillColour(0xFF00FF00);
    host.label.Redraw();
    RECT r{};
    GetWindowRect(host.label.Hwnd(), &r);
    EXPECT_TRUE(PumpUntil([&] {
        return ScreenPixel((r.left + r.right) / 2, (r.top + r.bottom) / 2) == RGB(0, 255, 0) &&
               ScreenPixel(r.left, r.top) == RGB(0, 255, 0);
    }));
}

TEST_F(Framework, EditSendsOneChangePerTypedCharacterAndDrawsAFramedBox) {
    SetFocus(host.edit.Hwnd());
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == host.edit.Hwnd(); }));
    host.events.clear();
    KeyDown('A');
    KeyUp('A');
    PumpUntil([&] { return !host.EventsFrom(IDC_HOST_EDIT).empty(); });
    PumpFor(100);
    std::vector<Event> events = host.EventsFrom(IDC_HOST_EDIT);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].value, NOTIFY_EDIT_CHANGED);
    EXPECT_EQ(host.edit.Text().size(), 1u);

    // The field draws its own frame inside its client area.
    RECT client = host.edit.ClientRect();
    POINT corner = ToScreen(host.edit.Hwnd(), client.right - 1, client.bottom - 1);
    EXPECT_EQ(ScreenPixel(corner.x, corner.y), RGB(0x96, 0x96, 0x96));
    EXPECT_EQ(ScreenPixel(corner.x - 3, corner.y - 3), RGB(0, 0, 0));
}

class CModal : public CZelDialog {
  public:
    explicit CModal(UINT closing) : CZelDialog(IDD_FRAMEWORK_MODAL), closing_(closing) {}
    bool ownerDisabledDuringRun = false;

  protected:
    bool OnInitDialog() noexcept override {
        StartTimer(1, 50);
        return true;
    }
    bool OnTimer(UINT_PTR id) noexcept override {
        StopTimer(id);
        ownerDisabledDuringRun = !IsWindowEnabled(GetWindow(Hwnd(), GW_OWNER));
        if (closing_ == WM_CLOSE) {
            PostMessageW(Hwnd(), WM_CLOSE, 0, 0);
        } else {
            PostMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
        return true;
    }

  private:
    UINT closing_;
};

TEST_F(Framework, ModalRunsEndWithOneForOkAndTwoForClose) {
    CModal ok(WM_COMMAND);
    EXPECT_EQ(ok.RunModal(host.Hwnd()), 1);
    EXPECT_TRUE(ok.ownerDisabledDuringRun);
    EXPECT_TRUE(IsWindowEnabled(host.Hwnd()));
    EXPECT_EQ(ok.Hwnd(), nullptr);

    CModal closed(WM_CLOSE);
    EXPECT_EQ(closed.RunModal(host.Hwnd()), 2);
    EXPECT_TRUE(IsWindowEnabled(host.Hwnd()));
}

// A modal dialog that may swallow the Enter key before the dialog manager sees it, as the
// key-capture pop-up does; it gives up after a while with Cancel.
class CKeyModal : public CZelDialog {
  public:
    explicit CKeyModal(bool swallowEnter)
        : CZelDialog(IDD_FRAMEWORK_MODAL), swallowEnter_(swallowEnter) {}
    int swallowed = 0;

  protected:
    bool OnInitDialog() noexcept override {
        SetForegroundWindow(Hwnd());
        StartTimer(1, 100);
        StartTimer(2, 1500);
        return true;
    }
    bool OnTimer(UINT_PTR id) noexcept override {
        StopTimer(id);
        if (id == 1) {
            // Queued only: the modal loop itself must see the keys.
            INPUT keys[2]{};
            keys[0].type = keys[1].type = INPUT_KEYBOARD;
            keys[0].ki.wVk = keys[1].ki.wVk = VK_RETURN;
            keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
            SendInput(2, keys, sizeof(INPUT));
        } else {
            EndModal(kDialogCancel);
        }
        return true;
    }
    bool PreTranslateMessage(MSG& msg) noexcept override {
        if (swallowEnter_ && (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) &&
            msg.wParam == VK_RETURN) {
            ++swallowed;
            return true;
        }
        return false;
    }

  private:
    bool swallowEnter_;
};

TEST_F(Framework, EnterEndsAModalRunUnlessPreTranslationSwallowsIt) {
    CKeyModal plain(false);
    EXPECT_EQ(plain.RunModal(host.Hwnd()), kDialogOk);
    CKeyModal capturing(true);
    EXPECT_EQ(capturing.RunModal(host.Hwnd()), kDialogCancel);
    EXPECT_GE(capturing.swallowed, 2);  // down and up, and a late release of the first Enter
}

// A page as the pages of the configurator are: a child dialog on the main window, with controls
// whose ids are also ids of the main window's controls.
class CPage : public CZelImageDialog {
  public:
    CPage() : CZelImageDialog(IDD_FRAMEWORK_PAGE) {}
    std::vector<std::pair<int, LPARAM>> seen;
    int passesAlso = 0;
    // The clip boxes of the background requests, in the page's client coordinates.
    std::vector<RECT> erased;

  protected:
    bool OnControlNotification(int code, LPARAM value) noexcept override {
        seen.emplace_back(code, value);
        return code == 4243;
    }
    bool PassesOn(int code) const noexcept override {
        return code == passesAlso || CZelImageDialog::PassesOn(code);
    }
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override {
        if (msg == WM_ERASEBKGND) {
            RECT box{};
            GetClipBox(reinterpret_cast<HDC>(wParam), &box);
            erased.push_back(box);
        }
        return CZelImageDialog::HandleMessage(msg, wParam, lParam);
    }
};

TEST_F(Framework, PageStopsWhatItIsNotMeantToPassOn) {
    CPage page;
    ASSERT_TRUE(page.Create(host.Hwnd()));
    // Clear of the host's own controls.
    page.Move(220, 100, 180, 100);
    page.Show(true);
    // The mouse page's slider has id 1016, which is also a profile menu button of the main
    // window; the sensor page's step button 1017 too.
    CZelSliderCtrl slider;
    ASSERT_TRUE(slider.CreateChild({.parent = page.Hwnd(),
                                    .systemClass = L"STATIC",
                                    .style = WS_VISIBLE,
                                    .rect = {10, 10, 140, 35},
                                    .id = 1016}));
    slider.model.minimum = 1;
    slider.model.maximum = 10;
    CZelComboButton step;
    ASSERT_TRUE(step.CreateChild({.parent = page.Hwnd(),
                                  .systemClass = L"BUTTON",
                                  .style = WS_VISIBLE,
                                  .rect = {10, 50, 70, 71},
                                  .id = 1017}));
    step.AddItem(1, L"1");
    step.AddItem(2, L"2");
    ASSERT_TRUE(PumpUntilPainted(page.Hwnd()));

    // A real click on the slider: the page hears the value, the main window nothing.
    const POINT onSlider = ToScreen(slider.Hwnd(), 6, 8);
    ClickAt(onSlider.x, onSlider.y);
    ASSERT_TRUE(PumpUntil([&] { return !page.seen.empty(); }));
    EXPECT_EQ(page.seen.front(), (std::pair<int, LPARAM>{1016, 1}));
    EXPECT_TRUE(host.EventsFrom(1016).empty());

    // A choice in the step button's menu stops at the page; the menu's hiding goes on to the
    // main window, which keeps itself topmost while a menu is open.
    const POINT onStep = Centre(step);
    ClickAt(onStep.x, onStep.y);
    CZelMenu* menu = step.Menu();
    ASSERT_TRUE(PumpUntil([&] { return menu->IsVisible(); }));
    RECT m{};
    GetWindowRect(menu->Hwnd(), &m);
    const PixelRect& item = menu->Items()[1].rect;
    ClickAt(m.left + (item.left + item.right) / 2, m.top + (item.top + item.bottom) / 2);
    ASSERT_TRUE(PumpUntil([&] { return !menu->IsVisible(); }));
    EXPECT_TRUE(host.EventsFrom(1017).empty());
    EXPECT_EQ(std::count(page.seen.begin(), page.seen.end(), std::pair<int, LPARAM>{1017, 2}), 1);
    std::vector<LPARAM> hiding;
    for (const Event& e : host.EventsFrom(NOTIFY_MENU_HIDING)) {
        hiding.push_back(e.value);
    }
    EXPECT_EQ(hiding, (std::vector<LPARAM>{1, 0}));

    // Handled codes stop; a page that means to pass a code on says so; controls pass
    // everything on to their parent.
    ControlNotification(page.Hwnd(), 4242, 7);
    ControlNotification(page.Hwnd(), 4243, 8);
    EXPECT_TRUE(host.EventsFrom(4242).empty());
    EXPECT_TRUE(host.EventsFrom(4243).empty());
    page.passesAlso = 4242;
    ControlNotification(page.Hwnd(), 4242, 9);
    ASSERT_EQ(host.EventsFrom(4242).size(), 1u);
    EXPECT_EQ(host.EventsFrom(4242)[0].value, 9);
    ControlNotification(host.label.Hwnd(), 4244, 3);
    EXPECT_EQ(host.EventsFrom(4244).size(), 1u);
    page.DestroyWindow();
}

// A top-level window that records notifications and the close requests that reach it.
class CRecordingDialog : public CZelDialog {
  public:
    CRecordingDialog() : CZelDialog(IDD_FRAMEWORK_MODAL) {}
    std::vector<std::pair<int, LPARAM>> seen;
    int closeRequests = 0;

  protected:
    bool OnControlNotification(int code, LPARAM value) noexcept override {
        seen.emplace_back(code, value);
        return code != 0x1F020;  // this one is dropped unhandled
    }
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override {
        if (msg == WM_CLOSE) {
            ++closeRequests;
            return 0;
        }
        return CZelDialog::HandleMessage(msg, wParam, lParam);
    }
};

TEST_F(Framework, NotificationsWithSystemCommandCodesAreNeverTakenForThem) {
    CRecordingDialog window;
    ASSERT_TRUE(window.Create(nullptr));
    SetWindowPos(window.Hwnd(), HWND_TOP, 600, 100, 200, 100, SWP_SHOWWINDOW | SWP_NOACTIVATE);

    // The code of "close" and of "minimise", sent as notifications.
    ControlNotification(window.Hwnd(), SC_CLOSE, 5);
    ControlNotification(window.Hwnd(), SC_MINIMIZE, 6);
    ControlNotification(window.Hwnd(), 0x1F020, 7);
    EXPECT_EQ(window.seen,
              (std::vector<std::pair<int, LPARAM>>{{SC_CLOSE, 5}, {SC_MINIMIZE, 6}, {0x1F020, 7}}));

    // A menu whose level id (the tick count of a program started at log-on) is SC_CLOSE: a
    // real click on its item is a notification with that code.
    CZelMenu menu;
    ASSERT_TRUE(menu.Create(L"menu", {0, 0, 105, 10}, window.Hwnd(), SC_CLOSE));
    menu.AddItem(100, L"Config Mouse");
    menu.PopupAt(650, 300, CZelMenu::kTopLeft);
    ASSERT_TRUE(PumpUntil([&] { return menu.IsVisible(); }));
    RECT m{};
    GetWindowRect(menu.Hwnd(), &m);
    const PixelRect& item = menu.Items()[0].rect;
    ClickAt(m.left + (item.left + item.right) / 2, m.top + (item.top + item.bottom) / 2);
    ASSERT_TRUE(PumpUntil([&] { return !menu.IsVisible(); }));
    EXPECT_EQ(
        std::count(window.seen.begin(), window.seen.end(), std::pair<int, LPARAM>{SC_CLOSE, 100}),
        1);
    PumpFor(50);
    EXPECT_EQ(window.closeRequests, 0);
    EXPECT_FALSE(IsIconic(window.Hwnd()));
    EXPECT_TRUE(IsWindowVisible(window.Hwnd()));

    // A real system command still gets the default handling.
    const size_t notifications = window.seen.size();
    SendMessageW(window.Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(PumpUntil([&] { return window.closeRequests == 1; }));
    EXPECT_EQ(window.seen.size(), notifications);
    window.DestroyWindow();
}

// The key-capture pop-up's pattern: a hook of its own while it runs, removed as it goes.
class CHookPopup : public CZelDialog {
  public:
    CHookPopup() : CZelDialog(IDD_FRAMEWORK_MODAL) {}
    bool hooked = false;
    bool handleValidAtDestroy = false;
    bool childAliveAtDestroy = false;
    INT_PTR nestedRun = 0;

  protected:
    bool OnInitDialog() noexcept override {
        hooked = InstallKeyboardHook(Hwnd());
        StartTimer(1, 20);
        return true;
    }
    bool OnTimer(UINT_PTR id) noexcept override {
        StopTimer(id);
        // Running again while running returns at once and leaves this run alone.
        nestedRun = RunModal(GetWindow(Hwnd(), GW_OWNER));
        PostMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return true;
    }
    void OnDestroy() noexcept override {
        handleValidAtDestroy = Hwnd() != nullptr && IsWindow(Hwnd());
        childAliveAtDestroy = GetDlgItem(Hwnd(), IDOK) != nullptr;
        RemoveKeyboardHook(Hwnd());
    }
};

TEST_F(Framework, OnDestroyRunsWithAValidHandleAndANestedRunReturnsAtOnce) {
    // More runs than the slot has places: each run's hook must have gone with its window.
    for (int run = 0; run <= kKeyboardHookClients; ++run) {
        CHookPopup popup;
        EXPECT_EQ(popup.RunModal(host.Hwnd()), kDialogOk) << run;
        EXPECT_TRUE(popup.hooked) << run;
        EXPECT_EQ(popup.nestedRun, -1) << run;
        EXPECT_TRUE(popup.handleValidAtDestroy) << run;
        EXPECT_TRUE(popup.childAliveAtDestroy) << run;
        EXPECT_EQ(InstalledKeyboardHookCount(), 0) << run;
        EXPECT_TRUE(IsWindowEnabled(host.Hwnd()));
    }
    // A window made with Create is not run modally on top.
    CZelDialog modeless(IDD_FRAMEWORK_MODAL);
    ASSERT_TRUE(modeless.Create(nullptr));
    EXPECT_EQ(modeless.RunModal(host.Hwnd()), -1);
    EXPECT_TRUE(IsWindow(modeless.Hwnd()));
    EXPECT_TRUE(IsWindowEnabled(host.Hwnd()));
    modeless.DestroyWindow();
}

TEST_F(Framework, PageTakesItsBackgroundAndControlsRepaintOnlyTheirPartOfIt) {
    CPage page;
    ASSERT_TRUE(page.Create(host.Hwnd()));
    page.Move(9, 15, 100, 100);
    page.SetBackground(GetSkinPiece(23, 0, 0, 0, 0, 0));
    RECT r = page.RectInParent();
    EXPECT_EQ(r.right - r.left, 777);
    EXPECT_EQ(r.bottom - r.top, 337);
    EXPECT_EQ(r.left, 9);
    EXPECT_EQ(r.top, 15);
    // A see-through static and a button without images show the page behind them.
    CZelStatic label;
    ASSERT_TRUE(label.CreateChild({.parent = page.Hwnd(),
                                   .systemClass = L"STATIC",
                                   .style = WS_VISIBLE,
                                   .rect = {200, 100, 260, 130},
                                   .id = 1062}));
    CZelButton bare;
    ASSERT_TRUE(bare.CreateChild({.parent = page.Hwnd(),
                                  .systemClass = L"BUTTON",
                                  .style = WS_VISIBLE,
                                  .rect = {300, 100, 340, 120},
                                  .id = 1063}));
    page.Show(true);
    Gdiplus::Bitmap* sheet = SkinSheet(4);
    ASSERT_NE(sheet, nullptr);
    auto showsSheet = [&](int x, int y) {
        Gdiplus::Color expected;
        sheet->GetPixel(x, y, &expected);
        const POINT at = ToScreen(page.Hwnd(), x, y);
        return ScreenPixel(at.x, at.y) == RGB(expected.GetR(), expected.GetG(), expected.GetB());
    };
    // The page's own background, pixel for pixel, and behind both controls.
    EXPECT_TRUE(PumpUntil([&] { return showsSheet(30, 20); }));
    EXPECT_TRUE(PumpUntil([&] { return showsSheet(230, 115) && showsSheet(201, 101); }));
    EXPECT_TRUE(PumpUntil([&] { return showsSheet(320, 110) && showsSheet(339, 119); }));

    // Redrawing a control asks the page for that control's rectangle only.
    page.erased.clear();
    label.Redraw();
    bare.Redraw();
    ASSERT_TRUE(PumpUntil([&] { return page.erased.size() >= 2; }));
    const RECT labelRect{200, 100, 260, 130};
    const RECT buttonRect{300, 100, 340, 120};
    for (const RECT& box : page.erased) {
        const bool ofLabel = EqualRect(&box, &labelRect) != 0;
        const bool ofButton = EqualRect(&box, &buttonRect) != 0;
        EXPECT_TRUE(ofLabel || ofButton)
            << box.left << "," << box.top << "," << box.right << "," << box.bottom;
    }
    EXPECT_TRUE(showsSheet(230, 115));

    // The page's tab shape: the strip right of x 143 above y 12 is cut away.
    ASSERT_TRUE(
        page.SetPolygonRegion({{0, 0}, {143, 0}, {143, 12}, {777, 12}, {777, 337}, {0, 337}}));
    const ScopedRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(page.Hwnd(), region.Get()), ERROR);
    EXPECT_TRUE(PtInRegion(region.Get(), 10, 5));
    EXPECT_FALSE(PtInRegion(region.Get(), 700, 5));
    EXPECT_TRUE(PtInRegion(region.Get(), 700, 20));
    page.DestroyWindow();
}

TEST(SkinPieces, SharedSheetsCopiesAndCutsFromTheRealFiles) {
    UseBuildSkins();
    SkinImage shared1 = GetSkinPiece(97, 0, 1, 2, 3, 4);
    SkinImage shared2 = GetSkinPiece(97, 3, 0, 0, 0, 0);
    ASSERT_TRUE(shared1);
    EXPECT_TRUE(shared1.IsShared());
    EXPECT_EQ(shared1.Get(), shared2.Get());
    EXPECT_EQ(shared1.Width(), 777);

    SkinImage copy = GetSkinPiece(0, 2, 0, 0, 0, 0);
    ASSERT_TRUE(copy);
    EXPECT_FALSE(copy.IsShared());
    EXPECT_NE(copy.Get(), SkinSheet(0));
    EXPECT_EQ(copy.Width(), 800);
    EXPECT_EQ(copy.Height(), 600);

    EXPECT_FALSE(GetSkinPiece(124, 3, 0, 0, 10, 10));
    EXPECT_FALSE(GetSkinPiece(114, 2, 0, 0, 23, 16));
    EXPECT_FALSE(GetSkinPiece(151, 0, 0, 0, 10, 10));

    // A cut piece holds the sheet's pixels at its rectangle.
    SkinImage piece = GetSkinPiece(18, 1, 676, 566, 731, 590);
    ASSERT_TRUE(piece);
    EXPECT_EQ(piece.Width(), 55);
    EXPECT_EQ(piece.Height(), 24);
    const auto over = DecodedBySystem(L"main_over.bmp");
    ASSERT_EQ(over->GetLastStatus(), Gdiplus::Ok);
    ExpectSameAs(*piece.Get(), *over, 676, 566, 1);
    // So does a copy of the whole sheet (the main window's background, whatever the state
    // asked for), and the shared sheet.
    const auto normal = DecodedBySystem(L"main_normal.bmp");
    ExpectSameAs(*copy.Get(), *normal, 0, 0, 7);
    const auto macroPage = DecodedBySystem(L"macro_page_bk.bmp");
    ExpectSameAs(*shared1.Get(), *macroPage, 0, 0, 5);
    // A rectangle outside the sheet gives nothing rather than garbage.
    EXPECT_FALSE(GetSkinPiece(18, 1, 790, 590, 820, 610));
}

TEST(SkinPieces, CutAtTheFirstLookOrInIdleTimeWithTheSamePixels) {
    UseBuildSkins();
    // Pieces of the main window's pressed sheet: nothing is cut while they are only held.
    SkinImage looked = GetSkinPiece(18, 2, 676, 566, 731, 590);
    SkinImage prepared = GetSkinPiece(18, 2, 676, 566, 731, 590);
    SkinImage dropped = GetSkinPiece(18, 2, 0, 0, 10, 10);
    ASSERT_TRUE(looked.IsPending());
    SkinImage moved = std::move(prepared);
    EXPECT_FALSE(prepared.IsPending());
    EXPECT_FALSE(prepared);
    EXPECT_TRUE(moved.IsPending());
    dropped.Reset();

    ASSERT_TRUE(looked);
    EXPECT_FALSE(looked.IsPending());
    // Idle time cuts what is still held (a dropped piece is passed over) until none is left.
    int steps = 0;
    while (CutPendingSkinPieces(1) && steps < 10000) {
        ++steps;
    }
    EXPECT_FALSE(CutPendingSkinPieces(1));
    EXPECT_TRUE(moved.IsPending());
    ASSERT_TRUE(moved);
    EXPECT_NE(moved.Get(), looked.Get());

    const auto down = DecodedBySystem(L"main_down.bmp");
    for (const SkinImage* image : {&looked, &moved}) {
        ASSERT_EQ(image->Width(), 55);
        ASSERT_EQ(image->Height(), 24);
        ExpectSameAs(*image->Get(), *down, 676, 566, 1);
    }
}

TEST(SkinPieces, SheetFilesGiveTheirRowsEitherWayUpAndNothingWhenCutShort) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / L"orva-bmp-rows";
    std::filesystem::create_directories(folder);
    for (const bool topDown : {false, true}) {
        const std::filesystem::path path = folder / (topDown ? L"down.bmp" : L"up.bmp");
        const std::vector<uint8_t> bytes = SmallBmp(topDown);
        ASSERT_TRUE(WriteFileAtomically(path, bytes.data(), bytes.size()));
        CBmpSheetFile file;
        ASSERT_TRUE(file.Open(path));
        EXPECT_EQ(file.Width(), 5);
        EXPECT_EQ(file.Height(), 3);
        // Every rectangle touching the edges, and the whole.
        for (const PixelRect& rect : {PixelRect{0, 0, 5, 3}, PixelRect{1, 1, 5, 3},
                                      PixelRect{0, 2, 2, 3}, PixelRect{4, 0, 5, 2}}) {
            const auto piece = file.Cut(rect);
            ASSERT_NE(piece, nullptr);
            ASSERT_EQ(static_cast<int>(piece->GetWidth()), rect.Width());
            ASSERT_EQ(static_cast<int>(piece->GetHeight()), rect.Height());
            for (int y = 0; y < rect.Height(); ++y) {
                for (int x = 0; x < rect.Width(); ++x) {
                    Gdiplus::Color c;
                    piece->GetPixel(x, y, &c);
                    EXPECT_EQ(c.GetR(), 10 * (rect.left + x));
                    EXPECT_EQ(c.GetG(), 20 * (rect.top + y));
                    EXPECT_EQ(c.GetB(), 7);
                }
            }
        }
        EXPECT_EQ(file.Cut(PixelRect{3, 1, 6, 2}), nullptr);
        EXPECT_EQ(file.Cut(PixelRect{-1, 0, 2, 2}), nullptr);
        EXPECT_EQ(file.Cut(PixelRect{2, 2, 2, 3}), nullptr);

        // The file cut short while open (replaced by an update, say): no piece, no fault.
        std::filesystem::resize_file(path, 54 + 16);
        EXPECT_EQ(file.Whole(), nullptr);
        file.Close();
        // Damaged headers are not opened at all.
        EXPECT_FALSE(file.Open(path));
        EXPECT_FALSE(file.Open(folder / L"absent.bmp"));
    }
    std::filesystem::remove_all(folder);
}

TEST(SkinPieces, DrawLabelCentresByMeasuredSize) {
    // The font outlives the DC it stays selected into.
    const ScopedFont font(CreateSkinFont(15));
    const ScopedWindowDC screen(nullptr);
    const ScopedDC memory(CreateCompatibleDC(screen.Get()));
    const ScopedBitmap bitmap(CreateCompatibleBitmap(screen.Get(), 120, 40));
    const ScopedSelect selected(memory.Get(), bitmap.Get());
    HDC dc = memory.Get();
    RECT all{0, 0, 120, 40};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    DrawLabelRecord label{L"WW", RGB(255, 255, 255), true, true, 0, 0, 120, 40};
    DrawLabel(label, font.Get(), dc);
    SIZE size{};
    GetTextExtentPoint32W(dc, L"WW", 2, &size);
    int firstLit = -1;
    int lastLit = -1;
    for (int x = 0; x < 120; ++x) {
        for (int y = 0; y < 40; ++y) {
            if (GetPixel(dc, x, y) != RGB(0, 0, 0)) {
                if (firstLit < 0) {
                    firstLit = x;
                }
                lastLit = x;
                break;
            }
        }
    }
    ASSERT_GE(firstLit, 0);
    int expectedLeft = (120 - size.cx) / 2;
    EXPECT_NEAR(firstLit, expectedLeft, 2);
    EXPECT_NEAR(lastLit, expectedLeft + size.cx - 1, 2);
}

}  // namespace
