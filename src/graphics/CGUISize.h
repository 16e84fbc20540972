#pragma once

#include <cstdint>

// An extent in 32-bit signed pixels.
struct CGUISize {
    int32_t width = 0;
    int32_t height = 0;

    friend constexpr bool operator==(const CGUISize&, const CGUISize&) = default;
};
