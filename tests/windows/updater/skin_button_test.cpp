#include <gtest/gtest.h>

#include "WindowTestSupport.h"
#include "app/ButtonImageIds.h"
#include "app/SkinBitmap.h"
#include "app/SkinButton.h"

namespace {

constexpr ButtonImages kOk{IDB_OK_NORMAL, IDB_OK_HOVER, IDB_OK_PRESSED, IDB_OK_NORMAL};

// What the button draws for an owner-draw request in `state`.
std::vector<uint32_t> Drawn(const CSkinButton& button, UINT state) {
    const ScopedBitmap surface = MakeSurface(51, 20);
    {
        const ScopedDC dc(CreateCompatibleDC(nullptr));
        const ScopedSelect selected(dc.Get(), surface.Get());
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.hwndItem = button.Handle();
        item.hDC = dc.Get();
        item.itemState = state;
        item.rcItem = RECT{0, 0, 51, 20};
        EXPECT_TRUE(CSkinButton::DrawItem(item));
    }
    return Pixels(surface.Get());
}

std::vector<uint32_t> Resource(int id) {
    return Pixels(ScopedBitmap(LoadBitmapResource(id)).Get());
}

TEST(SkinButton, TakesTheLayoutPositionAndTheNormalImageSize) {
    TestParent parent;
    CSkinButton button;
    ASSERT_TRUE(button.Create(parent.Handle(), "BUTTON_OK,198,152,112,20,", kOk));
    RECT rect;
    GetWindowRect(button.Handle(), &rect);
    MapWindowPoints(nullptr, parent.Handle(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 198);
    EXPECT_EQ(rect.top, 152);
    EXPECT_EQ(rect.right, 249);
    EXPECT_EQ(rect.bottom, 172);
    EXPECT_EQ(GetDlgCtrlID(button.Handle()), 0);
    EXPECT_EQ(GetWindowLongW(button.Handle(), GWL_STYLE) & WS_TABSTOP, 0);
}

int CountChildren(HWND parent) {
    int count = 0;
    EnumChildWindows(
        parent,
        [](HWND, LPARAM counter) noexcept { return ++*reinterpret_cast<int*>(counter), TRUE; },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST(SkinButton, ALayoutThatDoesNotParsePlacesNothingAndMakingAgainReplaces) {
    TestParent parent;
    CSkinButton button;
    for (const char* bad : {"BUTTON_OK", "BUTTON_OK,198,152,", "BUTTON_OK,x,1,2,3,", ""}) {
        EXPECT_FALSE(button.Create(parent.Handle(), bad, kOk)) << bad;
        EXPECT_EQ(button.Handle(), nullptr) << bad;
    }
    EXPECT_EQ(CountChildren(parent.Handle()), 0);

    // Made twice: one window, at the second place.
    ASSERT_TRUE(button.Create(parent.Handle(), "BUTTON_OK,10,10,51,20,", kOk));
    HWND first = button.Handle();
    ASSERT_TRUE(button.Create(parent.Handle(), "BUTTON_OK,100,40,51,20,", kOk));
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(CountChildren(parent.Handle()), 1);
    RECT rect;
    GetWindowRect(button.Handle(), &rect);
    MapWindowPoints(nullptr, parent.Handle(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 40);
    // A failed remake leaves no stale button behind either.
    EXPECT_FALSE(button.Create(parent.Handle(), "BUTTON_OK,", kOk));
    EXPECT_EQ(CountChildren(parent.Handle()), 0);
}

TEST(SkinButton, DrawsTheImageOfItsState) {
    TestParent parent(TestParent::kShown);
    CSkinButton button;
    ASSERT_TRUE(button.Create(parent.Handle(), "BUTTON_OK,1,1,51,20,", kOk));
    const auto normal = Resource(IDB_OK_NORMAL);
    const auto pressed = Resource(IDB_OK_PRESSED);
    ASSERT_NE(normal, pressed);
    EXPECT_EQ(Drawn(button, 0), normal);
    EXPECT_EQ(Drawn(button, ODS_SELECTED), pressed);
    EXPECT_EQ(Drawn(button, ODS_DISABLED), normal);

    // Hovering: the pointer moved onto the button while its window is active.
    SetForegroundWindow(parent.Handle());
    SetActiveWindow(parent.Handle());
    SendMessageW(button.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(button.IsHovered());
    EXPECT_EQ(Drawn(button, 0), Resource(IDB_OK_HOVER));
    EXPECT_EQ(GetCapture(), button.Handle());
    // Losing the focus clears the highlight.
    SendMessageW(button.Handle(), WM_KILLFOCUS, 0, 0);
    EXPECT_FALSE(button.IsHovered());
    EXPECT_EQ(Drawn(button, 0), normal);
    ReleaseCapture();

    // Moving from the button onto its parent clears the highlight at once and lets go of the
    // mouse (the left button is up).
    SendMessageW(button.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(button.IsHovered());
    POINT outside{300, 100};
    ClientToScreen(parent.Handle(), &outside);
    ASSERT_TRUE(SetCursorPos(outside.x, outside.y));
    SendMessageW(button.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(250, 50));
    EXPECT_FALSE(button.IsHovered());
    EXPECT_NE(GetCapture(), button.Handle());
    ReleaseCapture();
    // A drag that started elsewhere does not light the button up.
    SendMessageW(button.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(button.IsHovered());
}

TEST(SkinButton, LatchedButtonShowsPressedWhileEnabledAndDisabledImageOtherwise) {
    TestParent parent;
    CSkinButton button;
    ASSERT_TRUE(button.Create(parent.Handle(), "BUTTON_X,1,1,51,20,TRUE,", kOk));
    EXPECT_EQ(Drawn(button, 0), Resource(IDB_OK_PRESSED));
    EXPECT_EQ(Drawn(button, ODS_DISABLED), Resource(IDB_OK_NORMAL));
}

TEST(SkinButton, ClickReachesTheParentWithTheButtonHandle) {
    // A dialog-less parent that records WM_COMMAND.
    static HWND clicked = nullptr;
    static int clicks = 0;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam,
                                 LPARAM lParam) noexcept -> LRESULT {
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            clicked = reinterpret_cast<HWND>(lParam);
            ++clicks;
        }
        if (message == WM_DRAWITEM)
            return CSkinButton::DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return DefWindowProcW(window, message, wParam, lParam);
    };
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"OrvaClickParent";
    RegisterClassW(&windowClass);
    HWND parent = CreateWindowExW(0, L"OrvaClickParent", L"", WS_POPUP, 0, 0, 300, 100, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    {
        CSkinButton button;
        ASSERT_TRUE(button.Create(parent, "BUTTON_OK,10,10,51,20,", kOk));
        SendMessageW(button.Handle(), BM_CLICK, 0, 0);
        EXPECT_EQ(clicked, button.Handle());
        // A quick second press comes as a double click; it is a click all the same.
        const LPARAM inside = MAKELPARAM(5, 5);
        for (UINT press : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}) {
            SendMessageW(button.Handle(), press, MK_LBUTTON, inside);
            SendMessageW(button.Handle(), WM_LBUTTONUP, 0, inside);
        }
        EXPECT_EQ(clicks, 3);
    }
    DestroyWindow(parent);
}

}  // namespace
