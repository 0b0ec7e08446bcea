#pragma once
// What the benchmark's reference programs share: an in-memory dialog template with no controls,
// and the plain handling of a modal dialog that closes on OK, Cancel or its close box.

#include <windows.h>

#include <vector>

// DLGTEMPLATE, then menu, class and title as UTF-16 strings, word-aligned.
inline std::vector<WORD> EmptyTemplate(DWORD style, short cx, short cy, const wchar_t* title) {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* tmpl = reinterpret_cast<DLGTEMPLATE*>(words.data());
    tmpl->style = style;
    tmpl->cx = cx;
    tmpl->cy = cy;
    words.push_back(0);  // no menu
    words.push_back(0);  // the dialog class
    for (const wchar_t* c = title; *c != 0; ++c) {
        words.push_back(static_cast<WORD>(*c));
    }
    words.push_back(0);
    return words;
}

// The top-level window of both programs: about 800 x 600 pixels at the default dialog units.
inline std::vector<WORD> MainTemplate(const wchar_t* title) {
    return EmptyTemplate(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_CENTER, 533, 369,
                         title);
}

inline INT_PTR CALLBACK BareDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
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
