#include "scroll_bar_point.h"

void TBitmapScrollBarPoint::SetX(int value) {
    point.setX(value);
    if (OnChange) {
        OnChange();
    }
}

void TBitmapScrollBarPoint::SetY(int value) {
    point.setY(value);
    if (OnChange) {
        OnChange();
    }
}
