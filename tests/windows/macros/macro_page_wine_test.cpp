// The macro page with real windows, real clicks and real keys under Wine: new macros, recording
// from the keyboard with and without delays, the editor's context menu and delay box, deleting
// macros, and what reaches the macro folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "device/DeviceClock.h"
#include "device/DeviceLink.h"
#include "device/TransportFactory.h"
#include "pages/MacroSettingsDlg.h"
#include "pages/logic/MacroPageIds.h"
#include "profiles/Storage.h"
#include "skin/KeyboardHookSlot.h"
#include "skin/SkinImages.h"
#include "ui_test_support.h"

namespace {

// What the page needs of a main window; counts the macro changes it is told of.
class CFakeHost : public PageHost {
  public:
    CFakeHost() : transport(CreateHidTransport("auto")), link(*transport, clock) {}
    Profile& CurrentProfile() noexcept override { return profiles[0]; }
    Profile& ProfileAt(int slot) noexcept override { return profiles[slot]; }
    DeviceLink& Link() noexcept override { return link; }
    MacroCollection& Macros() noexcept override { return *macros; }
    void MacrosChanged() noexcept override { ++changes; }
    HWND MainWindow() const noexcept override { return window; }

    Profile profiles[5];
    std::unique_ptr<HidTransport> transport;
    SystemDeviceClock clock;
    DeviceLink link;
    MacroCollection* macros = nullptr;
    HWND window = nullptr;
    int changes = 0;
};

bool PumpPageUntil(HWND page, const std::function<bool()>& done, int milliseconds = 3000) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    while (!done()) {
        if (static_cast<LONG>(end - GetTickCount()) <= 0) {
            return done();
        }
        PumpPageFor(page, 10);
    }
    return true;
}

struct Key {
    int16_t code;
    uint8_t action;
    bool operator==(const Key&) const = default;
};

// Answers the next pop-up of this thread with a command once it shows.
WPARAM gAnswer = IDCANCEL;
bool gAnswered = false;
// The message a message box showed (its static text, id 0xFFFF).
std::wstring gAnsweredText;

BOOL CALLBACK AnswerPopup(HWND window, LPARAM) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (IsWindowVisible(window) && IsWindowEnabled(window) &&
        std::wstring(className) == L"#32770" && GetWindow(window, GW_OWNER) != nullptr) {
        wchar_t text[128] = {};
        GetDlgItemTextW(window, 0xFFFF, text, 128);
        gAnsweredText = text;
        PostMessageW(window, WM_COMMAND, gAnswer, 0);
        gAnswered = true;
        return FALSE;
    }
    return TRUE;
}

UINT_PTR gAnswerTimer = 0;

void DisarmAnswer() {
    if (gAnswerTimer != 0) {
        KillTimer(nullptr, gAnswerTimer);
        gAnswerTimer = 0;
    }
}

void CALLBACK AnswerTimer(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), AnswerPopup, 0);
    if (gAnswered) {
        DisarmAnswer();
    }
}

// The next pop-up that shows gets `answer` (IDOK or IDCANCEL).
void ArmAnswer(WPARAM answer) {
    DisarmAnswer();
    gAnswer = answer;
    gAnswered = false;
    gAnswerTimer = SetTimer(nullptr, 0, 100, AnswerTimer);
}

class MacroPageWineTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        SetSkinFolder(ApplicationFolder() / L".." / L".." / L".." / L"dist" / L"Skins");
    }

    void SetUp() override {
        std::error_code ignored;
        std::filesystem::remove_all(MacroFolder(), ignored);
        MouseMoveTo(1000, 900);
        ASSERT_TRUE(host.Create({0, 0, 777, 337}));
        hostHandles.window = host.Hwnd();
        hostHandles.macros = &page.Macros();
        ASSERT_TRUE(page.Create(host.Hwnd()));
        page.Move(0, 0, 777, 337);
        page.Show(true);
        SetForegroundWindow(host.Hwnd());
        PumpPageFor(page.Hwnd(), 100);
    }
    void TearDown() override {
        DisarmAnswer();
        if (page.IsRecording()) {
            page.StopRecording();
        }
        EXPECT_EQ(InstalledKeyboardHookCount(), 0);
        host.DestroyWindow();
        PumpFor(50);
    }

    HWND Control(int id) const { return GetDlgItem(page.Hwnd(), id); }
    bool Visible(int id) const { return IsWindowVisible(Control(id)) != FALSE; }
    void Click(int id) {
        RECT r;
        GetWindowRect(Control(id), &r);
        ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        PumpPageFor(page.Hwnd(), 50);
    }
    // A real key through the page's loop, so that the pre-translation sees it.
    void Type(WORD key) {
        for (DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = key;
            input.ki.dwFlags = flags;
            SendInput(1, &input, sizeof(INPUT));
            PumpPageFor(page.Hwnd(), 40);
        }
    }
    void TypeText(const char* text) {
        for (; *text != '\0'; ++text) {
            Type(static_cast<WORD>(*text));
        }
    }
    // A real right click where the pointer is.
    void RightClick() {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
        SendInput(1, &input, sizeof(INPUT));
        input.mi.dwFlags = MOUSEEVENTF_RIGHTUP;
        SendInput(1, &input, sizeof(INPUT));
        PumpPageFor(page.Hwnd(), 50);
    }
    CMacro* Current() { return page.Macros().CurrentMacro(); }
    std::vector<Key> Keys() {
        std::vector<Key> keys;
        if (Current() != nullptr) {
            for (const CEventItem& e : Current()->events) {
                keys.push_back({e.code, e.action});
            }
        }
        return keys;
    }
    // Opens the editor's context menu on a row and clicks an item down the levels given.
    // A right click alone (`select` false) keeps the selection and an open delay box.
    void ChooseFromMenu(size_t row, std::initializer_list<size_t> path, bool select = true) {
        const MacroRect& r = Current()->events.at(row).row;
        const POINT at = ToScreen(page.Editor().Hwnd(), r.left + 30, (r.top + r.bottom) / 2);
        MouseMoveTo(at.x, at.y);
        if (select) {
            MouseLeftDown();
            MouseLeftUp();
        }
        RightClick();
        CZelMenu* level = &page.Editor().ContextMenu();
        ASSERT_TRUE(PumpPageUntil(page.Hwnd(), [&] { return level->IsVisible(); }));
        size_t depth = 0;
        for (size_t index : path) {
            const PixelRect& item = level->Items().at(index).rect;
            const POINT p =
                ToScreen(level->Hwnd(), (item.left + item.right) / 2, (item.top + item.bottom) / 2);
            if (++depth < path.size()) {
                MouseMoveTo(p.x, p.y);
                CZelMenu* next = level->GetSubMenu(level->Items().at(index).id);
                ASSERT_TRUE(PumpPageUntil(page.Hwnd(), [&] { return next->IsVisible(); }));
                level = next;
            } else {
                ClickAt(p.x, p.y);
            }
        }
        ASSERT_TRUE(
            PumpPageUntil(page.Hwnd(), [&] { return !page.Editor().ContextMenu().IsVisible(); }));
    }
    void NewMacro(const char* name) {
        Click(IDC_NEW_MACRO);
        ASSERT_NE(page.List().NameEdit(), nullptr);
        ASSERT_TRUE(PumpPageUntil(page.Hwnd(), [&] {
            return page.List().NameEdit()->IsVisible() &&
                   GetFocus() == page.List().NameEdit()->Hwnd();
        }));
        TypeText(name);
        Type(VK_RETURN);
    }

    CNotifyRecorder host;
    CFakeHost hostHandles;
    CMacroSettingsDlg page{hostHandles};
};

TEST_F(MacroPageWineTest, NewMacrosRecordingAndEditingReachTheMacroFolder) {
    // An empty folder: the page starts empty; the first macro gets id 16 and is selected.
    EXPECT_TRUE(page.List().Entries().empty());
    EXPECT_TRUE(Visible(IDC_START_RECORD));
    EXPECT_FALSE(Visible(IDC_STOP_RECORD));
    NewMacro("JUMP");
    ASSERT_TRUE(PumpPageUntil(page.Hwnd(), [&] { return page.List().Entries().size() == 1; }));
    EXPECT_EQ(page.List().Entries()[0].id, 16);
    EXPECT_EQ(page.List().Entries()[0].name, u"jump");
    ASSERT_NE(page.List().SelectedItem(), nullptr);
    ASSERT_NE(Current(), nullptr);
    EXPECT_EQ(Current()->id, 16);
    EXPECT_EQ(Current()->name, u"jump");
    EXPECT_FALSE(page.List().NameEdit()->IsVisible());
    // New Macro twice: the second press only closes the empty box.
    Click(IDC_NEW_MACRO);
    Click(IDC_NEW_MACRO);
    EXPECT_FALSE(page.List().NameEdit()->IsVisible());
    EXPECT_EQ(page.List().Entries().size(), 1u);

    // Record without delays.
    Click(IDC_START_RECORD);
    EXPECT_TRUE(page.IsRecording());
    EXPECT_TRUE(Visible(IDC_STOP_RECORD));
    EXPECT_FALSE(Visible(IDC_START_RECORD));
    TypeText("AB");
    Type(VK_SPACE);
    Type(VK_RETURN);
    ASSERT_TRUE(PumpPageUntil(page.Hwnd(), [&] { return Keys().size() == 8; }));
    EXPECT_EQ(Keys(), (std::vector<Key>{{'A', 1},
                                        {'A', 2},
                                        {'B', 1},
                                        {'B', 2},
                                        {VK_SPACE, 1},
                                        {VK_SPACE, 2},
                                        {VK_RETURN, 1},
                                        {VK_RETURN, 2}}));
    for (const CEventItem& e : Current()->events) {
        EXPECT_EQ(e.delay, 0);
    }
    // No context menu while recording.
    const MacroRect& first = Current()->events[0].row;
    const POINT at = ToScreen(page.Editor().Hwnd(), first.left + 30, first.top + 5);
    MouseMoveTo(at.x, at.y);
    RightClick();
    PumpPageFor(page.Hwnd(), 100);
    EXPECT_FALSE(page.Editor().ContextMenu().IsVisible());
    Click(IDC_STOP_RECORD);
    EXPECT_FALSE(page.IsRecording());
    EXPECT_TRUE(Visible(IDC_START_RECORD));

    // Start Record replaces the events; with Record Delay the first delay counts from the start.
    Click(IDC_RECORD_DELAY);
    Click(IDC_START_RECORD);
    Sleep(120);
    TypeText("C");
    Click(IDC_STOP_RECORD);
    ASSERT_EQ(Keys(), (std::vector<Key>{{'C', 1}, {'C', 2}}));
    EXPECT_GE(Current()->events[0].delay, 100);
    EXPECT_GE(Current()->events[1].delay, 1);

    // A click and a wheel step after the first event, a delay edited, an event deleted.
    ChooseFromMenu(0, {2, 0, 2});  // Insert mouse event > Left button > Click
    EXPECT_EQ(Keys(), (std::vector<Key>{{'C', 1}, {1, 1}, {1, 2}, {'C', 2}}));
    EXPECT_EQ(Current()->SelectedIndex(), 2);
    ChooseFromMenu(2, {2, 5, 1});  // Insert mouse event > Scroll wheel > Up
    EXPECT_EQ(Keys(), (std::vector<Key>{{'C', 1}, {1, 1}, {1, 2}, {151, 1}, {'C', 2}}));
    ChooseFromMenu(0, {4});  // Edit delay
    ASSERT_TRUE(PumpPageUntil(page.Hwnd(), [&] {
        return page.Editor().DelayEdit().IsVisible() &&
               GetFocus() == page.Editor().DelayEdit().Hwnd();
    }));
    TypeText("250");
    Type(VK_RETURN);
    EXPECT_FALSE(page.Editor().DelayEdit().IsVisible());
    EXPECT_EQ(Current()->events[0].delay, 250);
    ChooseFromMenu(1, {5});  // Delete
    EXPECT_EQ(Keys(), (std::vector<Key>{{'C', 1}, {1, 2}, {151, 1}, {'C', 2}}));

    // Saved and read back as another start of the program would.
    ASSERT_TRUE(page.SaveMacros());
    MacroCollection reread;
    reread.SetFolder(MacroFolder());
    reread.LoadMacros();
    ASSERT_EQ(reread.Macros().size(), 1u);
    EXPECT_EQ(reread.Macros()[0]->name, u"jump");
    EXPECT_EQ(reread.Macros()[0]->id, 16);
    EXPECT_EQ(reread.Macros()[0]->events, Current()->events);

    CWindowCapture shot(page.Hwnd());
    shot.SaveArtifact(L"macro-page-after-recording");
}

TEST_F(MacroPageWineTest, KeysTypedWhileRecordingReachNoBoxOfThePage) {
    NewMacro("X");
    ASSERT_TRUE(PumpPageUntil(page.Hwnd(), [&] { return Current() != nullptr; }));
    Click(IDC_START_RECORD);
    TypeText("A");
    Click(IDC_STOP_RECORD);
    ASSERT_EQ(Current()->events.size(), 2u);
    // The delay box open on the first event, then a recording started from the menu: the box
    // keeps the focus, and the digits typed go to the macro only.
    ChooseFromMenu(0, {4});  // Edit delay
    ASSERT_TRUE(
        PumpPageUntil(page.Hwnd(), [&] { return GetFocus() == page.Editor().DelayEdit().Hwnd(); }));
    ChooseFromMenu(0, {1}, false);  // Start record after event
    ASSERT_TRUE(page.IsRecording());
    ASSERT_EQ(GetFocus(), page.Editor().DelayEdit().Hwnd());
    TypeText("7");
    EXPECT_EQ(page.Editor().DelayEdit().Text(), L"");
    // Enter while recording closes the box (nothing typed: the delay stays) and is recorded.
    Type(VK_RETURN);
    EXPECT_FALSE(page.Editor().DelayEdit().IsVisible());
    Click(IDC_STOP_RECORD);
    EXPECT_EQ(Keys(), (std::vector<Key>{
                          {'A', 1}, {'7', 1}, {'7', 2}, {VK_RETURN, 1}, {VK_RETURN, 2}, {'A', 2}}));
    EXPECT_EQ(Current()->events[0].delay, 0);
}

TEST_F(MacroPageWineTest, DeletingAsksFirstAndCancelChangesNothing) {
    NewMacro("ONE");
    NewMacro("TWO");
    ASSERT_TRUE(PumpPageUntil(page.Hwnd(), [&] { return page.List().Entries().size() == 2; }));
    EXPECT_EQ(page.List().Entries()[1].id, 17);
    EXPECT_EQ(Current()->id, 17);

    auto deleteAnswering = [&](WPARAM answer) {
        ArmAnswer(answer);
        Click(IDC_DELETE_MACRO);
        ASSERT_TRUE(PumpPageUntil(page.Hwnd(), [] { return gAnswered; }));
        PumpPageFor(page.Hwnd(), 100);
    };
    deleteAnswering(IDCANCEL);
    EXPECT_EQ(page.List().Entries().size(), 2u);
    EXPECT_EQ(page.Macros().Macros().size(), 2u);
    EXPECT_EQ(hostHandles.changes, 0);

    deleteAnswering(IDOK);
    ASSERT_EQ(page.List().Entries().size(), 1u);
    EXPECT_EQ(page.List().Entries()[0].name, u"one");
    ASSERT_EQ(page.Macros().Macros().size(), 1u);
    EXPECT_EQ(Current()->id, 16);
    EXPECT_EQ(hostHandles.changes, 1);

    // The last macro: list and editor end empty, no macro is current.
    deleteAnswering(IDOK);
    EXPECT_TRUE(page.List().Entries().empty());
    EXPECT_TRUE(page.Macros().Macros().empty());
    EXPECT_EQ(Current(), nullptr);
    EXPECT_EQ(hostHandles.changes, 2);

    // Refused while recording: no pop-up, nothing deleted.
    NewMacro("KEEP");
    Click(IDC_START_RECORD);
    ArmAnswer(IDOK);
    Click(IDC_DELETE_MACRO);
    Click(IDC_NEW_MACRO);
    PumpPageFor(page.Hwnd(), 300);
    EXPECT_FALSE(gAnswered);
    EXPECT_EQ(page.List().Entries().size(), 1u);
    EXPECT_FALSE(page.List().NameEdit()->IsVisible());
    Click(IDC_STOP_RECORD);
}

TEST_F(MacroPageWineTest, AHookThatCannotBeInstalledIsReportedAndStopRecordEndsTheState) {
    NewMacro("X");
    ASSERT_TRUE(PumpPageUntil(page.Hwnd(), [&] { return Current() != nullptr; }));
    // Every place of the hook slot taken by other windows: the page's hook is refused.
    std::vector<std::unique_ptr<CNotifyRecorder>> others;
    while (InstalledKeyboardHookCount() < kKeyboardHookClients) {
        others.push_back(std::make_unique<CNotifyRecorder>());
        ASSERT_TRUE(others.back()->Create({900, 0, 910, 10}));
        ASSERT_TRUE(InstallKeyboardHook(others.back()->Hwnd()));
    }
    ArmAnswer(IDOK);
    Click(IDC_START_RECORD);
    ASSERT_TRUE(PumpPageUntil(page.Hwnd(), [] { return gAnswered; })) << "no message box";
    EXPECT_EQ(gAnsweredText, L"start hook failed!");
    EXPECT_TRUE(page.IsRecording());
    EXPECT_TRUE(Visible(IDC_STOP_RECORD));
    TypeText("Q");
    EXPECT_TRUE(Keys().empty());
    Click(IDC_STOP_RECORD);
    EXPECT_FALSE(page.IsRecording());
    EXPECT_TRUE(Visible(IDC_START_RECORD));
    for (const auto& other : others) {
        RemoveKeyboardHook(other->Hwnd());
        other->DestroyWindow();
    }
}

TEST_F(MacroPageWineTest, OfTwoMacrosWithOneIdTheSelectedOneIsShownAndDeleted) {
    // Ids read from files may repeat (a macro file copied under another name, for one).
    {
        MacroCollection files;
        files.SetFolder(MacroFolder());
        const MacroRect bounds{0, 0, 204, 220};
        files.AddMacro(16, u"first", bounds)
            .InsertEvent(kEventKey, 'A', kActionPress, 0, kPlaceAtEnd);
        files.AddMacro(16, u"second", bounds)
            .InsertEvent(kEventKey, 'B', kActionPress, 0, kPlaceAtEnd);
        ASSERT_TRUE(files.SaveMacros());
    }
    CFakeHost otherHandles;
    otherHandles.window = host.Hwnd();
    CMacroSettingsDlg again(otherHandles);
    otherHandles.macros = &again.Macros();
    ASSERT_TRUE(again.Create(host.Hwnd()));
    page.Show(false);
    again.Move(0, 0, 777, 337);
    again.Show(true);
    PumpPageFor(again.Hwnd(), 100);

    // The last entry is selected, and the editor shows its macro, not its namesake.
    ASSERT_EQ(again.List().Entries().size(), 2u);
    ASSERT_NE(again.Macros().CurrentMacro(), nullptr);
    EXPECT_EQ(again.Macros().CurrentMacro()->name, u"second");
    ASSERT_EQ(again.Macros().CurrentMacro()->events.size(), 1u);
    EXPECT_EQ(again.Macros().CurrentMacro()->events[0].code, 'B');

    // Deleted: that row and its macro go; the other stays, with its own event.
    ArmAnswer(IDOK);
    RECT r;
    GetWindowRect(GetDlgItem(again.Hwnd(), IDC_DELETE_MACRO), &r);
    ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ASSERT_TRUE(PumpPageUntil(again.Hwnd(), [] { return gAnswered; }));
    ASSERT_TRUE(PumpPageUntil(again.Hwnd(), [&] { return again.List().Entries().size() == 1u; }));
    EXPECT_EQ(again.List().Entries()[0].name, u"first");
    ASSERT_EQ(again.Macros().Macros().size(), 1u);
    EXPECT_EQ(again.Macros().Macros()[0]->name, u"first");
    EXPECT_EQ(again.Macros().CurrentMacro(), again.Macros().Macros()[0].get());
    EXPECT_EQ(again.Macros().Macros()[0]->events[0].code, 'A');
    EXPECT_EQ(otherHandles.changes, 1);
    again.DestroyWindow();
}

TEST_F(MacroPageWineTest, SavedMacrosComeBackInListOrderWithTheLastSelected) {
    NewMacro("FIRST");
    NewMacro("SECOND");
    ASSERT_TRUE(PumpPageUntil(page.Hwnd(), [&] { return page.List().Entries().size() == 2; }));
    ASSERT_TRUE(page.SaveMacros());

    CFakeHost otherHandles;
    CMacroSettingsDlg again(otherHandles);
    ASSERT_TRUE(again.Create(host.Hwnd()));
    ASSERT_EQ(again.List().Entries().size(), 2u);
    EXPECT_EQ(again.List().Entries()[0].name, u"first");
    EXPECT_EQ(again.List().Entries()[1].name, u"second");
    ASSERT_NE(again.Macros().CurrentMacro(), nullptr);
    EXPECT_EQ(again.Macros().CurrentMacro()->id, 17);
    again.DestroyWindow();
}

}  // namespace
