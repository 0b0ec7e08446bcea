#pragma once
// The leading decimal integer of a text, read the way the C library's wide "to long" does:
// leading white space, an optional sign, then digits. 0 when the text does not start with a
// number. Values beyond 32 bits are held at the nearest limit.

#include <cstdint>
#include <string_view>

int32_t LeadingInteger(std::wstring_view text);
