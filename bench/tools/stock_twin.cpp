// The fairer reference of the configurator's benchmarks: a plain Win32 program with the same
// window tree made of standard controls and no skin. An 800 x 600 dialog titled as given on the
// command line holds as many controls as the configurator's main window (page buttons 1000-1004,
// profile buttons 1007-1011, Apply 1042, Cancel 1044) and five child dialogs, its pages, with as
// many windows as each of the configurator's pages: buttons, check boxes, track bars, list boxes.
// A page button shows its page; a profile button puts new values into every page's controls, as
// the configurator shows a profile on every page. `orva-benchtool tree` prints both trees.

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>
#include <vector>

#include "BareDialog.h"

namespace {

struct PageShape {
    int id;
    int buttons;
    int checks;
    int trackBars;
    int lists;
    int statics;
};

// The configurator's pages by their dialog ids, as the benchmark's tree of it shows them.
constexpr std::array<PageShape, 5> kPages = {{
    {129, 14, 7, 3, 0, 0},  // buttons: slots, markers, rate boxes, wheel and acceleration
    {130, 4, 4, 2, 0, 0},   // performance: steps, separate X/Y, lift, sliders
    {131, 28, 7, 0, 0, 2},  // lighting: modes, palette, markers, zones, swatch and tip
    {132, 5, 0, 0, 2,
     2},  // macros: buttons, the list and the editor; statics for their scroll bars
    {133, 4, 0, 0, 0, 1},  // support: buttons and the version
}};
constexpr int kMainControls = 22;
constexpr int kFirstPageButton = 1000;
constexpr int kFirstProfileButton = 1007;
constexpr int kApply = 1042;
constexpr int kCancel = 1044;

std::array<HWND, kPages.size()> pages{};
int shownPage = 0;

HWND Control(HWND parent, const wchar_t* kind, DWORD style, int id, int index) {
    const int x = 10 + (index % 6) * 120;
    const int y = 10 + (index / 6) * 30;
    return CreateWindowExW(0, kind, std::to_wstring(id).c_str(), WS_CHILD | WS_VISIBLE | style, x,
                           y, 110, 24, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           nullptr, nullptr);
}

INT_PTR CALLBACK PageProc(HWND, UINT msg, WPARAM, LPARAM) {
    return msg == WM_INITDIALOG ? TRUE : FALSE;
}

void FillPage(HWND page, const PageShape& shape) {
    int index = 0;
    int id = 2000;
    for (int i = 0; i < shape.buttons; ++i) {
        Control(page, L"BUTTON", BS_PUSHBUTTON, id++, index++);
    }
    for (int i = 0; i < shape.checks; ++i) {
        Control(page, L"BUTTON", BS_AUTOCHECKBOX, id++, index++);
    }
    for (int i = 0; i < shape.trackBars; ++i) {
        HWND bar = Control(page, TRACKBAR_CLASSW, TBS_HORZ, id++, index++);
        SendMessageW(bar, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    }
    for (int i = 0; i < shape.lists; ++i) {
        HWND list = Control(page, L"LISTBOX", WS_BORDER, id++, index++);
        for (int row = 0; row < 12; ++row) {
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Macro"));
        }
    }
    for (int i = 0; i < shape.statics; ++i) {
        Control(page, L"STATIC", SS_LEFT, id++, index++);
    }
}

// The values of profile `profile` on every page, as a profile switch shows them.
BOOL CALLBACK ShowProfileValue(HWND control, LPARAM profile) {
    wchar_t kind[32] = {};
    GetClassNameW(control, kind, 32);
    const std::wstring name = kind;
    if (name == TRACKBAR_CLASSW) {
        SendMessageW(control, TBM_SETPOS, TRUE, 10 + 15 * profile);
    } else if (name == L"Button" || name == L"BUTTON") {
        if ((GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX) {
            SendMessageW(control, BM_SETCHECK, (profile + GetDlgCtrlID(control)) % 2, 0);
        }
    }
    return TRUE;
}

void OnCommand(HWND hwnd, int id) {
    if (id >= kFirstPageButton && id < kFirstPageButton + static_cast<int>(pages.size())) {
        ShowWindow(pages[shownPage], SW_HIDE);
        shownPage = id - kFirstPageButton;
        ShowWindow(pages[shownPage], SW_SHOW);
    } else if (id >= kFirstProfileButton &&
               id < kFirstProfileButton + static_cast<int>(pages.size())) {
        for (HWND page : pages) {
            EnumChildWindows(page, ShowProfileValue, id - kFirstProfileButton);
        }
    } else if (id == IDCANCEL || id == kCancel) {
        EndDialog(hwnd, 0);
    }
}

void OnInitDialog(HWND hwnd) {
    int index = 0;
    auto button = [&](int id) { Control(hwnd, L"BUTTON", BS_PUSHBUTTON, id, index++); };
    for (int i = 0; i < 5; ++i) {
        button(kFirstPageButton + i);
        button(kFirstProfileButton + i);
    }
    button(kApply);
    button(kCancel);
    while (index < kMainControls) {
        Control(hwnd, L"STATIC", SS_LEFT, 3000 + index, index);
        ++index;
    }
    for (size_t i = 0; i < kPages.size(); ++i) {
        std::vector<WORD> tmpl = EmptyTemplate(WS_CHILD | DS_CONTROL, 500, 300, L"");
        pages[i] = CreateDialogIndirectParamW(nullptr, reinterpret_cast<DLGTEMPLATE*>(tmpl.data()),
                                              hwnd, PageProc, 0);
        SetWindowLongPtrW(pages[i], GWLP_ID, kPages[i].id);
        SetWindowPos(pages[i], nullptr, 20, 140, 760, 420, SWP_NOZORDER);
        FillPage(pages[i], kPages[i]);
    }
    ShowWindow(pages[0], SW_SHOW);
}

INT_PTR CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            OnInitDialog(hwnd);
            return TRUE;
        case WM_COMMAND:
            OnCommand(hwnd, LOWORD(wParam));
            return TRUE;
        default:
            return BareDialogProc(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    const wchar_t* title = (commandLine != nullptr && *commandLine != 0) ? commandLine : L"Twin";
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    std::vector<WORD> tmpl = MainTemplate(title);
    DialogBoxIndirectParamW(instance, reinterpret_cast<DLGTEMPLATE*>(tmpl.data()), nullptr,
                            MainProc, 0);
    return 0;
}
