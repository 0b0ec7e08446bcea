// The keyboard hook slot with real key input: each client's own hook, the message it posts, and
// that every hook goes again.

#include <gtest/gtest.h>

#include "skin/KeyboardHookSlot.h"
#include "ui_test_support.h"

namespace {

using HookEvent = std::pair<WPARAM, LPARAM>;

// A window that records the hook messages posted to it.
class CHookTarget : public CZelWnd {
  public:
    bool Create(int x) {
        if (!CreateCustom(0, L"hook target", WS_POPUP, {x, 10, x + 50, 60}, nullptr, nullptr)) {
            return false;
        }
        ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
        return true;
    }
    std::vector<HookEvent> events;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override {
        if (msg == WM_HOOK_EVENT) {
            events.emplace_back(wParam, lParam);
            return 0;
        }
        return CZelWnd::HandleMessage(msg, wParam, lParam);
    }
};

// Types a key; the hooks' messages about it have arrived when this returns.
void TypeKey(WORD key) {
    KeyDown(key);
    KeyUp(key);
    ASSERT_TRUE(PumpPostedSoFar());
}

class KeyboardHookWineTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(recorder.Create(10));
        ASSERT_TRUE(capture.Create(100));
    }
    void TearDown() override {
        RemoveAllKeyboardHooks();
        EXPECT_EQ(InstalledKeyboardHookCount(), 0);
    }

    CHookTarget recorder;
    CHookTarget capture;
};

TEST_F(KeyboardHookWineTest, PressAndReleaseArePostedWithTheKeyUpBitOnly) {
    ASSERT_TRUE(InstallKeyboardHook(recorder.Hwnd()));
    TypeKey('A');
    EXPECT_EQ(recorder.events, (std::vector<HookEvent>{{0x41, 0}, {0x41, 0x80}}));
    RemoveKeyboardHook(recorder.Hwnd());
    EXPECT_EQ(InstalledKeyboardHookCount(), 0);
    TypeKey('B');
    EXPECT_EQ(recorder.events.size(), 2u);
}

TEST_F(KeyboardHookWineTest, TwoClientsEachHoldTheirOwnHook) {
    ASSERT_TRUE(InstallKeyboardHook(recorder.Hwnd()));
    ASSERT_TRUE(InstallKeyboardHook(capture.Hwnd()));
    // Installing again for the same window adds no second hook.
    ASSERT_TRUE(InstallKeyboardHook(capture.Hwnd()));
    EXPECT_EQ(InstalledKeyboardHookCount(), 2);
    TypeKey('A');
    EXPECT_EQ(recorder.events, (std::vector<HookEvent>{{0x41, 0}, {0x41, 0x80}}));
    EXPECT_EQ(capture.events, recorder.events);

    // The pop-up goes: the recording goes on receiving keys.
    RemoveKeyboardHook(capture.Hwnd());
    EXPECT_EQ(InstalledKeyboardHookCount(), 1);
    TypeKey('C');
    EXPECT_EQ(recorder.events.size(), 4u);
    EXPECT_EQ(capture.events.size(), 2u);

    // Removing for a window that holds no hook leaves the other one.
    RemoveKeyboardHook(capture.Hwnd());
    EXPECT_EQ(InstalledKeyboardHookCount(), 1);
    RemoveKeyboardHook(recorder.Hwnd());
    EXPECT_EQ(InstalledKeyboardHookCount(), 0);
    TypeKey('D');
    EXPECT_EQ(recorder.events.size(), 4u);
}

TEST_F(KeyboardHookWineTest, RepeatedPressesArriveAndKeysStillReachTheFocusedWindow) {
    CZelWnd edit;
    ASSERT_TRUE(edit.CreateChild({.parent = recorder.Hwnd(),
                                  .systemClass = L"EDIT",
                                  .style = WS_VISIBLE,
                                  .rect = {0, 0, 50, 20},
                                  .id = 1}));
    SetForegroundWindow(recorder.Hwnd());
    SetFocus(edit.Hwnd());
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == edit.Hwnd(); }));
    ASSERT_TRUE(InstallKeyboardHook(capture.Hwnd()));
    KeyDown('A');
    KeyDown('A');
    KeyDown('A');
    KeyUp('A');
    ASSERT_TRUE(PumpPostedSoFar());
    EXPECT_EQ(capture.events,
              (std::vector<HookEvent>{{0x41, 0}, {0x41, 0}, {0x41, 0}, {0x41, 0x80}}));
    EXPECT_TRUE(PumpUntil([&] { return edit.Text() == L"aaa"; })) << edit.Text().size();
}

TEST_F(KeyboardHookWineTest, NoWindowNoHook) {
    EXPECT_FALSE(InstallKeyboardHook(nullptr));
    EXPECT_EQ(InstalledKeyboardHookCount(), 0);
}

}  // namespace
