#include "graphics/CGUIGdiPixelAccess.h"

#include "graphics/GUINative.h"

void CGUIGdiPixelAccess::GetPixel(CGUIColor& color, CGUIPoint point) const
{
    const COLORREF value = ::GetPixel(m_dc, point.x, point.y);
    color = value == CLR_INVALID ? CGUIColor {} : GUIFromColorRef(value);
}

void CGUIGdiPixelAccess::SetPixel(CGUIPoint point, CGUIColor color)
{
    ::SetPixel(m_dc, point.x, point.y, GUIToColorRef(color));
}
