#include "skin/ZelApp.h"

#include <commctrl.h>
#include <objbase.h>
#include <objidl.h>
#include <gdiplus.h>

#include "skin/SkinImages.h"
#include "skin/ZelWnd.h"

CZelApp::~CZelApp() {
    StopLibraries();
}

bool CZelApp::StartLibraries() noexcept {
    INITCOMMONCONTROLSEX icc{sizeof(icc), 0xFF};
    InitCommonControlsEx(&icc);
    comStarted_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    if (gdiplusToken_ == 0) {
        Gdiplus::GdiplusStartupInput input;
        if (Gdiplus::GdiplusStartup(&gdiplusToken_, &input, nullptr) != Gdiplus::Ok) {
            gdiplusToken_ = 0;
            return false;
        }
    }
    return true;
}

void CZelApp::StopLibraries() noexcept {
    if (gdiplusToken_ != 0) {
        ReleaseSkinSheets();
        Gdiplus::GdiplusShutdown(gdiplusToken_);
        gdiplusToken_ = 0;
    }
    if (comStarted_) {
        CoUninitialize();
        comStarted_ = false;
    }
}

int CZelApp::MessageLoop() noexcept {
    MSG msg;
    BOOL got;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
        if (got == -1) {
            return -1;
        }
        if (CZelWnd::PreTranslateChain(msg)) {
            continue;
        }
        // Keyboard navigation for whichever dialog the message belongs to.
        HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        wchar_t className[16] = {};
        if (root && GetClassNameW(root, className, 16) > 0 && lstrcmpW(className, L"#32770") == 0 &&
            IsDialogMessageW(root, &msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

int CZelApp::Run() noexcept {
    if (!StartLibraries()) {
        StopLibraries();
        return 1;
    }
    int code = InitInstance() ? MessageLoop() : 0;
    int exitCode = ExitInstance();
    StopLibraries();
    return code != 0 ? code : exitCode;
}
