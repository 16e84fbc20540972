#pragma once

#include "graphics/CGUIPoint.h"

// The shape of a control's content. A content painter that does not fill its
// whole rectangle implements it beside IGUIPainter; a painter without it fills
// its rectangle.
class IGUIControlShape {
public:
    // Whether point (control coordinates, inside the rectangle) belongs to
    // the content.
    [[nodiscard]] virtual bool HitTest(CGUIPoint point) const = 0;
    // Whether the content paints every pixel of its rectangle opaquely.
    [[nodiscard]] virtual bool CoversRectangle() const = 0;
    virtual ~IGUIControlShape() = default;
};
