#pragma once

#include "graphics/CGUIColor.h"
#include "graphics/CGUIPoint.h"

// Reads and writes single pixels of what a drawing context draws into, at
// logical coordinates.
class IGUIPixelAccess {
public:
    virtual void GetPixel(CGUIColor& color, CGUIPoint point) const = 0;
    virtual void SetPixel(CGUIPoint point, CGUIColor color) = 0;
    virtual ~IGUIPixelAccess() = default;
};
