#pragma once

#include "graphics/CGUIPoint.h"
#include "graphics/CGUIRect.h"

// An area of pixels made of rectangles.
class IGUIRegion {
public:
    // The smallest rectangle around the region; all 0 when it is empty or the
    // call fails.
    virtual void GetBounds(CGUIRect& bounds) const = 0;
    // True when the bounds have no width or no height.
    virtual bool IsEmpty() const = 0;
    // A new independent copy; the caller owns it (null on failure).
    virtual IGUIRegion* Clone() const = 0;
    // Keeps only the part inside rect.
    virtual void IntersectRect(const CGUIRect& rect) = 0;
    virtual void Offset(CGUIPoint offset) = 0;
    // The bounds of the part of the region inside rect; the region is unchanged.
    virtual void GetIntersectionBounds(CGUIRect& bounds, const CGUIRect& rect) const = 0;
    virtual ~IGUIRegion() = default;
};
