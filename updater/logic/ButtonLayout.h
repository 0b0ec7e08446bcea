#pragma once
// A button's place as the skins write it: "NAME,x,y,w,h," with optional extra fields, e.g.
// "BUTTON_OK,198,152,112,20," or "BUTTON_X,1,2,3,4,TRUE,label,".

#include <cstdint>
#include <string>
#include <string_view>

struct ButtonLayout {
    static constexpr size_t kMaxName = 40;
    static constexpr size_t kMaxText = 400;

    std::string name;
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool latched = false;
    std::string text;

    // Parses a layout string. False when the four numbers are missing; the fields that could
    // be read are filled in all the same.
    static bool Parse(std::string_view layout, ButtonLayout& result);
};
