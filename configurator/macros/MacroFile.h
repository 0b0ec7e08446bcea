#pragma once
// The ".macro" file of one macro and the folder's index, macroList.dat. Little-endian, no
// header: a macro file is its name, id, bounds and events; the index is a count and one path
// string per macro. Decoders never read past the data and leave the target alone on failure.

#include <cstdint>
#include <string>
#include <vector>

#include "macros/Macro.h"
#include "profiles/DataStream.h"

inline constexpr char16_t kMacroFileExtension[] = u".macro";
inline constexpr char kMacroIndexFileName[] = "macroList.dat";
constexpr int32_t kEventRecordBytes = 32;
// Entries of an index read at most: far above any real collection, so that a forged count cannot
// make the loader hold millions of paths.
constexpr int32_t kMaxMacroIndexEntries = 65536;
// Largest macro file or index read: a macro of a quarter of a million events. Larger files are
// refused from their size, without being read.
constexpr uintmax_t kMaxMacroFileBytes = 8u << 20;

void EncodeMacroFile(const CMacro& macro, DataStream& out);
std::vector<uint8_t> EncodeMacroFile(const CMacro& macro);
// Reads name, id, bounds and events into `macro`; false (and `macro` unchanged) when the data
// ends before what its counts claim. Bytes after the last event are ignored.
bool DecodeMacroFile(DataStream& in, CMacro& macro);

void EncodeMacroIndex(const std::vector<std::u16string>& paths, DataStream& out);
std::vector<uint8_t> EncodeMacroIndex(const std::vector<std::u16string>& paths);
// Appends every whole, non-empty path string to `paths`, reading at most kMaxMacroIndexEntries
// entries (empty paths name no file and are dropped); false when a string runs past the end of
// the data (the paths before it are kept).
bool DecodeMacroIndex(DataStream& in, std::vector<std::u16string>& paths);
