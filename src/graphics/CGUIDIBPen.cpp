#include "graphics/CGUIDIBPen.h"

#include <cmath>

template <class TFormat>
TGUIDIBPen<TFormat>::TGUIDIBPen(HDC dc, IGUIImage& image, CGUIColor color)
    : CGUIPen(dc, color, 0, { 1, 1 })
    , m_image(image)
    , m_bits(image.GetBits())
{
    CGUISize size;
    image.GetSize(size);
    m_width = size.width;
    m_height = size.height;
    m_rowLength = TFormat::RowLength(m_width);
    m_surface = TGUIPixelSurface<TFormat>(m_bits, m_width, m_height, m_rowLength);
}

template <class TFormat> bool TGUIDIBPen<TFormat>::Refresh()
{
    if (!m_bits || m_image.GetBits() != m_bits) {
        return false;
    }
    // Platform drawing into a DIB section may still be queued; the blend reads
    // the pixels it would change.
    GdiFlush();
    POINT origin {};
    GetViewportOrgEx(GetDC(), &origin);
    m_origin = { origin.x, origin.y };
    m_originF = { static_cast<float>(origin.x), static_cast<float>(origin.y) };
    const CGUIClipBox logical = GetLogicalClipBox(GetDC());
    m_clip = m_surface.Intersect({ logical.xmin + m_originF.x, logical.xmax + m_originF.x, logical.ymin + m_originF.y,
        logical.ymax + m_originF.y });
    return true;
}

template <class TFormat> void TGUIDIBPen<TFormat>::DrawLine(CGUIPointF from, CGUIPointF to)
{
    if (Refresh()) {
        m_surface.DrawSmoothLine(ToDevice(from), ToDevice(to), GetColor(), m_clip);
    }
}

template <class TFormat> void TGUIDIBPen<TFormat>::DrawPolyline(const CGUIPointF* points, int32_t count)
{
    if (!points || count < 2 || !Refresh()) {
        return;
    }
    for (int32_t i = 0; i + 1 < count; ++i) {
        m_surface.DrawSmoothLine(ToDevice(points[i]), ToDevice(points[i + 1]), GetColor(), m_clip);
    }
}

template <class TFormat> void TGUIDIBPen<TFormat>::DrawPoint(CGUIPointF point)
{
    if (!Refresh()) {
        return;
    }
    const double x = std::trunc(point.x) + m_origin.x;
    const double y = std::trunc(point.y) + m_origin.y;
    // Inclusive bounds: xmax and ymax are the last pixels inside the clip.
    if (x >= m_clip.xmin && x <= m_clip.xmax && y >= m_clip.ymin && y <= m_clip.ymax) {
        m_surface.SetColor(static_cast<int32_t>(x), static_cast<int32_t>(y), GetColor());
    }
}

template class TGUIDIBPen<CGUIPixelFormat32>;
template class TGUIDIBPen<CGUIPixelFormat24>;
template class TGUIDIBPen<CGUIPixelFormat16>;
