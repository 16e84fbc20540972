#pragma once

#include "graphics/CGUIRect.h"

#include <algorithm>
#include <cstdint>
#include <limits>

// Pixel arithmetic that cannot overflow: sums and differences of 32-bit
// positions and sizes are taken in 64 bits and saturated to 32 bits when they
// become a position or size again.

inline int32_t GUISaturate(int64_t value)
{
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// rect moved by (dx, dy).
inline CGUIRect GUIOffsetRect(const CGUIRect& rect, int64_t dx, int64_t dy)
{
    return CGUIRect { GUISaturate(rect.x + dx), GUISaturate(rect.y + dy), rect.width, rect.height };
}

// The right and bottom edges of rect, which may lie past the 32-bit range.
inline int64_t GUIRight(const CGUIRect& rect)
{
    return int64_t { rect.x } + rect.width;
}

inline int64_t GUIBottom(const CGUIRect& rect)
{
    return int64_t { rect.y } + rect.height;
}

// The part of a that b covers; false, and result untouched, when it is empty.
inline bool GUIIntersect(const CGUIRect& a, const CGUIRect& b, CGUIRect& result)
{
    const int64_t left = std::max(a.x, b.x);
    const int64_t top = std::max(a.y, b.y);
    const int64_t right = std::min(GUIRight(a), GUIRight(b));
    const int64_t bottom = std::min(GUIBottom(a), GUIBottom(b));
    if (right <= left || bottom <= top) {
        return false;
    }
    result = CGUIRect { static_cast<int32_t>(left), static_cast<int32_t>(top), GUISaturate(right - left),
        GUISaturate(bottom - top) };
    return true;
}
