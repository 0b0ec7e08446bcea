#pragma once
// One entry of the macro list box: a macro's name and id and the row it is drawn in.

#include <cstdint>
#include <string>

#include "skin/logic/PixelRect.h"

struct CBoxItem {
    // Windows colour values (0x00BBGGRR).
    static constexpr uint32_t kTextColour = 0x00BEBEBE;
    static constexpr uint32_t kSelectedTextColour = 0x0035D3B3;

    PixelRect rect;
    std::u16string name;
    int32_t selected = 0;
    int32_t id = 0;
    uint32_t colour = kTextColour;
    uint32_t selectedColour = kSelectedTextColour;
};
