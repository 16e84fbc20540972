#include "graphics/CGUIGdiLinePlotter.h"

#include "graphics/GUINative.h"
#include "graphics/GUIPixelFormat.h"

CGUIGdiLinePlotter::CGUIGdiLinePlotter(HDC dc, CGUIColor color)
    : m_dc(dc)
    , m_color(GUIToColorRef(color))
{
}

void CGUIGdiLinePlotter::Plot(int32_t x, int32_t y, int32_t coverage)
{
    const COLORREF existing = GetPixel(m_dc, x, y);
    if (existing == CLR_INVALID) {
        return;
    }
    // COLORREF keeps red, green and blue in bytes 0, 1 and 2.
    SetPixel(m_dc, x, y, GUIBlendFields(m_color, existing, coverage, 0, 8, 16, 0xFF));
}

void CGUIGdiLinePlotter::DrawRun(CGUIPoint from, CGUIPoint to)
{
    MoveToEx(m_dc, from.x, from.y, nullptr);
    LineTo(m_dc, to.x, to.y);
}
