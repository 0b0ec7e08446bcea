#include "pages/logic/MacroRowNaming.h"

#include "macros/MacroNaming.h"

int32_t MacroRowNaming::FreshId(std::span<const int32_t> ids) const {
    return FreshMacroId(ids);
}

std::u16string MacroRowNaming::UniqueName(const std::u16string& name,
                                          std::span<const std::u16string> names) const {
    return UniqueMacroName(name, names);
}
