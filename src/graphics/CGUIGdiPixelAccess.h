#pragma once

#include "graphics/IGUIPixelAccess.h"

#include <windows.h>

// Pixel access through the platform's GetPixel/SetPixel on a device context,
// at logical coordinates. Pixels outside the clip read as black.
class CGUIGdiPixelAccess : public IGUIPixelAccess {
public:
    explicit CGUIGdiPixelAccess(HDC dc)
        : m_dc(dc)
    {
    }

    void GetPixel(CGUIColor& color, CGUIPoint point) const override;
    void SetPixel(CGUIPoint point, CGUIColor color) override;

    void SetHDC(HDC dc) { m_dc = dc; }

private:
    HDC m_dc;
};
