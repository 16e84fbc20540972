#pragma once

// A position with fractional pixels, in a drawing context's logical coordinates.
struct CGUIPointF {
    float x = 0.0f;
    float y = 0.0f;

    friend constexpr bool operator==(const CGUIPointF&, const CGUIPointF&) = default;
};
