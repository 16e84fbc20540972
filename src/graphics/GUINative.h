#pragma once

#include "graphics/CGUIColor.h"
#include "graphics/CGUIPoint.h"
#include "graphics/CGUIPointF.h"
#include "graphics/CGUIRect.h"

#include <windows.h>

#include <cstddef>

// Conversions between the framework's value types and the native ones.

inline COLORREF GUIToColorRef(CGUIColor color)
{
    return RGB(color.red, color.green, color.blue);
}

inline CGUIColor GUIFromColorRef(COLORREF color)
{
    return { GetRValue(color), GetGValue(color), GetBValue(color) };
}

inline RECT GUIToRect(const CGUIRect& rect)
{
    return { rect.x, rect.y, rect.x + rect.width, rect.y + rect.height };
}

inline CGUIRect GUIFromRect(const RECT& rect)
{
    return { rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top };
}

// Point lists go to the platform unconverted.
static_assert(sizeof(CGUIPoint) == sizeof(POINT) && offsetof(CGUIPoint, y) == offsetof(POINT, y));

inline const POINT* GUIToPoints(const CGUIPoint* points)
{
    return reinterpret_cast<const POINT*>(points);
}
