// orva-access-client: a screen reader's view of a running program, for the end-to-end tests. It
// asks each control for its accessible object (AccessibleObjectFromWindow, as readers do) from
// another process in the same Wine prefix. Output is UTF-8; exit 0 on success, 1 when the window,
// control or object is not there, 2 on a usage error.
//
//   controls TITLE          one line per control of the window and its pages, tab separated:
//                           id, parent id (0: the window itself), visible (0/1), role, state
//                           (hex), default action, name, value
//   items TITLE ID [PARENT] the items of a list: role, state (hex), default action, name
//   menu                    the items of the open popup menu (the top-level window "menu")
//   do TITLE ID [PARENT]    the control's default action (accDoDefaultAction)
//   do-menu INDEX           the default action of item INDEX (from 0) of the open menu
//   focus TITLE             "ID PARENT" of the control with the keyboard focus, when its object
//                           says it is focused (exit 1 otherwise)
//   watch-focus SECONDS     prints "ID PARENT CHILD" for every focus event the readers hear
//                           (EVENT_OBJECT_FOCUS) during SECONDS, as they come
//   serve                   answers commands from stdin, one a line (CommandServer.h)

#include <initguid.h>
#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <cwchar>
#include <deque>
#include <string>
#include <vector>

#include "CommandServer.h"
#include "WindowSearch.h"

namespace {

// Tabs and line breaks would split the one-line answers.
std::wstring OneField(std::wstring text) {
    for (wchar_t& c : text) {
        if (c == L'\t' || c == L'\r' || c == L'\n') {
            c = L' ';
        }
    }
    return text;
}

std::wstring Hex(long value) {
    wchar_t buffer[16];
    std::swprintf(buffer, 16, L"0x%lx", static_cast<unsigned long>(value));
    return buffer;
}

// A reference to a COM object, released when it goes.
template <typename T>
class Ref {
  public:
    Ref() = default;
    ~Ref() {
        if (p_ != nullptr) {
            p_->Release();
        }
    }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    T** Out() { return &p_; }
    void** OutVoid() { return reinterpret_cast<void**>(&p_); }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

  private:
    T* p_ = nullptr;
};

VARIANT ChildId(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::wstring TakeText(BSTR text) {
    std::wstring out = text != nullptr ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return out;
}

struct Answer {
    long role = 0;
    long state = 0;
    std::wstring name;
    std::wstring value;
    std::wstring action;
};

bool Ask(IAccessible* object, long child, Answer& answer) {
    const VARIANT id = ChildId(child);
    VARIANT v;
    VariantInit(&v);
    if (FAILED(object->get_accRole(id, &v)) || v.vt != VT_I4) {
        return false;
    }
    answer.role = v.lVal;
    VariantInit(&v);
    if (FAILED(object->get_accState(id, &v)) || v.vt != VT_I4) {
        return false;
    }
    answer.state = v.lVal;
    BSTR text = nullptr;
    if (SUCCEEDED(object->get_accName(id, &text))) {
        answer.name = TakeText(text);
    }
    text = nullptr;
    if (SUCCEEDED(object->get_accValue(id, &text))) {
        answer.value = TakeText(text);
    }
    text = nullptr;
    if (SUCCEEDED(object->get_accDefaultAction(id, &text))) {
        answer.action = TakeText(text);
    }
    return true;
}

bool ObjectOf(HWND window, Ref<IAccessible>& object) {
    return SUCCEEDED(
        AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, object.OutVoid()));
}

int ParentId(HWND control, HWND top) {
    HWND parent = GetParent(control);
    return parent == top ? 0 : GetDlgCtrlID(parent);
}

HWND FindControl(HWND top, int id, int parentId) {
    for (HWND window : DescendantsBreadthFirst(top)) {
        if (GetDlgCtrlID(window) == id && (parentId < 0 || ParentId(window, top) == parentId)) {
            return window;
        }
    }
    return nullptr;
}

int Controls(HWND top) {
    for (HWND window : DescendantsBreadthFirst(top)) {
        Ref<IAccessible> object;
        Answer answer;
        if (!ObjectOf(window, object) || !Ask(object.operator->(), CHILDID_SELF, answer)) {
            continue;
        }
        std::wstring line =
            std::to_wstring(GetDlgCtrlID(window)) + L"\t" + std::to_wstring(ParentId(window, top)) +
            L"\t" + (IsWindowVisible(window) ? L"1" : L"0") + L"\t" + std::to_wstring(answer.role) +
            L"\t" + Hex(answer.state) + L"\t" + OneField(answer.action) + L"\t" +
            OneField(answer.name) + L"\t" + OneField(answer.value) + L"\n";
        PrintUtf8(line);
    }
    return 0;
}

int Items(HWND control) {
    Ref<IAccessible> object;
    long count = 0;
    if (control == nullptr || !ObjectOf(control, object) ||
        FAILED(object->get_accChildCount(&count))) {
        return 1;
    }
    for (long child = 1; child <= count; ++child) {
        Answer answer;
        if (!Ask(object.operator->(), child, answer)) {
            return 1;
        }
        PrintUtf8(std::to_wstring(answer.role) + L"\t" + Hex(answer.state) + L"\t" +
                  OneField(answer.action) + L"\t" + OneField(answer.name) + L"\n");
    }
    return 0;
}

int DoDefault(HWND control, long child) {
    Ref<IAccessible> object;
    if (control == nullptr || !ObjectOf(control, object)) {
        return 1;
    }
    return SUCCEEDED(object->accDoDefaultAction(ChildId(child))) ? 0 : 1;
}

// The first level of the open popup menu: the visible menu window whose items none shows open.
HWND OpenMenu() {
    HWND found = nullptr;
    for (HWND window = FindWindowExW(nullptr, nullptr, nullptr, L"menu"); window != nullptr;
         window = FindWindowExW(nullptr, window, nullptr, L"menu")) {
        if (IsWindowVisible(window)) {
            RECT rect{};
            GetWindowRect(window, &rect);
            RECT best{};
            if (found != nullptr) {
                GetWindowRect(found, &best);
            }
            // Sub-menus open to the right of their parent: the leftmost level is the first.
            if (found == nullptr || rect.left < best.left) {
                found = window;
            }
        }
    }
    return found;
}

int Focus(HWND top) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info) ||
        info.hwndFocus == nullptr || info.hwndFocus == top) {
        return 1;
    }
    Ref<IAccessible> object;
    Answer answer;
    if (!ObjectOf(info.hwndFocus, object) || !Ask(object.operator->(), CHILDID_SELF, answer) ||
        (answer.state & STATE_SYSTEM_FOCUSED) == 0) {
        return 1;
    }
    std::printf("%d %d\n", GetDlgCtrlID(info.hwndFocus), ParentId(info.hwndFocus, top));
    return 0;
}

void CALLBACK OnFocusEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                           DWORD) noexcept {
    if (window == nullptr || object != OBJID_CLIENT) {
        return;
    }
    HWND top = GetAncestor(window, GA_ROOT);
    std::printf("%d %d %ld\n", window == top ? 0 : GetDlgCtrlID(window),
                window == top ? 0 : ParentId(window, top), static_cast<long>(child));
    std::fflush(stdout);
}

int WatchFocus(double seconds) {
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr,
                                         OnFocusEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
    if (hook == nullptr) {
        return 1;
    }
    std::printf("watching\n");
    std::fflush(stdout);
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000.0);
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        }
    }
    UnhookWinEvent(hook);
    return 0;
}

int Run(int argc, wchar_t** argv) {
    if (argc < 2) {
        return 2;
    }
    const std::wstring command = argv[1];
    if (command == L"menu") {
        return Items(OpenMenu());
    }
    if (command == L"do-menu") {
        return argc == 3 ? DoDefault(OpenMenu(), std::wcstol(argv[2], nullptr, 10) + 1) : 2;
    }
    if (command == L"watch-focus") {
        return argc == 3 ? WatchFocus(_wtof(argv[2])) : 2;
    }
    if (argc < 3) {
        return 2;
    }
    HWND top = FindTop(argv[2]);
    if (top == nullptr) {
        return 1;
    }
    if (command == L"controls") {
        return Controls(top);
    }
    if (command == L"focus") {
        return Focus(top);
    }
    if (argc < 4) {
        return 2;
    }
    const int id = static_cast<int>(std::wcstol(argv[3], nullptr, 0));
    const int parent = argc >= 5 ? static_cast<int>(std::wcstol(argv[4], nullptr, 0)) : -1;
    if (command == L"items") {
        return Items(FindControl(top, id, parent));
    }
    if (command == L"do") {
        return DoDefault(FindControl(top, id, parent), CHILDID_SELF);
    }
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const int result = IsServe(argc, argv) ? Serve(Run) : Run(argc, argv);
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return result;
}
