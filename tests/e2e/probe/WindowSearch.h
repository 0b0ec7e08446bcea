#pragma once
// What the end-to-end tools that read another program's windows share: UTF-8 output, the
// top-level window of a title, and a window's descendants in breadth-first order.

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <deque>
#include <string>
#include <vector>

inline void PrintUtf8(const std::wstring& text) {
    if (text.empty())
        return;
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

struct FoundTop {
    const wchar_t* title;
    HWND window;
};

inline BOOL CALLBACK MatchTitle(HWND window, LPARAM param) noexcept {
    auto* found = reinterpret_cast<FoundTop*>(param);
    wchar_t title[512] = {};
    GetWindowTextW(window, title, 512);
    if (std::wcscmp(title, found->title) != 0)
        return TRUE;
    // A visible window of that title wins over a hidden one.
    if (found->window == nullptr || IsWindowVisible(window))
        found->window = window;
    return IsWindowVisible(window) ? FALSE : TRUE;
}

// The top-level window of that title, a visible one first.
inline HWND FindTop(const wchar_t* title) {
    FoundTop found{title, nullptr};
    EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&found));
    return found.window;
}

// The window's own controls before those of its child pages.
inline std::vector<HWND> DescendantsBreadthFirst(HWND root) {
    std::vector<HWND> all;
    std::deque<HWND> pending{root};
    while (!pending.empty()) {
        HWND parent = pending.front();
        pending.pop_front();
        for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            all.push_back(child);
            pending.push_back(child);
        }
    }
    return all;
}
