// orva-benchtool: the measurements of the configurator's benchmarks, taken from inside Wine.
//   start TITLE EXE [ARG]        start EXE, print the ms until a top-level window TITLE is
//                                visible and painted, and the process id
//   mem TITLE                    working set and private bytes of the window's process, KiB
//   cpu TITLE SECONDS            CPU time of the window's process over SECONDS: ms and % of a core
//   click TITLE ID               click the control ID of the window (BM_CLICK, synchronous) and
//                                print the ms until every visible page of the window has painted,
//                                and the ms one check for painting took (the figure's slack)
//   tree TITLE                   the window tree: the main window's own controls, then for
//                                each child dialog (a page) its id and number of windows
// Exit code 0 on success, 1 when a window is not found or a call fails.

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Whether the window and every visible window below it have nothing left to paint. Hidden
// windows and all below them are passed over: each look at another program's window is a call
// to the Wine server, and the configurator's hidden pages hold most of its windows. A check
// takes a few milliseconds, so a figure is at most that much late; painting is never forced,
// as a forced repaint would race the program's own painting and paint windows twice.
bool SubtreePainted(HWND hwnd) {
    if (GetUpdateRect(hwnd, nullptr, FALSE)) {
        return false;
    }
    for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) != 0 && !SubtreePainted(child)) {
            return false;
        }
    }
    return true;
}

bool TreePainted(HWND hwnd) {
    return IsWindowVisible(hwnd) && SubtreePainted(hwnd);
}

HANDLE OpenWindowProcess(const wchar_t* title) {
    HWND hwnd = FindWindowW(nullptr, title);
    if (hwnd == nullptr) {
        return nullptr;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
}

int Start(const wchar_t* title, const wchar_t* exe, const wchar_t* arg) {
    std::wstring commandLine = L"\"" + std::wstring(exe) + L"\"";
    if (arg != nullptr) {
        commandLine += L" ";
        commandLine += arg;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    double started = NowMs();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fwprintf(stderr, L"cannot start %ls\n", exe);
        return 1;
    }
    CloseHandle(process.hThread);
    int result = 1;
    while (NowMs() - started < 60000.0) {
        HWND hwnd = FindWindowW(nullptr, title);
        if (hwnd != nullptr && TreePainted(hwnd)) {
            std::wprintf(L"%.1f %lu\n", NowMs() - started, process.dwProcessId);
            result = 0;
            break;
        }
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
            break;
        }
        Sleep(1);
    }
    CloseHandle(process.hProcess);
    return result;
}

int Memory(const wchar_t* title) {
    HANDLE process = OpenWindowProcess(title);
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    bool ok = process != nullptr &&
              GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                   sizeof(counters));
    if (process != nullptr) {
        CloseHandle(process);
    }
    if (!ok) {
        return 1;
    }
    // Wine leaves PrivateUsage at 0; the pagefile usage is the same commit charge there.
    SIZE_T privateBytes =
        counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
    std::wprintf(L"%llu %llu\n", static_cast<unsigned long long>(counters.WorkingSetSize / 1024),
                 static_cast<unsigned long long>(privateBytes / 1024));
    return 0;
}

double CpuMs(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) {
        return -1;
    }
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime) /
               10000.0;
    };
    return ms(kernel) + ms(user);
}

int Cpu(const wchar_t* title, int seconds) {
    HANDLE process = OpenWindowProcess(title);
    if (process == nullptr) {
        return 1;
    }
    double before = CpuMs(process);
    double wallBefore = NowMs();
    Sleep(static_cast<DWORD>(seconds) * 1000);
    double after = CpuMs(process);
    double wall = NowMs() - wallBefore;
    CloseHandle(process);
    if (before < 0 || after < 0) {
        return 1;
    }
    std::wprintf(L"%.1f %.4f\n", after - before, 100.0 * (after - before) / wall);
    return 0;
}

int Click(const wchar_t* title, int id) {
    HWND hwnd = FindWindowW(nullptr, title);
    HWND control = hwnd != nullptr ? GetDlgItem(hwnd, id) : nullptr;
    if (control == nullptr) {
        return 1;
    }
    double started = NowMs();
    // The skinned buttons act on the press and release that BM_CLICK makes; SendMessage returns
    // once the window has handled the click, and painting follows through the message queue.
    SendMessageW(control, BM_CLICK, 0, 0);
    while (NowMs() - started < 5000.0) {
        if (TreePainted(hwnd)) {
            const double painted = NowMs();
            TreePainted(hwnd);
            std::wprintf(L"%.2f %.2f\n", painted - started, NowMs() - painted);
            return 0;
        }
        Sleep(0);
    }
    return 1;
}

int CountBelow(HWND hwnd) {
    int count = 0;
    for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        count += 1 + CountBelow(child);
    }
    return count;
}

bool IsDialog(HWND hwnd) {
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, 16);
    return std::wcscmp(name, L"#32770") == 0;
}

int Tree(const wchar_t* title) {
    HWND hwnd = FindWindowW(nullptr, title);
    if (hwnd == nullptr) {
        return 1;
    }
    int own = 0;
    std::wstring pages;
    for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsDialog(child)) {
            pages += L" " + std::to_wstring(GetDlgCtrlID(child)) + L":" +
                     std::to_wstring(CountBelow(child));
        } else {
            own += 1 + CountBelow(child);
        }
    }
    std::wprintf(L"main %d pages%ls\n", own, pages.c_str());
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"start" && argc >= 4) {
        return Start(argv[2], argv[3], argc > 4 ? argv[4] : nullptr);
    }
    if (command == L"mem" && argc == 3) {
        return Memory(argv[2]);
    }
    if (command == L"cpu" && argc == 4) {
        return Cpu(argv[2], _wtoi(argv[3]));
    }
    if (command == L"click" && argc == 4) {
        return Click(argv[2], _wtoi(argv[3]));
    }
    if (command == L"tree" && argc == 3) {
        return Tree(argv[2]);
    }
    std::fwprintf(stderr, L"usage: orva-benchtool start|mem|cpu|click|tree ...\n");
    return 2;
}
