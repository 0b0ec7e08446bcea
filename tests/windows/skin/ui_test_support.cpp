#include "ui_test_support.h"

#include <gtest/gtest.h>

#include <objidl.h>
#include <gdiplus.h>

#include <cstdlib>
#include <filesystem>

#include "ZelApp.h"

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

void Send(INPUT input) {
    SendInput(1, &input, sizeof(INPUT));
    PumpFor(30);
}

}  // namespace

void PumpFor(int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
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

void MouseMoveTo(int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    // Absolute coordinates run 0 .. 65535 across the screen; aim at the pixel's centre.
    input.mi.dx = static_cast<LONG>((x * 65536LL + 32768) / width);
    input.mi.dy = static_cast<LONG>((y * 65536LL + 32768) / height);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    Send(input);
}

void MouseLeftDown() {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    Send(input);
}

void MouseLeftUp() {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    Send(input);
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
    Send(input);
}

void KeyUp(WORD virtualKey) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    Send(input);
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
    HDC screen = GetDC(hwnd);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    if (bitmap != nullptr && memory != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* source = static_cast<const DWORD*>(bits);
        for (size_t i = 0; i < pixels.size(); ++i) {
            pixels[i] = source[i] & 0x00FFFFFF;
        }
        SelectObject(memory, previous);
    }
    if (memory != nullptr) {
        DeleteDC(memory);
    }
    if (bitmap != nullptr) {
        DeleteObject(bitmap);
    }
    ReleaseDC(hwnd, screen);
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
