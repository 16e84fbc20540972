#pragma once

#include "graphics/CGUIPoint.h"
#include "graphics/CGUIPointF.h"

#include <cstdint>

// Whole-pixel lines drawn by the platform with a native pen. Like the
// platform, a line leaves out its end pixel.
class IGUIPen {
public:
    virtual void DrawLine(CGUIPoint from, CGUIPoint to) = 0;
    // Connects count points; fewer than 2 draw nothing.
    virtual void DrawPolyline(const CGUIPoint* points, int32_t count) = 0;
    // Exactly one pixel.
    virtual void DrawPoint(CGUIPoint point) = 0;
    virtual ~IGUIPen() = default;
};

// Anti-aliased 1-pixel lines with fractional end points, in the context's
// logical coordinates.
class IGUISmoothPen {
public:
    virtual void DrawLine(CGUIPointF from, CGUIPointF to) = 0;
    // Connects count points; fewer than 2 draw nothing.
    virtual void DrawPolyline(const CGUIPointF* points, int32_t count) = 0;
    // One whole pixel, not anti-aliased.
    virtual void DrawPoint(CGUIPointF point) = 0;
    virtual ~IGUISmoothPen() = default;
};
