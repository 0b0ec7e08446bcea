#include "macros/MacroNaming.h"

#include <algorithm>
#include <array>
#include <set>

namespace {

constexpr uint32_t kLowestFreshId = 15;

bool IsBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}
bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Decimal digits without leading zeros ("0" for none) plus one.
std::u16string Increment(std::u16string digits) {
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != u'9') {
            ++digits[i];
            return digits;
        }
        digits[i] = u'0';
    }
    return u"1" + digits;
}

// Decimal digits without leading zeros, at least one digit, minus one.
std::u16string Decrement(std::u16string digits) {
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != u'0') {
            --digits[i];
            break;
        }
        digits[i] = u'9';
    }
    const size_t first = digits.find_first_not_of(u'0');
    return first == std::u16string::npos ? u"0" : digits.substr(first);
}

// The number of a "(n)" suffix plus one, as decimal text. Read like the C runtime's conversion
// (blanks, a sign, digits) but exactly, so that no length of digits can make the rule repeat a
// candidate and loop.
std::u16string NextNumber(const std::u16string& text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    size_t end = i;
    while (end < text.size() && IsDigit(text[end]))
        ++end;
    std::u16string digits = text.substr(i, end - i);
    const size_t first = digits.find_first_not_of(u'0');
    digits = first == std::u16string::npos ? u"0" : digits.substr(first);
    if (!negative || digits == u"0")
        return Increment(digits);
    const std::u16string magnitude = Decrement(digits);  // -n + 1 = -(n - 1)
    return magnitude == u"0" ? magnitude : u"-" + magnitude;
}

bool IsForbiddenUnit(char16_t c) {
    return c < 0x20 || c == 0x7F || c == u'\\' || c == u'/' || c == u':' || c == u'*' ||
           c == u'?' || c == u'"' || c == u'<' || c == u'>' || c == u'|';
}

char16_t Upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
}

}  // namespace

int32_t FreshMacroId(std::span<const int32_t> ids) {
    uint32_t largest = kLowestFreshId;
    for (int32_t id : ids)
        largest = std::max(largest, static_cast<uint32_t>(id));
    if (largest != UINT32_MAX)
        return static_cast<int32_t>(largest + 1);
    // Only a crafted file holds id -1; id 0 would mean "no macro" to the list.
    const std::set<uint32_t> used(ids.begin(), ids.end());
    uint32_t id = kLowestFreshId + 1;
    while (used.count(id) != 0)
        ++id;
    return static_cast<int32_t>(id);
}

std::u16string NextNameCandidate(const std::u16string& candidate) {
    const size_t open = candidate.find(u'(');
    if (open == std::u16string::npos)
        return candidate + u"(1)";
    // The number stands between the "(" and the last character, which is left out.
    const size_t numberStart = open + 1;
    const size_t numberEnd = std::max(numberStart, candidate.size() - 1);
    const std::u16string number = candidate.substr(numberStart, numberEnd - numberStart);
    return candidate.substr(0, open) + u"(" + NextNumber(number) + u")";
}

std::u16string UniqueMacroName(std::u16string candidate, std::span<const std::u16string> names) {
    bool changed = true;
    while (changed) {
        changed = false;
        for (const std::u16string& name : names) {
            if (name == candidate) {
                candidate = NextNameCandidate(candidate);
                changed = true;
            }
        }
    }
    return candidate;
}

bool IsReservedFileName(const std::u16string& name) {
    // The system looks at the part before the first dot, without trailing blanks.
    std::u16string stem = name.substr(0, name.find(u'.'));
    while (!stem.empty() && stem.back() == u' ')
        stem.pop_back();
    std::transform(stem.begin(), stem.end(), stem.begin(), Upper);
    static const std::array<std::u16string, 6> kDevices = {u"CON", u"PRN",    u"AUX",
                                                           u"NUL", u"CONIN$", u"CONOUT$"};
    if (std::find(kDevices.begin(), kDevices.end(), stem) != kDevices.end())
        return true;
    if (stem.size() == 4 && (stem.starts_with(u"COM") || stem.starts_with(u"LPT"))) {
        const char16_t last = stem[3];
        return IsDigit(last) || last == u'\u00B9' || last == u'\u00B2' || last == u'\u00B3';
    }
    return false;
}

bool IsValidFileName(const std::u16string& name) {
    if (name.empty() || name.size() > kMaxMacroFileNameUnits)
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const char16_t c = name[i];
        if (IsForbiddenUnit(c))
            return false;
        if (IsHighSurrogate(c)) {
            if (i + 1 >= name.size() || !IsLowSurrogate(name[i + 1]))
                return false;
            ++i;
        } else if (IsLowSurrogate(c)) {
            return false;
        }
    }
    if (name.back() == u'.' || name.back() == u' ')
        return false;
    return !IsReservedFileName(name);
}

std::u16string SafeFileName(const std::u16string& name) {
    if (IsValidFileName(name))
        return name;
    // One unit is kept free for the "_" that goes before a device name.
    constexpr size_t kLimit = kMaxMacroFileNameUnits - 1;
    std::u16string safe;
    for (size_t i = 0; i < name.size() && safe.size() < kLimit; ++i) {
        const char16_t c = name[i];
        if (IsHighSurrogate(c) && i + 1 < name.size() && IsLowSurrogate(name[i + 1])) {
            // A pair is kept whole or not at all.
            if (safe.size() + 2 > kLimit)
                break;
            safe += c;
            safe += name[++i];
        } else if (IsForbiddenUnit(c) || IsHighSurrogate(c) || IsLowSurrogate(c)) {
            safe += u'_';
        } else {
            safe += c;
        }
    }
    for (size_t i = safe.size(); i-- > 0 && (safe[i] == u'.' || safe[i] == u' ');)
        safe[i] = u'_';
    if (safe.empty())
        safe = u"_";
    if (IsReservedFileName(safe))
        safe.insert(safe.begin(), u'_');
    return safe;
}
