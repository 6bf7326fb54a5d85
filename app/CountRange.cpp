#include "CountRange.h"

bool CountRange::Clamp(int value, int* clamped)
{
    if (value < static_cast<int>(kMin)) {
        *clamped = static_cast<int>(kMin);
        return true;
    }
    if (value > static_cast<int>(kMax)) {
        *clamped = static_cast<int>(kMax);
        return true;
    }
    return false;
}
