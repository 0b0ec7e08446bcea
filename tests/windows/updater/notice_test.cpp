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

// What a notice looks like after moves to screens of other scales: its window and its
// buttons' rectangles, in screen and client pixels.
struct ScaleScript {
    struct Look {
        RECT window{};
        std::vector<RECT> buttons;
    };
    std::vector<Look> looks;  // at 200 %, at 175 % (no art of its own), back at 100 %
};
ScaleScript* gScale = nullptr;

BOOL CALLBACK CollectButtonRect(HWND child, LPARAM parent) noexcept {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, reinterpret_cast<HWND>(parent), reinterpret_cast<POINT*>(&rect), 2);
    gScale->looks.back().buttons.push_back(rect);
    return TRUE;
}

void CALLBACK PlayScaleChanges(HWND, UINT, UINT_PTR timer, DWORD) noexcept {
    HWND notice = GetActiveWindow();
    if (notice == nullptr)
        return;
    KillTimer(nullptr, timer);
    for (const UINT dpi : {192u, 168u, 96u}) {
        RECT suggested{40, 30, 40 + 10, 30 + 10};  // where to go; the notice decides its size
        SendMessageW(notice, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        gScale->looks.emplace_back();
        GetWindowRect(notice, &gScale->looks.back().window);
        EnumChildWindows(notice, CollectButtonRect, reinterpret_cast<LPARAM>(notice));
    }
    std::vector<HWND> buttons;
    EnumChildWindows(
        notice,
        [](HWND child, LPARAM found) noexcept {
            reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&buttons));
    if (buttons.size() > 1)  // Cancel
        SendMessageW(notice, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                     reinterpret_cast<LPARAM>(buttons[1]));
}

bool SameRect(const RECT& rect, LONG left, LONG top, LONG right, LONG bottom) {
    return rect.left == left && rect.top == top && rect.right == right && rect.bottom == bottom;
}

TEST(NoticeDlg, AMoveToAScreenOfAnotherScaleLaysTheNoticeOutAgain) {
    ScaleScript script;
    gScale = &script;
    SetTimer(nullptr, 0, 100, PlayScaleChanges);
    EXPECT_EQ(CNoticeDlg::Show(NoticeVariant::kUpdateOffer, nullptr), IDCANCEL);
    ASSERT_EQ(script.looks.size(), 3u);
    // Upgrade Firmware at 198,152 (112 x 20), Cancel at 319,152 (51 x 20), the close button at
    // 350,2 (23 x 18); the window 378 x 179, each edge scaled, at the suggested place.
    const ScaleScript::Look& at200 = script.looks[0];
    EXPECT_TRUE(SameRect(at200.window, 40, 30, 40 + 756, 30 + 358));
    ASSERT_EQ(at200.buttons.size(), 3u);
    EXPECT_TRUE(SameRect(at200.buttons[0], 396, 304, 620, 344));
    EXPECT_TRUE(SameRect(at200.buttons[1], 638, 304, 740, 344));
    EXPECT_TRUE(SameRect(at200.buttons[2], 700, 4, 746, 40));
    const ScaleScript::Look& at175 = script.looks[1];
    EXPECT_TRUE(SameRect(at175.window, 40, 30, 40 + 662, 30 + 313));
    ASSERT_EQ(at175.buttons.size(), 3u);
    EXPECT_TRUE(SameRect(at175.buttons[1], 558, 266, 648, 301));
    const ScaleScript::Look& at100 = script.looks[2];
    EXPECT_TRUE(SameRect(at100.window, 40, 30, 40 + 378, 30 + 179));
    ASSERT_EQ(at100.buttons.size(), 3u);
    EXPECT_TRUE(SameRect(at100.buttons[1], 319, 152, 370, 172));
}

}  // namespace
