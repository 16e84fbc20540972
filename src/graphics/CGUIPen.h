#pragma once

#include "graphics/CGUIClipBox.h"
#include "graphics/CGUIColor.h"
#include "graphics/CGUISize.h"
#include "graphics/IGUIPen.h"
#include "graphics/TGUIGdiObject.h"

#include <windows.h>

// A pen of one colour drawing into a device context: whole-pixel lines with a
// native pen, and anti-aliased lines blended pixel by pixel through the
// platform. Every operation selects the native pen only while it draws. The
// pen keeps the device context it was made for and must not outlive it.
class CGUIPen : public virtual IGUIPen, public virtual IGUISmoothPen {
public:
    // style: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, other values
    // solid; width in pixels as the platform takes it.
    CGUIPen(HDC dc, CGUIColor color, int32_t style, CGUISize width);
    CGUIPen(const CGUIPen&) = delete;
    CGUIPen& operator=(const CGUIPen&) = delete;
    ~CGUIPen() override;

    void DrawLine(CGUIPoint from, CGUIPoint to) override;
    void DrawPolyline(const CGUIPoint* points, int32_t count) override;
    void DrawPoint(CGUIPoint point) override;

    void DrawLine(CGUIPointF from, CGUIPointF to) override;
    void DrawPolyline(const CGUIPointF* points, int32_t count) override;
    void DrawPoint(CGUIPointF point) override;

protected:
    HDC GetDC() const { return m_dc; }
    CGUIColor GetColor() const { return m_color; }
    HPEN GetPen() const { return m_pen.Get(); }

    // The clip box of dc in logical coordinates, inclusive; empty (xmin >
    // xmax) when nothing is visible.
    static CGUIClipBox GetLogicalClipBox(HDC dc);

private:
    void DrawSmoothSegment(CGUIPointF from, CGUIPointF to, const CGUIClipBox& clip);

    TGUIGdiObject<HPEN> m_pen;
    HDC m_dc;
    CGUIColor m_color;
    HDC m_plotTarget;
};
