#pragma once

#include <cstdint>

// A colour as three 8-bit components, red first. Native colour values and the
// pixel formats of images are derived from it where they are needed.
struct CGUIColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;

    friend constexpr bool operator==(const CGUIColor&, const CGUIColor&) = default;
};
