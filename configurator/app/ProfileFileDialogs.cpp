#include "app/ProfileFileDialogs.h"

#include <commdlg.h>

#include <vector>

#include "app/logic/AppTexts.h"

namespace {

std::wstring Wide(const char16_t* text) {
    std::u16string s(text);
    return std::wstring(s.begin(), s.end());
}

// "Orva Mouse Profile(*.profile)" NUL "*.profile" NUL NUL
std::wstring Filter() {
    std::wstring filter = Wide(kProfileFilterName);
    filter.push_back(L'\0');
    filter += Wide(kProfileFilterPattern);
    filter.push_back(L'\0');
    filter.push_back(L'\0');
    return filter;
}

std::optional<std::wstring> Ask(HWND owner, const std::wstring& proposal, bool save) noexcept {
    std::vector<wchar_t> buffer(32768, L'\0');
    proposal.copy(buffer.data(), std::min(proposal.size(), buffer.size() - 1));
    const std::wstring filter = Filter();
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    // The working folder stays where it was; an existing file is not overwritten unasked.
    ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER |
                (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    const BOOL chosen = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!chosen) {
        return std::nullopt;
    }
    return std::wstring(buffer.data());
}

}  // namespace

std::optional<std::wstring> AskExportPath(HWND owner, const std::wstring& proposal) noexcept {
    return Ask(owner, proposal, true);
}

std::optional<std::wstring> AskImportPath(HWND owner, const std::wstring& proposal) noexcept {
    return Ask(owner, proposal, false);
}
