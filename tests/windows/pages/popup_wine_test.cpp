// The pop-up with real clicks, for what the end-to-end tests do not reach: Close and OK without
// a key in the key capture, the modes without Cancel, the confirmations, centring over the main
// window, and the hook going with the window in every case.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "PageTestHost.h"
#include "pages/PopDlg.h"
#include "pages/logic/ButtonCatalogue.h"
#include "profiles/Storage.h"
#include "skin/KeyboardHookSlot.h"
#include "skin/SkinImages.h"
#include "skin/ZelComboButton.h"
#include "ui_test_support.h"

namespace {

constexpr int kOk = 1076;
constexpr int kCancel = 1077;
constexpr int kClose = 1078;
constexpr int kTime = 1079;

void TypeKey(WORD key) {
    KeyDown(key);
    KeyUp(key);
}

class PopupWineTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        SetSkinFolder(ApplicationFolder() / L".." / L".." / L".." / L"dist" / L"Skins");
    }
    void SetUp() override {
        ASSERT_TRUE(host.Open(400, 200));
        // A slot as the mouse page has it: "Left Click" chosen.
        ASSERT_TRUE(slot.CreateChild({.parent = host.Hwnd(),
                                      .systemClass = L"BUTTON",
                                      .style = WS_VISIBLE,
                                      .rect = {10, 10, 192, 31},
                                      .id = 1050}));
        slot.AddItem(1, L"Left Click");
        slot.AddItem(2, L"Single Key");
        slot.SelectItem(1);
    }
    void TearDown() override { EXPECT_EQ(InstalledKeyboardHookCount(), 0); }

    // Runs a key-capture pop-up for the slot while the user does `actions`.
    INT_PTR RunCapture(const std::function<void(HWND popup)>& actions) {
        CPopDlg popup(kPopupSingleKey, host.Hwnd());
        popup.SetTargetSlot(&slot);
        CUser user([&] {
            // Generous: four Wine programs may be starting beside this one.
            HWND window = WaitForWindow(L"Single key", 20000);
            if (window == nullptr) {
                ADD_FAILURE() << "the pop-up never showed";
                window = popup.Hwnd();
            } else {
                actions(window);
            }
            // A pop-up that outlives what the user did would keep the test waiting for ever:
            // it is ended, as a failure.
            if (!WaitFor([&] { return !IsWindow(window); }, 10000)) {
                ADD_FAILURE() << "the pop-up stayed open";
                PostMessageW(window, WM_CLOSE, 0, 0);
            }
        });
        const INT_PTR result = popup.Run();
        EXPECT_TRUE(user.WaitUntilDone(10000));
        return result;
    }

    CPageTestHost host;
    CZelComboButton slot;
};

TEST_F(PopupWineTest, CancelAndCloseKeepTheSlotAndOkWithoutAKeyAssignsKeyZero) {
    EXPECT_EQ(RunCapture([](HWND popup) {
                  TypeKey('C');
                  WaitFor([&] { return ControlText(GetDlgItem(popup, kTime)) == KeyName('C'); },
                          2000);
                  ClickControl(popup, kCancel);
              }),
              kDialogCancel);
    EXPECT_EQ(slot.CurrentId(), 1);
    EXPECT_EQ(slot.Caption(), L"Left Click");
    EXPECT_FALSE(slot.Veto());

    slot.SetVeto(true);
    EXPECT_EQ(RunCapture([](HWND popup) { ClickControl(popup, kClose); }), kDialogCancel);
    EXPECT_EQ(slot.CurrentId(), 1);

    EXPECT_EQ(RunCapture([](HWND popup) { ClickControl(popup, kOk); }), kDialogOk);
    EXPECT_EQ(slot.CurrentId(), 13);
    EXPECT_EQ(slot.CurrentValue(), 0);
    EXPECT_EQ(slot.Caption(), KeyName(0));
}

TEST_F(PopupWineTest, AKeyboardHookThatCannotBeInstalledIsToldInTheProgramsOwnBox) {
    // Every place of the hook slot taken by other windows: the pop-up's hook is refused.
    std::vector<std::unique_ptr<CNotifyRecorder>> others;
    while (InstalledKeyboardHookCount() < kKeyboardHookClients) {
        others.push_back(std::make_unique<CNotifyRecorder>());
        ASSERT_TRUE(others.back()->Create({900, 0, 910, 10}));
        ASSERT_TRUE(InstallKeyboardHook(others.back()->Hwnd()));
    }
    bool told = false;
    EXPECT_EQ(RunCapture([&told](HWND popup) {
                  // Titled as every message of the program, so that nobody takes it for the
                  // main window ("ORVA7100").
                  HWND box = WaitForWindow(L"ORVA 7100");
                  told =
                      box != nullptr && ControlText(GetDlgItem(box, 0xFFFF)) == L"set hook failed.";
                  // A box under the main window's title is closed too, so that the test fails
                  // instead of waiting on it.
                  if (box != nullptr || (box = WaitForWindow(L"ORVA7100", 1000)) != nullptr) {
                      PostMessageW(box, WM_COMMAND, IDOK, 0);
                  }
                  WaitFor([popup] { return IsWindowEnabled(popup) != FALSE; }, 5000);
                  ClickControl(popup, kClose);
              }),
              kDialogCancel);
    EXPECT_TRUE(told) << "no box 'set hook failed.' titled 'ORVA 7100'";
    for (const auto& other : others) {
        RemoveKeyboardHook(other->Hwnd());
    }
}

TEST_F(PopupWineTest, ModesWithoutCancelCloseWithTwoAndConfirmationsOkWithOne) {
    struct Case {
        PopupMode mode;
        const wchar_t* title;
        int button;
        INT_PTR result;
        const wchar_t* artifact;
    };
    const Case cases[] = {
        {kPopupLeftClickWarning, L"Left-click warning", kClose, kDialogCancel,
         L"pages-popup-left-click-warning"},
        {kPopupAnalysisFinish, L"Analysis finish", kClose, kDialogCancel, nullptr},
        {kPopupDeleteMacro, L"Delete macro", kOk, kDialogOk, L"pages-popup-delete-macro"},
        {kPopupResetWarning, L"Reset warning", kCancel, kDialogCancel,
         L"pages-popup-reset-warning"},
    };
    for (const Case& c : cases) {
        CPopDlg popup(c.mode, host.Hwnd());
        bool hasCancel = true;
        bool centred = false;
        CUser user([&] {
            HWND window = WaitForWindow(c.title);
            if (window == nullptr) {
                return;
            }
            hasCancel = IsWindowVisible(GetDlgItem(window, kCancel)) != FALSE;
            RECT own{};
            RECT over{};
            GetWindowRect(window, &own);
            GetWindowRect(host.Hwnd(), &over);
            centred = std::abs((own.left + own.right) / 2 - (over.left + over.right) / 2) <= 1 &&
                      std::abs((own.top + own.bottom) / 2 - (over.top + over.bottom) / 2) <= 1;
            if (c.artifact != nullptr) {
                CWindowCapture(window).SaveArtifact(c.artifact);
            }
            ClickControl(window, c.button);
        });
        EXPECT_EQ(popup.Run(), c.result) << c.mode;
        EXPECT_TRUE(user.WaitUntilDone(10000));
        EXPECT_EQ(hasCancel, c.mode != kPopupLeftClickWarning && c.mode != kPopupAnalysisFinish)
            << c.mode;
        EXPECT_TRUE(centred) << c.mode;
    }
}

}  // namespace
