// orva-wintool: what the end-to-end tests need from inside Wine.
//   find TITLE     exit 0 when a top-level window has exactly this title, 1 otherwise
//   close TITLE    post WM_CLOSE to that window (exit 1 when there is none)
//   top-dialog     print "HWND X Y W H TITLE" of the topmost visible dialog (exit 1: none)

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

BOOL CALLBACK FindTopDialog(HWND window, LPARAM found) noexcept {
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (IsWindowVisible(window) && std::wstring(className) == L"#32770") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

int TopDialog() {
    HWND found = nullptr;
    EnumWindows(FindTopDialog, reinterpret_cast<LPARAM>(&found));
    if (found == nullptr)
        return 1;
    RECT rect;
    GetWindowRect(found, &rect);
    wchar_t title[256] = {};
    GetWindowTextW(found, title, 256);
    std::printf("%llx %ld %ld %ld %ld %ls\n",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(found)), rect.left,
                rect.top, rect.right - rect.left, rect.bottom - rect.top, title);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && std::wstring(argv[1]) == L"top-dialog")
        return TopDialog();
    if (argc != 3)
        return 2;
    const std::wstring command = argv[1];
    HWND window = FindWindowW(nullptr, argv[2]);
    if (command == L"find")
        return window != nullptr ? 0 : 1;
    if (command == L"close")
        return window != nullptr && PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    return 2;
}
