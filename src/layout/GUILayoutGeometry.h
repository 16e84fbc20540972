#pragma once

#include "graphics/GUIPixelArithmetic.h"
#include "layout/CGUILayoutPlacement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

// Arithmetic shared by the containers. Sums and differences are taken in 64
// bits and saturated (GUISaturate) when they become a size or position, so
// that no item size, margin or spacing can overflow a computation.

// Where an item of the given size starts in the span [start, start + extent):
// at start + margin, centred in the whole span, or ending margin before its
// end. Divisions truncate toward zero.
inline int64_t GUILayoutAlign(int32_t alignment, int64_t start, int64_t extent, int64_t margin, int64_t size)
{
    switch (alignment) {
    case CGUILayoutPlacement::kAlignCenter:
        return start + (extent - size) / 2;
    case CGUILayoutPlacement::kAlignEnd:
        return start + extent - margin - size;
    default:
        return start + margin;
    }
}

inline bool GUILayoutIsRelative(float fraction)
{
    return fraction >= 0.0f;
}

// base × fraction truncated toward zero, as a size: never negative (a box
// smaller than its margins gives 0, not a negative size). The product is
// formed in double and saturated, so an infinite or huge fraction cannot make
// the conversion undefined; NaN (infinity × 0) gives 0.
inline int32_t GUILayoutScale(int64_t base, float fraction)
{
    const double product = static_cast<double>(base) * static_cast<double>(fraction);
    if (!(product > 0.0)) {
        return 0;
    }
    return static_cast<int32_t>(std::min(product, static_cast<double>(std::numeric_limits<int32_t>::max())));
}
