#pragma once

#include "graphics/CGUIColor.h"
#include "graphics/CGUIPoint.h"

#include <windows.h>

#include <cstdint>

// The platform back end of the anti-aliased segment renderer: blends each
// pixel with GetPixel/SetPixel on a device context (logical coordinates) and
// draws solid runs with the pen selected into it. Works on any device context.
class CGUIGdiLinePlotter {
public:
    CGUIGdiLinePlotter(HDC dc, CGUIColor color);

    void Plot(int32_t x, int32_t y, int32_t coverage);
    void DrawRun(CGUIPoint from, CGUIPoint to);

private:
    HDC m_dc;
    COLORREF m_color;
};
