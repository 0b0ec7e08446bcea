// The reference of the start-up benchmark: the least Win32 dialog program there is, an
// 800 x 600 modal dialog from an in-memory template titled as given on the command line.

#include <windows.h>

#include <cstring>
#include <vector>

namespace {

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) {
                EndDialog(hwnd, 0);
            }
            return TRUE;
        case WM_CLOSE:
            EndDialog(hwnd, 0);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    const wchar_t* title = (commandLine != nullptr && *commandLine != 0) ? commandLine : L"Bare";
    // DLGTEMPLATE, then menu, class and title as UTF-16 strings, word-aligned.
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* tmpl = reinterpret_cast<DLGTEMPLATE*>(words.data());
    tmpl->style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_CENTER;
    tmpl->cdit = 0;
    tmpl->cx = 533;  // about 800 x 600 pixels at the default dialog units
    tmpl->cy = 369;
    words.push_back(0);  // no menu
    words.push_back(0);  // the dialog class
    for (const wchar_t* c = title; *c != 0; ++c) {
        words.push_back(static_cast<WORD>(*c));
    }
    words.push_back(0);
    tmpl = reinterpret_cast<DLGTEMPLATE*>(words.data());
    DialogBoxIndirectParamW(instance, tmpl, nullptr, DialogProc, 0);
    return 0;
}
