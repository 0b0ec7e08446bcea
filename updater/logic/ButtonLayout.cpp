#include "logic/ButtonLayout.h"

#include <algorithm>
#include <limits>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// One decimal integer with optional leading blanks and sign, clamped to 32 bits.
bool ReadInt(std::string_view text, size_t& at, int64_t& value) {
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    const size_t digitsStart = at;
    int64_t magnitude = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        magnitude = std::min<int64_t>(magnitude * 10 + (text[at] - '0'), int64_t{1} << 32);
        ++at;
    }
    if (at == digitsStart)
        return false;
    value =
        std::clamp<int64_t>(negative ? -magnitude : magnitude, std::numeric_limits<int32_t>::min(),
                            std::numeric_limits<int32_t>::max());
    return true;
}

int32_t Clamp32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

}  // namespace

bool ButtonLayout::Parse(std::string_view layout, ButtonLayout& result) {
    result = ButtonLayout{};
    const size_t firstComma = layout.find(',');
    result.name = std::string(layout.substr(0, std::min(firstComma, kMaxName)));
    if (firstComma == std::string_view::npos)
        return false;
    const std::string_view rest = layout.substr(firstComma + 1);

    result.latched = rest.find("TRUE") != std::string_view::npos;

    // The text field: cut the rest at its last comma, then take what follows the comma
    // before that.
    std::string_view cut = rest.substr(0, rest.rfind(','));
    const size_t textComma = cut.rfind(',');
    std::string_view text = textComma == std::string_view::npos ? cut : cut.substr(textComma + 1);
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    result.text = std::string(text.substr(0, kMaxText));

    int64_t numbers[4] = {};
    size_t at = 0;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (at >= rest.size() || rest[at] != ',')
                return false;
            ++at;
        }
        if (!ReadInt(rest, at, numbers[i]))
            return false;
    }
    result.left = Clamp32(numbers[0]);
    result.top = Clamp32(numbers[1]);
    result.right = Clamp32(numbers[0] + numbers[2]);
    result.bottom = Clamp32(numbers[1] + numbers[3]);
    return true;
}
