#pragma once

#include "graphics/CGUIColor.h"
#include "graphics/CGUIDIBSection.h"
#include "graphics/IGUIDrawContext.h"

#include <cstdint>
#include <memory>

// A DIB section with a drawing context on it, read back byte by byte without
// going through the code under test.
class CTestImage {
public:
    CTestImage(int32_t width, int32_t height, int32_t bitsPerPixel);

    CGUIDIBSection& Image() { return m_image; }
    IGUIDrawContext& Context() { return *m_context; }
    HDC DC() { return m_context->GetHDC(); }
    int32_t Width() const { return m_width; }
    int32_t Height() const { return m_height; }

    // Fills every pixel (padding included) with the colour.
    void Fill(CGUIColor color);
    // The stored pixel value at (x, y), top-down coordinates.
    uint32_t Raw(int32_t x, int32_t y);
    // The pixel as a colour, components widened from 5 bits for 16 bits per pixel.
    CGUIColor At(int32_t x, int32_t y);

private:
    uint8_t* Address(int32_t x, int32_t y);

    int32_t m_width;
    int32_t m_height;
    int32_t m_bitsPerPixel;
    CGUIDIBSection m_image;
    std::unique_ptr<IGUIDrawContext> m_context;
};

inline bool operator<(const CGUIColor& a, const CGUIColor& b)
{
    return (a.red << 16 | a.green << 8 | a.blue) < (b.red << 16 | b.green << 8 | b.blue);
}
