#pragma once
// The rules by which the macro list numbers and names new macros, and the file names under which
// macros are stored.

#include <cstdint>
#include <span>
#include <string>

// Id of a new macro: 1 + the largest of 15 and all ids, compared as unsigned numbers. When that
// would wrap to 0, the smallest unused id from 16 on.
int32_t FreshMacroId(std::span<const int32_t> ids);

// The next candidate when `candidate` is taken: "Jump" -> "Jump(1)", "Jump(1)" -> "Jump(2)",
// "x(y)" -> "x(1)".
std::u16string NextNameCandidate(const std::u16string& candidate);

// Makes `candidate` unique among `names` (exact, case-sensitive): each equal name found while
// scanning changes the candidate, and the scan repeats until a pass changes nothing.
std::u16string UniqueMacroName(std::u16string candidate, std::span<const std::u16string> names);

// Longest file name (without ".macro") that a macro is stored under; leaves room for the
// appended "1"s, the extension and a temporary suffix within the usual 255-unit limit.
constexpr size_t kMaxMacroFileNameUnits = 120;

// True for a name that can be a file name on every system the files travel to: not empty, no
// \ / : * ? " < > | or control characters, no unpaired surrogate, no trailing dot or blank, not a
// device name such as CON or LPT1, not longer than kMaxMacroFileNameUnits.
bool IsValidFileName(const std::u16string& name);
// True for a device name (CON, PRN, AUX, NUL, COM0-9, LPT0-9, ...), alone or before a dot.
bool IsReservedFileName(const std::u16string& name);
// A valid file name derived from any macro name; valid names come back unchanged.
std::u16string SafeFileName(const std::u16string& name);
