#pragma once

#include <cstdint>

// How a container places one item. Alignment values outside 0..2 count as
// start (left or top).
struct CGUILayoutPlacement {
    // Alignment values shared by both axes: left/top, centre, right/bottom.
    static constexpr int32_t kAlignStart = 0;
    static constexpr int32_t kAlignCenter = 1;
    static constexpr int32_t kAlignEnd = 2;
    // A relative size below 0 (or NaN) leaves the item its own size.
    static constexpr float kNotRelative = -1.0f;

    int32_t horizontalAlignment = kAlignStart;
    int32_t verticalAlignment = kAlignStart;
    // With explicitX (explicitY) set the item is placed x (y) pixels from the
    // layout's origin, whatever the alignment and the items before it.
    int32_t x = 0;
    int32_t y = 0;
    bool explicitX = false;
    bool explicitY = false;
    // A value >= 0 makes the item's width (height) that fraction of the
    // layout's inner width (height); see the containers for the exact base.
    float relativeWidth = kNotRelative;
    float relativeHeight = kNotRelative;

    // The common case: aligned on both axes, nothing explicit or relative.
    static constexpr CGUILayoutPlacement Aligned(int32_t horizontal, int32_t vertical)
    {
        CGUILayoutPlacement placement;
        placement.horizontalAlignment = horizontal;
        placement.verticalAlignment = vertical;
        return placement;
    }

    friend constexpr bool operator==(const CGUILayoutPlacement&, const CGUILayoutPlacement&) = default;
};
