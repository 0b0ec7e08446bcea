#include "pages/logic/SupportRules.h"

#include <cwchar>

#include "pages/logic/LeadingInteger.h"

std::wstring FirmwareVersionText(std::optional<int32_t> version) {
    if (!version) {
        return L"-.--";
    }
    if (*version < 100 || *version > 200) {
        return L"0.00";
    }
    wchar_t text[16] = {};
    std::swprintf(text, sizeof(text) / sizeof(text[0]), L"%.2f", *version / 100.0);
    return text;
}

std::wstring UpdaterArgument(std::wstring_view packageVersionValue, int32_t mouseVersion) {
    const int32_t package = LeadingInteger(packageVersionValue);
    if (package == mouseVersion) {
        return L"3";
    }
    return package > mouseVersion ? L"1" : L"0";
}
