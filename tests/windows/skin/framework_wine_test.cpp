// The framework and the skinned buttons, image dialog, static and edit with real windows and
// real input under Wine: notifications and their order, modal runs, regions, skin pieces.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SkinImages.h"
#include "Storage.h"
#include "ZelButton.h"
#include "ZelCheckBox.h"
#include "ZelComboButton.h"
#include "ZelEdit.h"
#include "ZelImageDialog.h"
#include "ZelMenu.h"
#include "ZelStatic.h"
#include "framework_test_ids.h"
#include "ui_test_support.h"

namespace {

void UseBuildSkins() {
    // The test program lies in tests/windows/skin of the build; the skins in dist/Skins.
    SetSkinFolder(ApplicationFolder() / L".." / L".." / L".." / L"dist" / L"Skins");
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
        return true;
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
        SetWindowPos(host.Hwnd(), HWND_TOP, 100, 100, 400, 200, SWP_SHOWWINDOW);
        PumpFor(100);
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

    // A second click soon after is a press like the first, not a swallowed double click.
    MouseLeftDown();
    MouseLeftUp();
    EXPECT_TRUE(PumpUntil([&] { return !host.box.IsChecked(); }));
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
    PumpFor(100);
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
    MouseMoveTo(c.x, c.y + 100);
    EXPECT_TRUE(PumpUntil([&] { return host.button.State() == kSkinNormal; }));
    EXPECT_FALSE(host.button.HasCapture());
    EXPECT_FALSE(host.button.IsTracking());
    // Coming back is a new hover.
    MouseMoveTo(c.x, c.y);
    EXPECT_TRUE(PumpUntil([&] { return host.EventsFrom(IDC_HOST_BUTTON).size() == 2u; }));
    MouseLeftDown();
    MouseLeftUp();
    PumpUntil([&] { return host.EventsFrom(IDC_HOST_BUTTON).size() >= 3u; });
    std::vector<Event> events = host.EventsFrom(IDC_HOST_BUTTON);
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[2].kind, Event::kClick);
}

// The colour on the screen at a point of a window against the pixel of an image.
void ExpectShows(const CZelWnd& wnd, int x, int y, const SkinImage& image) {
    ASSERT_TRUE(image);
    RECT r{};
    GetWindowRect(wnd.Hwnd(), &r);
    HDC screen = GetDC(nullptr);
    COLORREF shown = GetPixel(screen, r.left + x, r.top + y);
    ReleaseDC(nullptr, screen);
    Gdiplus::Color expected;
    image.Get()->GetPixel(x, y, &expected);
    EXPECT_EQ(shown, RGB(expected.GetR(), expected.GetG(), expected.GetB())) << x << "," << y;
}

TEST_F(Framework, LatchedAndDisabledButtonsChooseTheirImages) {
    // Pixel (3, 3) lies on the button's frame, which differs between the states.
    host.button.SetLatched(true);
    PumpFor(80);
    ExpectShows(host.button, 3, 3, GetSkinPiece(56, 2, 232, 308, 347, 325));
    // Hovering does not change a latched button.
    POINT c = Centre(host.button);
    MouseMoveTo(c.x, c.y);
    PumpFor(50);
    ExpectShows(host.button, 3, 3, GetSkinPiece(56, 2, 232, 308, 347, 325));
    MouseMoveTo(700, 700);
    // Disabled with a disable image wins even over the latch.
    host.button.Enable(false);
    PumpFor(80);
    ExpectShows(host.button, 3, 3, GetSkinPiece(56, 3, 232, 308, 347, 325));
    host.button.Enable(true);
    host.button.SetLatched(false);
    PumpFor(80);
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
    host.label.SetCurrentText(7);
    EXPECT_EQ(host.label.GetText(), L"");

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
    PumpFor(100);
    RECT r{};
    GetWindowRect(host.label.Hwnd(), &r);
    HDC screen = GetDC(nullptr);
    COLORREF centre = GetPixel(screen, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    COLORREF corner = GetPixel(screen, r.left, r.top);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(centre, RGB(0, 255, 0));
    EXPECT_EQ(corner, RGB(0, 255, 0));
}

TEST_F(Framework, EditSendsOneChangePerTypedCharacterAndDrawsAFramedBox) {
    SetFocus(host.edit.Hwnd());
    PumpFor(50);
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
    HDC screen = GetDC(nullptr);
    COLORREF frame = GetPixel(screen, corner.x, corner.y);
    COLORREF inside = GetPixel(screen, corner.x - 3, corner.y - 3);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(frame, RGB(0x96, 0x96, 0x96));
    EXPECT_EQ(inside, RGB(0, 0, 0));
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

class CPage : public CZelImageDialog {
  public:
    CPage() : CZelImageDialog(IDD_FRAMEWORK_PAGE) {}
    std::vector<int> handled;

  protected:
    bool OnControlNotification(int code, LPARAM) noexcept override {
        if (code == 4243) {
            handled.push_back(code);
            return true;
        }
        return false;
    }
};

TEST_F(Framework, PagePassesOnWhatItDoesNotHandleAndTakesItsBackground) {
    CPage page;
    ASSERT_TRUE(page.Create(host.Hwnd()));
    page.Move(9, 15, 100, 100);
    page.SetBackground(GetSkinPiece(23, 0, 0, 0, 0, 0));
    RECT r = page.RectInParent();
    EXPECT_EQ(r.right - r.left, 777);
    EXPECT_EQ(r.bottom - r.top, 337);
    EXPECT_EQ(r.left, 9);
    EXPECT_EQ(r.top, 15);
    // The background is painted from the sheet, pixel for pixel.
    page.Show(true);
    PumpFor(100);
    Gdiplus::Color expected;
    SkinSheet(4)->GetPixel(30, 20, &expected);
    POINT at = ToScreen(page.Hwnd(), 30, 20);
    HDC screen = GetDC(nullptr);
    COLORREF shown = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(shown, RGB(expected.GetR(), expected.GetG(), expected.GetB()));

    ControlNotification(page.Hwnd(), 4242, 7);
    ControlNotification(page.Hwnd(), 4243, 8);
    ASSERT_EQ(host.EventsFrom(4242).size(), 1u);
    EXPECT_EQ(host.EventsFrom(4242)[0].value, 7);
    EXPECT_TRUE(host.EventsFrom(4243).empty());
    EXPECT_EQ(page.handled, std::vector<int>{4243});

    // Codes whose low bits look like system commands are notifications all the same: passed
    // on by the page, and never taken for "minimise" by a top-level window.
    ControlNotification(page.Hwnd(), 0x1F020, 9);
    ASSERT_EQ(host.EventsFrom(0x1F020).size(), 1u);
    CZelDialog plain(IDD_FRAMEWORK_MODAL);
    ASSERT_TRUE(plain.Create(nullptr));
    ControlNotification(plain.Hwnd(), 0x1F020, 0);
    ControlNotification(plain.Hwnd(), 0x3F060, 0);
    PumpFor(50);
    EXPECT_FALSE(IsIconic(plain.Hwnd()));
    EXPECT_TRUE(IsWindowVisible(plain.Hwnd()));
    plain.DestroyWindow();

    // The page's tab shape: the strip right of x 143 above y 12 is cut away.
    ASSERT_TRUE(
        page.SetPolygonRegion({{0, 0}, {143, 0}, {143, 12}, {777, 12}, {777, 337}, {0, 337}}));
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(page.Hwnd(), region), ERROR);
    EXPECT_TRUE(PtInRegion(region, 10, 5));
    EXPECT_FALSE(PtInRegion(region, 700, 5));
    EXPECT_TRUE(PtInRegion(region, 700, 20));
    DeleteObject(region);
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
    Gdiplus::Bitmap* over = SkinSheet(1);
    ASSERT_NE(over, nullptr);
    for (int y = 0; y < 24; y += 5) {
        for (int x = 0; x < 55; x += 7) {
            Gdiplus::Color a, b;
            piece.Get()->GetPixel(x, y, &a);
            over->GetPixel(676 + x, 566 + y, &b);
            ASSERT_EQ(a.GetValue(), b.GetValue()) << x << "," << y;
        }
    }
    // A rectangle outside the sheet gives nothing rather than garbage.
    EXPECT_FALSE(GetSkinPiece(18, 1, 790, 590, 820, 610));
}

TEST(SkinPieces, DrawLabelCentresByMeasuredSize) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 120, 40);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, 120, 40};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HFONT font = CreateSkinFont(15);
    DrawLabelRecord label{L"WW", RGB(255, 255, 255), true, true, 0, 0, 120, 40};
    DrawLabel(label, font, dc);
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
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    ASSERT_GE(firstLit, 0);
    int expectedLeft = (120 - size.cx) / 2;
    EXPECT_NEAR(firstLit, expectedLeft, 2);
    EXPECT_NEAR(lastLit, expectedLeft + size.cx - 1, 2);
}

}  // namespace
