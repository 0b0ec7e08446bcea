// orva-probe: what the end-to-end tests read from the windows of the programs under test, run
// inside the same Wine prefix. Everything goes to stdout as UTF-8; exit 0 on success, 1 when the
// window or control is not there (or does not answer), 2 on a usage error.
//
//   find TITLE                 HWND (hex) and screen rect "x y width height" of the top-level
//                              window with exactly this title
//   wait TITLE SECONDS         until that window exists and is visible
//   visible TITLE              exit 0 when it exists and is visible
//   state TITLE                the window's visible=, iconic= and topmost= (1 or 0), one a line
//   origin TITLE               screen "x y" of the window's client point (0, 0)
//   list TITLE                 one line per descendant control: id, parent id, class, rect in the
//                              top-level window's client coordinates, visible, enabled, the
//                              query answers of its kind and its text (last, so it may hold spaces)
//   ctl TITLE ID [PARENT_ID]   one control, one "key=value" a line (text=, check=, state=, pos=,
//                              range=MIN..MAX, count=, cursel= as its kind answers them)
//   lbtext TITLE ID INDEX      the text of one list box row
//   center TITLE ID [PARENT_ID]     client "x y" of the control's centre in the top-level window
//   screenpos TITLE ID [PARENT_ID]  the same in screen coordinates
//   close TITLE                post WM_CLOSE
//   post TITLE MSG WPARAM LPARAM    post a message (numbers decimal or 0x hex)
//   top-dialog                 "HWND X Y W H TITLE" of the topmost visible dialog
//   responsive TITLE SECONDS MS     sends the window a message every 50 ms for SECONDS; prints
//                              the longest wait for an answer and exits 1 when one took over MS
//   above TITLE OTHER          exit 0 when the window TITLE lies above OTHER in the z-order
//   window TITLE X Y W H SECONDS    shows a grey top-level window that never takes activation at
//                              that screen rectangle, until SECONDS have passed or it is closed
//   notice UPDATER_EXE         the topmost dialog read as a notice of that updater by what it
//                              shows: "notice NAME" for its background bitmap, then
//                              "button X Y W H IMAGE" a button, left to right (the notices' words
//                              are pictures; "unknown" where no bitmap of the program matches)
//   serve                      answers commands from stdin, one a line (CommandServer.h)
//   layout main | PAGE_ID | popup MODE | rename
//                              the configurator's 96-DPI layout table of that window: "size W H",
//                              then "ID X Y W H" a control (for main, its pages by template id)
//
// A control is found by id in breadth-first order (the window's own controls before those of
// its child pages), or only under the first child window whose id is PARENT_ID.

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <deque>
#include <string>
#include <vector>

#include "app/ButtonImageIds.h"
#include "app/NoticeDlgIds.h"
#include "skin/ScopedWin.h"
#include "CommandServer.h"
#include "Layouts.h"
#include "WindowSearch.h"
#include "skin/logic/ControlKind.h"

namespace {

constexpr UINT kAnswerTimeoutMs = 2000;

// Line breaks inside a text would split the probe's one-line answers.
std::wstring OneLine(std::wstring text) {
    for (wchar_t& c : text) {
        if (c == L'\r' || c == L'\n')
            c = L' ';
    }
    return text;
}

// A message to a window of another process, bounded in time: a hung program fails the query.
bool Ask(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, msg, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                            &result) == 0)
        return false;
    answer = static_cast<LRESULT>(result);
    return true;
}

std::wstring WindowText(HWND window) {
    LRESULT length = 0;
    if (!Ask(window, WM_GETTEXTLENGTH, 0, 0, length) || length <= 0)
        return {};
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = 0;
    if (!Ask(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), copied))
        return {};
    return std::wstring(buffer.data(), static_cast<size_t>(copied < 0 ? 0 : copied));
}

std::wstring ClassName(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

HWND FindControl(HWND top, int id, const wchar_t* parentId) {
    HWND root = top;
    if (parentId != nullptr) {
        root = nullptr;
        const int wanted = static_cast<int>(std::wcstol(parentId, nullptr, 0));
        for (HWND window : DescendantsBreadthFirst(top)) {
            if (GetDlgCtrlID(window) == wanted) {
                root = window;
                break;
            }
        }
        if (root == nullptr)
            return nullptr;
    }
    for (HWND window : DescendantsBreadthFirst(root)) {
        if (GetDlgCtrlID(window) == id)
            return window;
    }
    return nullptr;
}

ControlKind KindOf(HWND window) {
    const auto stored = reinterpret_cast<intptr_t>(GetPropW(window, kControlKindProperty));
    if (stored != 0)
        return static_cast<ControlKind>(stored);
    const std::wstring name = ClassName(window);
    if (_wcsicmp(name.c_str(), L"Button") == 0)
        return ControlKind::Button;
    if (_wcsicmp(name.c_str(), TRACKBAR_CLASSW) == 0)
        return ControlKind::Slider;
    if (_wcsicmp(name.c_str(), PROGRESS_CLASSW) == 0)
        return ControlKind::Progress;
    if (_wcsicmp(name.c_str(), L"ListBox") == 0)
        return ControlKind::ListBox;
    if (_wcsicmp(name.c_str(), L"ScrollBar") == 0)
        return ControlKind::ScrollBar;
    return ControlKind::Unknown;
}

const wchar_t* KindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Button:
            return L"button";
        case ControlKind::Slider:
            return L"slider";
        case ControlKind::Progress:
            return L"progress";
        case ControlKind::ListBox:
            return L"listbox";
        case ControlKind::ScrollBar:
            return L"scrollbar";
        case ControlKind::Unknown:
            break;
    }
    return L"other";
}

// The answers of the query messages of the control's kind, as "key=value" items.
std::vector<std::wstring> Queries(HWND window) {
    std::vector<std::wstring> items;
    auto ask = [&](const wchar_t* key, UINT msg, WPARAM wParam) {
        LRESULT answer = 0;
        if (Ask(window, msg, wParam, 0, answer))
            items.push_back(std::wstring(key) + L"=" + std::to_wstring(answer));
    };
    auto askRange = [&](UINT minMsg, WPARAM minParam, UINT maxMsg, WPARAM maxParam) {
        LRESULT low = 0;
        LRESULT high = 0;
        if (Ask(window, minMsg, minParam, 0, low) && Ask(window, maxMsg, maxParam, 0, high))
            items.push_back(L"range=" + std::to_wstring(low) + L".." + std::to_wstring(high));
    };
    switch (KindOf(window)) {
        case ControlKind::Button:
            ask(L"check", BM_GETCHECK, 0);
            ask(L"state", BM_GETSTATE, 0);
            break;
        case ControlKind::Slider:
            ask(L"pos", TBM_GETPOS, 0);
            askRange(TBM_GETRANGEMIN, 0, TBM_GETRANGEMAX, 0);
            break;
        case ControlKind::Progress:
            ask(L"pos", PBM_GETPOS, 0);
            askRange(PBM_GETRANGE, TRUE, PBM_GETRANGE, FALSE);
            break;
        case ControlKind::ListBox:
            ask(L"count", LB_GETCOUNT, 0);
            ask(L"cursel", LB_GETCURSEL, 0);
            break;
        case ControlKind::ScrollBar:
            ask(L"pos", SBM_GETPOS, 0);
            break;
        case ControlKind::Unknown:
            break;
    }
    return items;
}

RECT RectIn(HWND control, HWND top) {
    RECT rect{};
    GetWindowRect(control, &rect);
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    ScreenToClient(top, &corners[0]);
    ScreenToClient(top, &corners[1]);
    return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

int Find(HWND top) {
    RECT rect{};
    GetWindowRect(top, &rect);
    std::printf("%llx %ld %ld %ld %ld\n",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(top)), rect.left,
                rect.top, rect.right - rect.left, rect.bottom - rect.top);
    return 0;
}

int State(HWND top) {
    const bool topmost = (GetWindowLongPtrW(top, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    std::printf("visible=%d\niconic=%d\ntopmost=%d\n", IsWindowVisible(top) ? 1 : 0,
                IsIconic(top) ? 1 : 0, topmost ? 1 : 0);
    return 0;
}

int Wait(const wchar_t* title, const wchar_t* seconds) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(_wtof(seconds) * 1000.0);
    for (;;) {
        HWND top = FindTop(title);
        if (top != nullptr && IsWindowVisible(top))
            return Find(top);
        if (GetTickCount64() >= end)
            return 1;
        Sleep(100);
    }
}

int List(HWND top) {
    for (HWND window : DescendantsBreadthFirst(top)) {
        const RECT rect = RectIn(window, top);
        std::wstring line = L"id=" + std::to_wstring(GetDlgCtrlID(window));
        HWND parent = GetParent(window);
        line += L" parent=" + std::to_wstring(parent == top ? 0 : GetDlgCtrlID(parent));
        line += L" class=" + ClassName(window) + L" kind=" + KindName(KindOf(window));
        line += L" rect=" + std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top) + L"," +
                std::to_wstring(rect.right - rect.left) + L"," +
                std::to_wstring(rect.bottom - rect.top);
        line += L" visible=" + std::to_wstring(IsWindowVisible(window) ? 1 : 0);
        line += L" enabled=" + std::to_wstring(IsWindowEnabled(window) ? 1 : 0);
        for (const std::wstring& item : Queries(window))
            line += L" " + item;
        line += L" text=" + OneLine(WindowText(window)) + L"\n";
        PrintUtf8(line);
    }
    return 0;
}

int Control(HWND control, HWND top) {
    const RECT rect = RectIn(control, top);
    std::wstring out = L"class=" + ClassName(control) + L"\nkind=" + KindName(KindOf(control));
    out += L"\nrect=" + std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top) + L"," +
           std::to_wstring(rect.right - rect.left) + L"," + std::to_wstring(rect.bottom - rect.top);
    out += L"\nvisible=" + std::to_wstring(IsWindowVisible(control) ? 1 : 0);
    out += L"\nenabled=" + std::to_wstring(IsWindowEnabled(control) ? 1 : 0);
    out += L"\ntext=" + OneLine(WindowText(control)) + L"\n";
    for (const std::wstring& item : Queries(control))
        out += item + L"\n";
    PrintUtf8(out);
    return 0;
}

int ListBoxText(HWND control, const wchar_t* indexText) {
    const WPARAM index = static_cast<WPARAM>(std::wcstol(indexText, nullptr, 0));
    LRESULT length = 0;
    if (!Ask(control, LB_GETTEXTLEN, index, 0, length) || length < 0)
        return 1;
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = 0;
    if (!Ask(control, LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer.data()), copied) ||
        copied < 0)
        return 1;
    PrintUtf8(OneLine(std::wstring(buffer.data(), static_cast<size_t>(copied))) + L"\n");
    return 0;
}

int Center(HWND control, HWND top, bool screen) {
    RECT rect{};
    GetClientRect(control, &rect);
    POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(control, &centre);
    if (!screen)
        ScreenToClient(top, &centre);
    std::printf("%ld %ld\n", centre.x, centre.y);
    return 0;
}

BOOL CALLBACK FindTopDialog(HWND window, LPARAM found) noexcept {
    if (IsWindowVisible(window) && ClassName(window) == L"#32770") {
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
    RECT rect{};
    GetWindowRect(found, &rect);
    std::printf("%llx %ld %ld %ld %ld ",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(found)), rect.left,
                rect.top, rect.right - rect.left, rect.bottom - rect.top);
    PrintUtf8(OneLine(WindowText(found)) + L"\n");
    return 0;
}

// ---- the updater's notices, by the bitmaps they show --------------------------------------------

struct NamedImages {
    const wchar_t* name;
    int ids[3];  // the states a button may show while it is read: normal, hover, pressed
};

constexpr NamedImages kNoticeBackgrounds[] = {
    {L"driver-offer", {IDB_DRIVER_OFFER}}, {L"up-to-date", {IDB_UP_TO_DATE}},
    {L"update-offer", {IDB_UPDATE_OFFER}}, {L"backup-warning", {IDB_BACKUP_WARNING}},
    {L"failure", {IDB_FAILURE}},           {L"success", {IDB_SUCCESS}},
};

constexpr NamedImages kButtonImages[] = {
    {L"ok", {IDB_OK_NORMAL, IDB_OK_HOVER, IDB_OK_PRESSED}},
    {L"cancel", {IDB_CANCEL_NORMAL, IDB_CANCEL_HOVER, IDB_CANCEL_PRESSED}},
    {L"close", {IDB_CLOSE_NORMAL, IDB_CLOSE_HOVER, IDB_CLOSE_PRESSED}},
    {L"download", {IDB_DOWNLOAD_NORMAL, IDB_DOWNLOAD_HOVER, IDB_DOWNLOAD_PRESSED}},
    {L"upgrade", {IDB_UPGRADE_NORMAL, IDB_UPGRADE_HOVER, IDB_UPGRADE_PRESSED}},
    {L"continue", {IDB_CONTINUE_NORMAL, IDB_CONTINUE_HOVER, IDB_CONTINUE_PRESSED}},
    {L"exit", {IDB_EXIT_NORMAL, IDB_EXIT_HOVER, IDB_EXIT_PRESSED}},
};

// A picture as 0x00RRGGBB pixels, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

// Copies WIDTH x HEIGHT pixels at X, Y of SOURCE.
Picture CopyPixels(HDC source, int x, int y, int width, int height) {
    Picture picture;
    if (width <= 0 || height <= 0)
        return picture;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const ScopedBitmap target(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const ScopedDC memory(CreateCompatibleDC(nullptr));
    if (!target || !memory)
        return picture;
    const ScopedSelect selected(memory.Get(), target.Get());
    if (!BitBlt(memory.Get(), 0, 0, width, height, source, x, y, SRCCOPY))
        return picture;
    GdiFlush();
    const auto* first = static_cast<const uint32_t*>(bits);
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(first, first + static_cast<size_t>(width) * height);
    for (uint32_t& pixel : picture.pixels)
        pixel &= 0xFFFFFF;
    return picture;
}

Picture LoadPicture(HMODULE program, int id) {
    const ScopedBitmap bitmap(static_cast<HBITMAP>(
        LoadImageW(program, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP size{};
    if (!bitmap || GetObjectW(bitmap.Get(), sizeof size, &size) == 0)
        return {};
    const ScopedDC memory(CreateCompatibleDC(nullptr));
    if (!memory)
        return {};
    const ScopedSelect selected(memory.Get(), bitmap.Get());
    return CopyPixels(memory.Get(), 0, 0, size.bmWidth, size.bmHeight);
}

// The share of the pixels of IMAGE that SHOWN holds at the same places, leaving out the
// rectangles in SKIP (the buttons over a background).
double Likeness(const Picture& shown, const Picture& image, const std::vector<RECT>& skip) {
    if (image.width != shown.width || image.height != shown.height || image.pixels.empty())
        return 0.0;
    size_t compared = 0;
    size_t same = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const POINT point{x, y};
            if (std::any_of(skip.begin(), skip.end(),
                            [&](const RECT& rect) { return PtInRect(&rect, point) != 0; }))
                continue;
            const size_t at = static_cast<size_t>(y) * image.width + x;
            ++compared;
            same += shown.pixels[at] == image.pixels[at] ? 1 : 0;
        }
    }
    return compared == 0 ? 0.0 : static_cast<double>(same) / static_cast<double>(compared);
}

// The name of the images that SHOWN is, or "unknown". The window's shape cuts its corners
// away, so a few pixels may show what lies behind it.
template <size_t N>
const wchar_t* Recognise(HMODULE program, const Picture& shown, const NamedImages (&candidates)[N],
                         const std::vector<RECT>& skip) {
    constexpr double kEnough = 0.95;
    for (const NamedImages& candidate : candidates) {
        for (int id : candidate.ids) {
            if (id != 0 && Likeness(shown, LoadPicture(program, id), skip) >= kEnough)
                return candidate.name;
        }
    }
    return L"unknown";
}

BOOL CALLBACK CollectChild(HWND child, LPARAM found) noexcept {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
    return TRUE;
}

int Notice(const wchar_t* programPath) {
    HWND dialog = nullptr;
    EnumWindows(FindTopDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr)
        return 1;
    HMODULE program = LoadLibraryExW(programPath, nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (program == nullptr)
        return 2;
    std::vector<HWND> children;
    EnumChildWindows(dialog, CollectChild, reinterpret_cast<LPARAM>(&children));
    std::sort(children.begin(), children.end(),
              [dialog](HWND a, HWND b) { return RectIn(a, dialog).left < RectIn(b, dialog).left; });
    // Read from the screen: what a person sees, whichever process painted it.
    const ScopedWindowDC screen(nullptr);
    RECT window{};
    GetWindowRect(dialog, &window);
    std::vector<RECT> buttons;
    std::wstring lines;
    for (HWND child : children) {
        const RECT rect = RectIn(child, dialog);
        buttons.push_back(rect);
        RECT onScreen{};
        GetWindowRect(child, &onScreen);
        const Picture shown =
            CopyPixels(screen.Get(), onScreen.left, onScreen.top, onScreen.right - onScreen.left,
                       onScreen.bottom - onScreen.top);
        lines += L"button " + std::to_wstring(rect.left) + L" " + std::to_wstring(rect.top) + L" " +
                 std::to_wstring(rect.right - rect.left) + L" " +
                 std::to_wstring(rect.bottom - rect.top) + L" " +
                 Recognise(program, shown, kButtonImages, {}) + L"\n";
    }
    const Picture background = CopyPixels(screen.Get(), window.left, window.top,
                                          window.right - window.left, window.bottom - window.top);
    PrintUtf8(L"notice " +
              std::wstring(Recognise(program, background, kNoticeBackgrounds, buttons)) + L"\n" +
              lines);
    FreeLibrary(program);
    return 0;
}

long long Number(const wchar_t* text) {
    return std::wcstoll(text, nullptr, 0);
}

// What a person feels as a frozen window: a message that waits long for its answer.
int Responsive(HWND top, long long seconds, long long limitMs) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
    ULONGLONG longest = 0;
    unsigned messages = 0;
    while (GetTickCount64() < end) {
        const ULONGLONG sent = GetTickCount64();
        DWORD_PTR result = 0;
        // Waits past the limit, so that the length of a long wait is seen, not cut.
        if (!SendMessageTimeoutW(top, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result)) {
            std::printf("no answer within 10 s after %u messages\n", messages);
            return 1;
        }
        const ULONGLONG waited = GetTickCount64() - sent;
        longest = waited > longest ? waited : longest;
        ++messages;
        Sleep(50);
    }
    std::printf("%u messages, longest wait %llu ms\n", messages, longest);
    return longest > static_cast<ULONGLONG>(limitMs) ? 1 : 0;
}

int Above(HWND top, const wchar_t* otherTitle) {
    HWND other = FindTop(otherTitle);
    if (top == nullptr || other == nullptr)
        return 2;
    for (HWND below = GetWindow(top, GW_HWNDNEXT); below != nullptr;
         below = GetWindow(below, GW_HWNDNEXT)) {
        if (below == other)
            return 0;
    }
    return 1;
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    switch (msg) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, msg, wParam, lParam);
    }
}

// Another program's window for tests of the stacking order. It never takes activation, so a
// click on it changes nothing but what the program under test does.
int ShowPlainWindow(const wchar_t* title, wchar_t** rect, const wchar_t* seconds) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = PlainWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = L"OrvaProbePlainWindow";
    if (RegisterClassW(&windowClass) == 0)
        return 1;
    HWND window = CreateWindowExW(
        WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, windowClass.lpszClassName, title, WS_POPUP,
        static_cast<int>(Number(rect[0])), static_cast<int>(Number(rect[1])),
        static_cast<int>(Number(rect[2])), static_cast<int>(Number(rect[3])), nullptr, nullptr,
        windowClass.hInstance, nullptr);
    if (window == nullptr)
        return 1;
    ShowWindow(window, SW_SHOWNOACTIVATE);
    SetTimer(window, 1, static_cast<UINT>(_wtof(seconds) * 1000.0), nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == window) {
            DestroyWindow(window);
            continue;
        }
        DispatchMessageW(&msg);
    }
    return 0;
}

int Run(int argc, wchar_t** argv) {
    if (argc < 2)
        return 2;
    const std::wstring command = argv[1];
    if (command == L"top-dialog")
        return TopDialog();
    if (argc < 3)
        return 2;
    const wchar_t* title = argv[2];
    if (command == L"wait")
        return argc == 4 ? Wait(title, argv[3]) : 2;
    if (command == L"window")
        return argc == 8 ? ShowPlainWindow(title, argv + 3, argv[7]) : 2;
    if (command == L"notice")
        return Notice(argv[2]);
    if (command == L"layout")
        return PrintLayout(argv[2], argc > 3 ? argv[3] : nullptr);

    HWND top = FindTop(title);
    if (command == L"find")
        return top != nullptr ? Find(top) : 1;
    if (command == L"visible")
        return top != nullptr && IsWindowVisible(top) ? 0 : 1;
    if (command == L"state")
        return top != nullptr ? State(top) : 1;
    if (command == L"above")
        return argc == 4 ? Above(top, argv[3]) : 2;
    if (command == L"origin") {
        POINT origin{0, 0};
        if (top == nullptr || !ClientToScreen(top, &origin))
            return 1;
        std::printf("%ld %ld\n", origin.x, origin.y);
        return 0;
    }
    if (command == L"list")
        return top != nullptr ? List(top) : 1;
    if (command == L"close")
        return top != nullptr && PostMessageW(top, WM_CLOSE, 0, 0) ? 0 : 1;
    if (command == L"responsive") {
        if (argc != 5)
            return 2;
        return top != nullptr ? Responsive(top, Number(argv[3]), Number(argv[4])) : 1;
    }
    if (command == L"post") {
        if (argc != 6)
            return 2;
        return top != nullptr && PostMessageW(top, static_cast<UINT>(Number(argv[3])),
                                              static_cast<WPARAM>(Number(argv[4])),
                                              static_cast<LPARAM>(Number(argv[5])))
                   ? 0
                   : 1;
    }

    // The commands about one control: TITLE ID [PARENT_ID | INDEX].
    if (argc < 4 || argc > 5)
        return 2;
    if (top == nullptr)
        return 1;
    const int id = static_cast<int>(Number(argv[3]));
    if (command == L"lbtext") {
        HWND control = argc == 5 ? FindControl(top, id, nullptr) : nullptr;
        return control != nullptr ? ListBoxText(control, argv[4]) : (argc == 5 ? 1 : 2);
    }
    HWND control = FindControl(top, id, argc == 5 ? argv[4] : nullptr);
    if (control == nullptr)
        return 1;
    if (command == L"ctl")
        return Control(control, top);
    if (command == L"center")
        return Center(control, top, false);
    if (command == L"screenpos")
        return Center(control, top, true);
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int code = IsServe(argc, argv) ? Serve(Run) : Run(argc, argv);
    std::fflush(stdout);
    return code;
}
