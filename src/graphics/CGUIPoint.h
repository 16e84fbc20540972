#pragma once

#include <cstdint>

// A position in 32-bit signed pixels.
struct CGUIPoint {
    int32_t x = 0;
    int32_t y = 0;

    friend constexpr bool operator==(const CGUIPoint&, const CGUIPoint&) = default;
};
