#pragma once

#include "graphics/CGUIImage.h"

// A device-independent bitmap with directly addressable, bottom-up pixel
// memory (rows padded to 4 bytes; pixel formats as in GUIPixelFormat.h).
// A size that is not positive in both directions, or a failing platform call,
// gives an image without a bitmap.
class CGUIDIBSection : public CGUIImage {
public:
    CGUIDIBSection(CGUISize size, int32_t bitsPerPixel);

private:
    static HBITMAP CreateSection(CGUISize size, int32_t bitsPerPixel);

    int32_t m_bitsPerPixel;
};
