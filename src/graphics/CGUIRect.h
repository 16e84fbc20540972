#pragma once

#include <cstdint>

// A rectangle as origin plus size in 32-bit signed pixels; it covers the
// columns x .. x + width - 1 and the rows y .. y + height - 1.
struct CGUIRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;

    friend constexpr bool operator==(const CGUIRect&, const CGUIRect&) = default;
};
