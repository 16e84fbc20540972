#pragma once

#include "graphics/CGUIColor.h"
#include "graphics/CGUIDIBSection.h"
#include "graphics/IGUIDrawContext.h"

#include <cstdint>
#include <memory>

// A DIB section with a drawing context on it, written and read back straight
// in memory (top-down coordinates) without going through the code under test.
class CTestImage {
public:
    CTestImage(int32_t width, int32_t height, int32_t bitsPerPixel);

    CGUIDIBSection& Image() { return m_image; }
    IGUIDrawContext& Context() { return *m_context; }
    HDC DC() { return m_context->GetHDC(); }

    void Fill(CGUIColor color);
    uint32_t Raw(int32_t x, int32_t y);
    // Components widened from 5 bits for 16 bits per pixel.
    CGUIColor At(int32_t x, int32_t y);

private:
    uint8_t* Address(int32_t x, int32_t y);

    int32_t m_width, m_height, m_bitsPerPixel;
    CGUIDIBSection m_image;
    std::unique_ptr<IGUIDrawContext> m_context;
};
