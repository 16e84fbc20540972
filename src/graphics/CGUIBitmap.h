#pragma once

#include "graphics/CGUIImage.h"

// A device-dependent bitmap compatible with a reference context's device.
// Without a reference it is compatible with a fresh memory device, that is
// monochrome: give a reference for colour. A size that is not positive in
// both directions gives an image without a bitmap.
class CGUIBitmap : public CGUIImage {
public:
    CGUIBitmap(CGUISize size, IGUIDrawContext* reference);

private:
    static HBITMAP CreateBitmap(CGUISize size, IGUIDrawContext* reference);
};
