// orva-wintool: what the end-to-end tests need from inside Wine.
//   find TITLE       exit 0 when a top-level window has exactly this title, 1 otherwise
//   close TITLE      post WM_CLOSE to that window (exit 1 when there is none)
//   buttons TITLE    print "X Y W H ENABLED" of each button of that window, in client pixels
//   process NAME     exit 0 when a process of this file name (any case) runs, 1 otherwise
//   processes NAME   print how many processes of this file name (any case) run
//   serve            answers commands from stdin, one a line (tests/e2e/probe/CommandServer.h)

#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <string>

#include "app/ScopedWin.h"
#include "CommandServer.h"

namespace {

BOOL CALLBACK PrintButton(HWND child, LPARAM parent) noexcept {
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    if (_wcsicmp(className, L"Button") != 0)
        return TRUE;
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, reinterpret_cast<HWND>(parent), reinterpret_cast<POINT*>(&rect), 2);
    std::printf("%ld %ld %ld %ld %d\n", rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top, IsWindowEnabled(child) ? 1 : 0);
    return TRUE;
}

// The number of processes of that file name, -1 when they cannot be listed.
int CountProcesses(const std::wstring& name) {
    const HANDLE taken = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    const ScopedHandle snapshot(taken == INVALID_HANDLE_VALUE ? nullptr : taken);
    if (!snapshot)
        return -1;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
         more = Process32NextW(snapshot.Get(), &entry))
        count += _wcsicmp(entry.szExeFile, name.c_str()) == 0 ? 1 : 0;
    return count;
}

int Run(int argc, wchar_t** argv) {
    if (argc != 3)
        return 2;
    const std::wstring command = argv[1];
    if (command == L"process") {
        const int count = CountProcesses(argv[2]);
        return count < 0 ? 2 : (count > 0 ? 0 : 1);
    }
    if (command == L"processes") {
        const int count = CountProcesses(argv[2]);
        std::printf("%d\n", count);
        return count < 0 ? 2 : 0;
    }
    HWND window = FindWindowW(nullptr, argv[2]);
    if (command == L"find")
        return window != nullptr ? 0 : 1;
    if (command == L"close")
        return window != nullptr && PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    if (command == L"buttons") {
        if (window == nullptr)
            return 1;
        EnumChildWindows(window, PrintButton, reinterpret_cast<LPARAM>(window));
        return 0;
    }
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int code = IsServe(argc, argv) ? Serve(Run) : Run(argc, argv);
    std::fflush(stdout);
    return code;
}
