#include "graphics/CGUIPen.h"

#include "graphics/CGUIGdiLinePlotter.h"
#include "graphics/CGUISelection.h"
#include "graphics/GUINative.h"
#include "graphics/GUISmoothLine.h"

#include <cmath>

namespace {

UINT ToPenStyle(int32_t style)
{
    switch (style) {
    case 1:
        return PS_DASH;
    case 2:
        return PS_DOT;
    case 3:
        return PS_DASHDOT;
    case 4:
        return PS_DASHDOTDOT;
    default:
        return PS_SOLID;
    }
}

HPEN CreateNativePen(CGUIColor color, int32_t style, CGUISize width)
{
    const LOGPEN description { ToPenStyle(style), { width.width, width.height }, GUIToColorRef(color) };
    return CreatePenIndirect(&description);
}

} // namespace

CGUIPen::CGUIPen(HDC dc, CGUIColor color, int32_t style, CGUISize width)
    : m_pen(CreateNativePen(color, style, width))
    , m_dc(dc)
    , m_color(color)
    , m_plotTarget(dc)
{
}

CGUIPen::~CGUIPen() = default;

void CGUIPen::DrawLine(CGUIPoint from, CGUIPoint to)
{
    const CGUISelection selection(m_dc, m_pen.Get());
    MoveToEx(m_dc, from.x, from.y, nullptr);
    LineTo(m_dc, to.x, to.y);
}

void CGUIPen::DrawPolyline(const CGUIPoint* points, int32_t count)
{
    if (!points || count < 2) {
        return;
    }
    const CGUISelection selection(m_dc, m_pen.Get());
    Polyline(m_dc, GUIToPoints(points), count);
}

void CGUIPen::DrawPoint(CGUIPoint point)
{
    const CGUISelection selection(m_dc, m_pen.Get());
    MoveToEx(m_dc, point.x, point.y, nullptr);
    LineTo(m_dc, point.x, point.y + 1);
}

CGUIClipBox CGUIPen::GetLogicalClipBox(HDC dc)
{
    RECT box {};
    if (GetClipBox(dc, &box) == ERROR || box.left >= box.right || box.top >= box.bottom) {
        return { 0.0f, -1.0f, 0.0f, -1.0f };
    }
    return { static_cast<float>(box.left), static_cast<float>(box.right - 1), static_cast<float>(box.top),
        static_cast<float>(box.bottom - 1) };
}

void CGUIPen::DrawSmoothSegment(CGUIPointF from, CGUIPointF to, const CGUIClipBox& clip)
{
    CGUIGdiLinePlotter plotter(m_plotTarget, m_color);
    GUIDrawSmoothSegment(plotter, from, to, clip);
}

void CGUIPen::DrawLine(CGUIPointF from, CGUIPointF to)
{
    const CGUISelection selection(m_dc, m_pen.Get());
    DrawSmoothSegment(from, to, GetLogicalClipBox(m_dc));
}

void CGUIPen::DrawPolyline(const CGUIPointF* points, int32_t count)
{
    if (!points || count < 2) {
        return;
    }
    const CGUISelection selection(m_dc, m_pen.Get());
    const CGUIClipBox clip = GetLogicalClipBox(m_dc);
    for (int32_t i = 0; i + 1 < count; ++i) {
        DrawSmoothSegment(points[i], points[i + 1], clip);
    }
}

void CGUIPen::DrawPoint(CGUIPointF point)
{
    // Whole pixels only; a point that has none (NaN, out of range) draws nothing.
    const double x = std::trunc(point.x);
    const double y = std::trunc(point.y);
    constexpr double kLimit = 1073741824.0;
    if (!(std::abs(x) < kLimit && std::abs(y) < kLimit)) {
        return;
    }
    const CGUISelection selection(m_dc, m_pen.Get());
    MoveToEx(m_dc, static_cast<int>(x), static_cast<int>(y), nullptr);
    LineTo(m_dc, static_cast<int>(x), static_cast<int>(std::trunc(point.y + 1.0)));
}
