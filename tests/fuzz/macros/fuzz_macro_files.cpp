// Any bytes as a macro file and as a macro index: decoding never reads outside the data, what
// decodes survives a round trip, and the editing and naming rules cope with whatever it holds.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "macros/MacroCollection.h"
#include "macros/MacroFile.h"
#include "macros/MacroNaming.h"

namespace {

void CheckMacroFile(const std::vector<uint8_t>& bytes) {
    DataStream in(bytes);
    CMacro macro;
    if (!DecodeMacroFile(in, macro))
        return;
    const std::vector<uint8_t> encoded = EncodeMacroFile(macro);
    DataStream again(encoded);
    CMacro decoded;
    if (!DecodeMacroFile(again, decoded) || EncodeMacroFile(decoded) != encoded)
        std::abort();

    // Rows and bounds as the file holds them: the editing rules must not overflow or trap.
    if (macro.events.size() <= 4096) {
        macro.ShiftRowsForScrollPosition(static_cast<int32_t>(bytes.size()) - 8);
        macro.SelectEventAt(macro.bounds.left, macro.bounds.top);
        macro.InsertEvent(kEventKey, 65, kActionPress, 0, kPlaceAfterSelection);
        macro.SelectPreviousEvent();
        macro.DeleteSelectedEvent();
        macro.DeleteSelectedEvent();
        macro.ShiftRowsForScrollPosition(INT32_MAX);
    }

    const std::u16string safe = SafeFileName(macro.name);
    if (!IsValidFileName(safe))
        std::abort();
    const std::vector<std::u16string> names{macro.name, NextNameCandidate(macro.name)};
    if (UniqueMacroName(macro.name, names) == macro.name)
        std::abort();

    MacroCollection collection;
    collection.AddMacro(macro.id, macro.name, macro.bounds).events = macro.events;
    const auto copy = collection.CopyMacroForProfile(macro.id);
    if (!copy || copy->events.size() != macro.events.size() + 1)
        std::abort();
}

void CheckIndex(const std::vector<uint8_t>& bytes) {
    DataStream in(bytes);
    std::vector<std::u16string> paths;
    const bool whole = DecodeMacroIndex(in, paths);
    if (!whole)
        return;
    const std::vector<uint8_t> encoded = EncodeMacroIndex(paths);
    DataStream again(encoded);
    std::vector<std::u16string> decoded;
    if (!DecodeMacroIndex(again, decoded) || decoded != paths)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    CheckMacroFile(bytes);
    CheckIndex(bytes);
    return 0;
}
