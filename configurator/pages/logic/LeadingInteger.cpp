#include "pages/logic/LeadingInteger.h"

#include <cstdint>
#include <limits>

int32_t LeadingInteger(std::wstring_view text) {
    size_t at = 0;
    while (at < text.size() && (text[at] == L' ' || (text[at] >= L'\t' && text[at] <= L'\r'))) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) {
        negative = text[at] == L'-';
        ++at;
    }
    // Accumulated as a magnitude wide enough to notice leaving the 32-bit range.
    int64_t magnitude = 0;
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at) {
        magnitude = magnitude * 10 + (text[at] - L'0');
        if (magnitude > kLimit) {
            magnitude = kLimit;
        }
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    return static_cast<int32_t>(value);
}
