#pragma once
// How a list numbers and names an entry the user adds. The list's owner decides: the macro list
// gives each new macro a fresh macro id and a name unique among the macros.

#include <cstdint>
#include <span>
#include <string>

class RowNaming {
  public:
    virtual ~RowNaming() = default;
    virtual int32_t FreshId(std::span<const int32_t> ids) const = 0;
    virtual std::u16string UniqueName(const std::u16string& name,
                                      std::span<const std::u16string> names) const = 0;
};

// One more than the largest id (1 for an empty list); names as typed.
class PlainRowNaming final : public RowNaming {
  public:
    int32_t FreshId(std::span<const int32_t> ids) const override;
    std::u16string UniqueName(const std::u16string& name,
                              std::span<const std::u16string> names) const override;
};
