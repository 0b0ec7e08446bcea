#pragma once
// The common save and open dialogs of profile export and import.

#include <windows.h>

#include <optional>
#include <string>

// The path the user chose, or none when the dialog was cancelled. `proposal` is the initial
// file name (a full path). No default extension: a name typed without one is kept as typed.
std::optional<std::wstring> AskExportPath(HWND owner, const std::wstring& proposal) noexcept;
std::optional<std::wstring> AskImportPath(HWND owner, const std::wstring& proposal) noexcept;
