#pragma once
// The macro list's rules for a new row: the macro model's fresh id and unique name.

#include "skin/logic/RowNaming.h"

class MacroRowNaming final : public RowNaming {
  public:
    int32_t FreshId(std::span<const int32_t> ids) const override;
    std::u16string UniqueName(const std::u16string& name,
                              std::span<const std::u16string> names) const override;
};
