// The "serve" mode of the test clients (orva-probe, orva-access-client): commands read from
// stdin, one a line, each answered as its own run of the program would answer it. A test keeps
// one client serving, so that a query costs no start of a Wine process, which takes a second or
// more on a busy machine while the tests poll.
//
// A line holds a tag, then the arguments, separated by tabs. The answer is a line "\x1d" TAG,
// the command's output, and a line "\x1e" TAG " " EXIT_CODE. The tag lets a caller that stopped
// reading early (a pipe closed by `grep -q`) leave nothing the next caller would take as its own.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "WindowSearch.h"

inline bool IsServe(int argc, wchar_t** argv) {
    return argc == 2 && std::wcscmp(argv[1], L"serve") == 0;
}

inline std::wstring WidenUtf8(const std::string& bytes) {
    if (bytes.empty())
        return {};
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                        size);
    return text;
}

// One line of stdin without its line end; false at the end of the input.
inline bool ReadCommandLine(std::string& line) {
    line.clear();
    int c = 0;
    while ((c = std::getchar()) != EOF && c != '\n')
        line.push_back(static_cast<char>(c));
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return c != EOF || !line.empty();
}

// Runs each command line through RUN (argc, argv as wmain gets them) until the input ends.
inline int Serve(int (*run)(int, wchar_t**)) {
    std::string line;
    while (ReadCommandLine(line)) {
        // n tabs make n + 1 fields, so an empty last argument stays an argument.
        std::vector<std::wstring> fields;
        size_t start = 0;
        for (size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', start)) {
            fields.push_back(WidenUtf8(line.substr(start, tab - start)));
            start = tab + 1;
        }
        fields.push_back(WidenUtf8(line.substr(start)));
        const std::wstring tag = fields.front();
        fields.front() = L"client";
        std::vector<wchar_t*> argv;
        for (std::wstring& field : fields)
            argv.push_back(field.data());
        PrintUtf8(L"\x1d" + tag + L"\n");
        const int argc = static_cast<int>(argv.size());
        const int code = argc >= 2 && !IsServe(argc, argv.data()) ? run(argc, argv.data()) : 2;
        std::fflush(stdout);
        PrintUtf8(L"\x1e" + tag + L" " + std::to_wstring(code) + L"\n");
    }
    return 0;
}
