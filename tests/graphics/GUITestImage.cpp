#include "GUITestImage.h"

#include <cstring>

CTestImage::CTestImage(int32_t width, int32_t height, int32_t bitsPerPixel)
    : m_width(width)
    , m_height(height)
    , m_bitsPerPixel(bitsPerPixel)
    , m_image({ width, height }, bitsPerPixel)
    , m_context(m_image.CreateDrawContext(nullptr))
{
}

uint8_t* CTestImage::Address(int32_t x, int32_t y)
{
    GdiFlush();
    const int32_t rowBytes = ((m_width * m_bitsPerPixel + 31) / 32) * 4;
    return static_cast<uint8_t*>(m_image.GetBits()) + (m_height - 1 - y) * rowBytes + x * (m_bitsPerPixel / 8);
}

void CTestImage::Fill(CGUIColor color)
{
    // Stored little-endian: blue first; 16 bits are 5-5-5.
    const uint32_t value = m_bitsPerPixel == 16 ? (color.red >> 3) << 10 | (color.green >> 3) << 5 | color.blue >> 3
                                                : color.red << 16 | color.green << 8 | color.blue;
    for (int32_t i = 0; i < m_width * m_height; ++i) {
        std::memcpy(Address(i % m_width, i / m_width), &value, static_cast<size_t>(m_bitsPerPixel / 8));
    }
}

uint32_t CTestImage::Raw(int32_t x, int32_t y)
{
    uint32_t value = 0;
    std::memcpy(&value, Address(x, y), static_cast<size_t>(m_bitsPerPixel / 8));
    return value;
}

CGUIColor CTestImage::At(int32_t x, int32_t y)
{
    const uint32_t v = Raw(x, y);
    if (m_bitsPerPixel == 16) {
        return { static_cast<uint8_t>(((v >> 10) & 31) << 3), static_cast<uint8_t>(((v >> 5) & 31) << 3),
            static_cast<uint8_t>((v & 31) << 3) };
    }
    return { static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v) };
}
