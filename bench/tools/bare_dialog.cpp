// The reference of the start-up benchmark: the least Win32 dialog program there is, an
// 800 x 600 modal dialog from an in-memory template titled as given on the command line.

#include "BareDialog.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    const wchar_t* title = (commandLine != nullptr && *commandLine != 0) ? commandLine : L"Bare";
    std::vector<WORD> tmpl = MainTemplate(title);
    DialogBoxIndirectParamW(instance, reinterpret_cast<DLGTEMPLATE*>(tmpl.data()), nullptr,
                            BareDialogProc, 0);
    return 0;
}
