#include "graphics/CGUIDIBSection.h"

CGUIDIBSection::CGUIDIBSection(CGUISize size, int32_t bitsPerPixel)
    : CGUIImage(CreateSection(size, bitsPerPixel))
    , m_bitsPerPixel(bitsPerPixel)
{
}

HBITMAP CGUIDIBSection::CreateSection(CGUISize size, int32_t bitsPerPixel)
{
    // A negative height would make a top-down image, which the bottom-up pixel
    // accessors and pens would address upside down.
    if (size.width <= 0 || size.height <= 0) {
        return nullptr;
    }
    // Palette formats read a colour table after the header: a zeroed one of
    // full length keeps the system from reading past this structure.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = size.width;
    info.header.biHeight = size.height;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bitsPerPixel);
    info.header.biCompression = BI_RGB;
    void* bits = nullptr;
    return CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
}
