// Stands in for a program the configurator starts (the firmware updater, a browser): writes its
// arguments as one line into "arguments.txt" beside itself and ends.

#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring file = path;
    file = file.substr(0, file.find_last_of(L'\\') + 1) + L"arguments.txt";
    FILE* out = _wfopen(file.c_str(), L"a");
    if (out == nullptr) {
        return 1;
    }
    for (int i = 1; i < argc; ++i) {
        std::fwprintf(out, i > 1 ? L" %ls" : L"%ls", argv[i]);
    }
    std::fwprintf(out, L"\n");
    std::fclose(out);
    return 0;
}
