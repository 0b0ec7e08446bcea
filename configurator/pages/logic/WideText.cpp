#include "pages/logic/WideText.h"

std::wstring WideFromUtf16(const std::u16string& text) {
    std::wstring wide;
    wide.reserve(text.size());
    if constexpr (sizeof(wchar_t) == sizeof(char16_t)) {
        for (char16_t unit : text) {
            wide.push_back(static_cast<wchar_t>(unit));
        }
        return wide;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t unit = text[i];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            unit = 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            unit = 0xFFFD;  // an unpaired surrogate
        }
        wide.push_back(static_cast<wchar_t>(unit));
    }
    return wide;
}
