#include "ui_test_support.h"

#include <gtest/gtest.h>

#include <objidl.h>
#include <gdiplus.h>

#include <cstdlib>
#include <filesystem>

#include "skin/ZelApp.h"

namespace {

// GDI+ and the common controls for the whole test program.
class UiEnvironment : public testing::Environment {
  public:
    void SetUp() override { ASSERT_TRUE(app.StartLibraries()); }
    void TearDown() override { app.StopLibraries(); }

  private:
    class CTestApp : public CZelApp {};
    CTestApp app;
};

const testing::Environment* const kUiEnvironment =
    testing::AddGlobalTestEnvironment(new UiEnvironment);

// How long one input may take to be delivered and handled before a test goes on regardless.
constexpr int kInputDeadlineMs = 1000;
// Extra information of our own inputs: the marker and a sequence number, so that the pump knows
// when the window it went to has handled it.
constexpr ULONG_PTR kInputMarker = 0x4F520000;
ULONG_PTR gInputSequence = 0;

// Dispatches what is queued now; true when the input marked `extra` was among it.
bool DispatchQueued(ULONG_PTR extra) {
    bool seen = false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (GetMessageExtraInfo() == static_cast<LPARAM>(extra)) {
            seen = true;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return seen;
}

// Sends one input and pumps until a window of this thread has handled it, or, for input that
// goes to another program (the pointer over nothing of ours, the focus elsewhere), until the
// system has taken it (`taken`) and nothing is queued for us any more.
void Send(INPUT input, const std::function<bool()>& taken) {
    const ULONG_PTR extra = kInputMarker | (++gInputSequence & 0xFFFF);
    if (input.type == INPUT_MOUSE) {
        input.mi.dwExtraInfo = extra;
    } else {
        input.ki.dwExtraInfo = extra;
    }
    SendInput(1, &input, sizeof(INPUT));
    const DWORD end = GetTickCount() + kInputDeadlineMs;
    for (;;) {
        if (DispatchQueued(extra) || (taken() && HIWORD(GetQueueStatus(QS_INPUT)) == 0)) {
            break;
        }
        const DWORD now = GetTickCount();
        if (static_cast<LONG>(end - now) <= 0) {
            break;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
    }
    // What the input set off (posted messages, a capture's synthetic move, paints) runs too.
    DispatchQueued(0);
}

bool ButtonIsDown(int virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

}  // namespace

void PumpFor(int milliseconds) {
    PumpPageFor(nullptr, milliseconds);
}

void PumpPageFor(HWND page, int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (page != nullptr &&
                (CZelWnd::PreTranslateChain(msg) || IsDialogMessageW(page, &msg))) {
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        const DWORD now = GetTickCount();
        if (static_cast<LONG>(end - now) <= 0) {
            return;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
    }
}

bool PumpUntil(const std::function<bool()>& done, int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    while (!done()) {
        if (static_cast<LONG>(end - GetTickCount()) <= 0) {
            return done();
        }
        PumpFor(10);
    }
    return true;
}

namespace {

BOOL CALLBACK FindUnpainted(HWND window, LPARAM found) noexcept {
    if (GetUpdateRect(window, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

bool IsPainted(HWND window) {
    bool unpainted = GetUpdateRect(window, nullptr, FALSE) != FALSE;
    if (!unpainted) {
        EnumChildWindows(window, FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    }
    return !unpainted;
}

}  // namespace

bool PumpPostedSoFar(int milliseconds) {
    // Posted messages come out in order: once a marker posted now is out, so is all before it.
    constexpr UINT kMarkerMessage = WM_APP + 0x3A5;
    static LPARAM sequence = 0;
    const LPARAM mine = ++sequence;
    if (!PostThreadMessageW(GetCurrentThreadId(), kMarkerMessage, 0, mine)) {
        return false;
    }
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.hwnd == nullptr && msg.message == kMarkerMessage && msg.lParam == mine) {
                return true;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        const DWORD now = GetTickCount();
        if (static_cast<LONG>(end - now) <= 0) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
    }
}

bool PumpUntilPainted(HWND window, int milliseconds) {
    return PumpUntil([window] { return IsPainted(window); }, milliseconds);
}

void MouseMoveTo(int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    // Absolute coordinates run 0 .. 65535 across the screen; aim at the pixel's centre.
    input.mi.dx = static_cast<LONG>((x * 65536LL + 32768) / width);
    input.mi.dy = static_cast<LONG>((y * 65536LL + 32768) / height);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    Send(input, [x, y] {
        POINT at{};
        return GetCursorPos(&at) && at.x == x && at.y == y;
    });
}

void MouseLeftDown() {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    Send(input, [] { return ButtonIsDown(VK_LBUTTON); });
}

void MouseLeftUp() {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    Send(input, [] { return !ButtonIsDown(VK_LBUTTON); });
}

void ClickAt(int x, int y) {
    MouseMoveTo(x, y);
    MouseLeftDown();
    MouseLeftUp();
}

void KeyDown(WORD virtualKey) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    Send(input, [virtualKey] { return ButtonIsDown(virtualKey); });
}

void KeyUp(WORD virtualKey) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    Send(input, [virtualKey] { return !ButtonIsDown(virtualKey); });
}

bool CNotifyRecorder::Create(const RECT& rect) {
    // Shown without activation: Wine without a window manager takes two seconds to destroy an
    // active top-level window.
    if (!CreateCustom(0, L"notify", WS_POPUP, rect, nullptr, nullptr)) {
        return false;
    }
    ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
    return true;
}

bool CNotifyRecorder::OnControlNotification(int code, LPARAM value) noexcept {
    received.emplace_back(code, value);
    return true;
}

bool CNotifyRecorder::OnCommand(int, int, HWND) noexcept {
    ++commands;
    return true;
}

std::vector<std::pair<int, LPARAM>> CNotifyRecorder::Commands() const {
    std::vector<std::pair<int, LPARAM>> commands;
    for (const auto& entry : received) {
        if (entry.first != NOTIFY_MENU_HIDING) {
            commands.push_back(entry);
        }
    }
    return commands;
}

POINT ToScreen(HWND hwnd, int x, int y) {
    POINT point{x, y};
    ClientToScreen(hwnd, &point);
    return point;
}

RECT RectInParent(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

CWindowCapture::CWindowCapture(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    width = client.right;
    height = client.bottom;
    if (width <= 0 || height <= 0) {
        width = height = 0;
        return;
    }
    pixels.assign(static_cast<size_t>(width) * height, 0);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const ScopedWindowDC screen(hwnd);
    const ScopedBitmap bitmap(
        CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const ScopedDC memory(CreateCompatibleDC(screen.Get()));
    if (!bitmap || !memory) {
        return;
    }
    const ScopedSelect selected(memory.Get(), bitmap.Get());
    BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY);
    GdiFlush();
    const auto* source = static_cast<const DWORD*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = source[i] & 0x00FFFFFF;
    }
}

COLORREF ScreenPixel(int x, int y) {
    const ScopedWindowDC screen(nullptr);
    return GetPixel(screen.Get(), x, y);
}

DWORD CWindowCapture::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return 0;
    }
    return pixels[static_cast<size_t>(y) * width + x];
}

void CWindowCapture::SaveArtifact(const wchar_t* name) const {
    const wchar_t* folder = _wgetenv(L"ORVA_ARTIFACTS");
    if (folder == nullptr || *folder == L'\0' || width == 0) {
        return;
    }
    std::wstring base = folder;
    // A Unix path from the test script: Wine's drive Z: is the Unix root.
    if (base.front() == L'/') {
        base = L"Z:" + base;
    }
    std::filesystem::path target = std::filesystem::path(base) / L"skin-controls";
    std::error_code error;
    std::filesystem::create_directories(target, error);
    target /= std::wstring(name) + L".png";
    Gdiplus::Bitmap image(width, height, PixelFormat32bppRGB);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.SetPixel(x, y, Gdiplus::Color(0xFF000000 | Pixel(x, y)));
        }
    }
    // The PNG encoder's class id, looked up among the installed encoders.
    UINT count = 0;
    UINT size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    std::vector<BYTE> buffer(size);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (size == 0 || Gdiplus::GetImageEncoders(count, size, encoders) != Gdiplus::Ok) {
        return;
    }
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(encoders[i].MimeType) == L"image/png") {
            image.Save(target.c_str(), &encoders[i].Clsid, nullptr);
            return;
        }
    }
}

bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    while (!condition()) {
        if (static_cast<LONG>(end - GetTickCount()) <= 0) {
            return condition();
        }
        Sleep(20);
    }
    return true;
}

bool PointerOver(HWND control) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    const DWORD thread = GetWindowThreadProcessId(control, nullptr);
    auto hovered = [&] { return GetGUIThreadInfo(thread, &info) && info.hwndCapture == control; };
    RECT rect{};
    GetWindowRect(control, &rect);
    MouseMoveTo((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    // On the window's own thread its messages must be pumped meanwhile.
    return thread == GetCurrentThreadId() ? PumpUntil(hovered, 3000) : WaitFor(hovered, 3000);
}

void ClickControl(HWND parent, int id) {
    HWND control = GetDlgItem(parent, id);
    // A second click on the same control within the double-click time would be a double click,
    // which a button does not take as a click: a person clicking twice waits that long.
    static HWND lastControl = nullptr;
    static DWORD lastClick = 0;
    const DWORD since = GetTickCount() - lastClick;
    if (control == lastControl && since <= GetDoubleClickTime()) {
        Sleep(GetDoubleClickTime() + 50 - since);
    }
    lastControl = control;
    PointerOver(control);
    MouseLeftDown();
    MouseLeftUp();
    lastClick = GetTickCount();
}
