#include "engine/window_ranges.h"

#include <cmath>

bool TakeWindowValue(const float* rows, int row, float& value)
{
    const float* r = rows + 6 * row;
    if (std::isnan(value)) return false;
    if (r[3] != 0.0f && value < r[0]) value = r[0];
    if (r[4] != 0.0f && value > r[1]) value = r[1];
    if (!std::isfinite(value)) return false;
    if (r[5] != 0.0f) value = std::trunc(value);
    return true;
}
