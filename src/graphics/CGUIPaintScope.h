#pragma once

#include "graphics/CGUIRect.h"
#include "graphics/GUINative.h"

#include <windows.h>

// One WM_PAINT of a window: BeginPaint on construction, EndPaint on
// destruction. The device context belongs to the scope; draw into it through
// a borrowing drawing context.
class CGUIPaintScope {
public:
    explicit CGUIPaintScope(HWND hwnd)
        : m_hwnd(hwnd)
        , m_dc(BeginPaint(hwnd, &m_paint))
    {
    }
    CGUIPaintScope(const CGUIPaintScope&) = delete;
    CGUIPaintScope& operator=(const CGUIPaintScope&) = delete;
    ~CGUIPaintScope() { EndPaint(m_hwnd, &m_paint); }

    // Null when BeginPaint failed.
    HDC GetDC() const { return m_dc; }
    // The part of the client area that needs painting.
    CGUIRect GetPaintRect() const { return GUIFromRect(m_paint.rcPaint); }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_paint {};
    HDC m_dc;
};
