#include <gtest/gtest.h>

#include <vector>

#include "app/NoticeDlg.h"

namespace {

// Drives the notice from inside its modal loop: a thread timer finds it and plays `script`.
struct NoticeScript {
    std::vector<HWND> buttons;  // the notice's buttons in creation order
    bool aliveAfterKeys = false;
    int pickButton = 0;  // which button to click at the end
};
NoticeScript* gScript = nullptr;

BOOL CALLBACK CollectButton(HWND child, LPARAM) noexcept {
    gScript->buttons.push_back(child);
    return TRUE;
}

void CALLBACK PlayScript(HWND, UINT, UINT_PTR timer, DWORD) noexcept {
    HWND notice = GetActiveWindow();
    if (notice == nullptr)
        return;
    KillTimer(nullptr, timer);
    // Enter and Esc, through the dialog manager as typed and as their commands.
    SendMessageW(notice, WM_COMMAND, IDOK, 0);
    SendMessageW(notice, WM_COMMAND, IDCANCEL, 0);
    MSG key{};
    key.hwnd = notice;
    key.message = WM_KEYDOWN;
    key.wParam = VK_RETURN;
    IsDialogMessageW(notice, &key);
    key.wParam = VK_ESCAPE;
    IsDialogMessageW(notice, &key);
    // Alt+F4 and a close from another program.
    SendMessageW(notice, WM_SYSCOMMAND, SC_CLOSE, 0);
    SendMessageW(notice, WM_CLOSE, 0, 0);
    gScript->aliveAfterKeys = IsWindow(notice) && IsWindowVisible(notice);
    EnumChildWindows(notice, CollectButton, 0);
    HWND button = gScript->buttons.at(gScript->pickButton);
    SendMessageW(notice, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

INT_PTR RunNotice(NoticeVariant variant, NoticeScript& script) {
    gScript = &script;
    SetTimer(nullptr, 0, 100, PlayScript);
    return CNoticeDlg::Show(variant, nullptr);
}

TEST(NoticeDlg, KeysAndCloseRequestsEndNothingAndTheButtonsEndWithTheirRoles) {
    NoticeScript ok;
    ok.pickButton = 0;  // Upgrade Firmware
    EXPECT_EQ(RunNotice(NoticeVariant::kUpdateOffer, ok), IDOK);
    EXPECT_TRUE(ok.aliveAfterKeys);
    EXPECT_EQ(ok.buttons.size(), 3u);

    NoticeScript cancel;
    cancel.pickButton = 1;  // Cancel
    EXPECT_EQ(RunNotice(NoticeVariant::kBackupWarning, cancel), IDCANCEL);

    NoticeScript close;
    close.pickButton = 1;  // the close button: the success notice has no cancel-role button
    EXPECT_EQ(RunNotice(NoticeVariant::kSuccess, close), IDCANCEL);
    EXPECT_EQ(close.buttons.size(), 2u);
}

TEST(NoticeDlg, DriverOfferDownloadEndsNothing) {
    // Clicking Download Driver would open a browser; only the cancel role is exercised here,
    // after checking that the notice carries both buttons and the close button.
    NoticeScript cancel;
    cancel.pickButton = 2;
    EXPECT_EQ(RunNotice(NoticeVariant::kDriverOffer, cancel), IDCANCEL);
    EXPECT_EQ(cancel.buttons.size(), 3u);
}

}  // namespace
