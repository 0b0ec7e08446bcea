#include "skin/logic/RowNaming.h"

#include <algorithm>

int32_t PlainRowNaming::FreshId(std::span<const int32_t> ids) const {
    return ids.empty() ? 1 : *std::max_element(ids.begin(), ids.end()) + 1;
}

std::u16string PlainRowNaming::UniqueName(const std::u16string& name,
                                          std::span<const std::u16string>) const {
    return name;
}
