#include "skin/logic/LabelPlacement.h"

LabelPoint PlaceLabel(const LabelRect& rect, int32_t textWidth, int32_t textHeight,
                      bool centreHorizontally, bool centreVertically) {
    LabelPoint p{rect.left, rect.top};
    if (centreHorizontally) {
        p.x = rect.left + (rect.right - textWidth - rect.left) / 2;
    }
    if (centreVertically) {
        p.y = rect.top + (rect.bottom - textHeight - rect.top) / 2;
    }
    return p;
}
