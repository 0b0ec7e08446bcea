#include "skin/logic/ProgressMath.h"

#include <algorithm>

int32_t ProgressFillLength(int32_t minimum, int32_t maximum, int32_t position, int32_t length) {
    if (maximum <= minimum || length <= 0) {
        return 0;
    }
    const float ratio = static_cast<float>(std::clamp(position, minimum, maximum) - minimum) /
                        static_cast<float>(maximum - minimum);
    return std::clamp(static_cast<int32_t>(static_cast<float>(length) * ratio), 0, length);
}
