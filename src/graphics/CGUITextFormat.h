#pragma once

#include <cstdint>

// How text is placed in a rectangle.
struct CGUITextFormat {
    static constexpr uint32_t kSingleLine = 1u << 0;
    static constexpr uint32_t kWordBreak = 1u << 1;

    // Alignment values shared by both axes: left/top, centre, right/bottom.
    static constexpr int32_t kAlignStart = 0;
    static constexpr int32_t kAlignCenter = 1;
    static constexpr int32_t kAlignEnd = 2;

    uint32_t flags = 0;
    int32_t vertical = kAlignStart;
    int32_t horizontal = kAlignStart;

    friend constexpr bool operator==(const CGUITextFormat&, const CGUITextFormat&) = default;
};
