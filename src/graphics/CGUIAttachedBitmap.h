#pragma once

#include "graphics/CGUIImage.h"

// A temporary image over a bitmap that someone else owns (the one selected
// into a device context). It never deletes that bitmap, detached or not.
class CGUIAttachedBitmap : public CGUIImage {
public:
    explicit CGUIAttachedBitmap(HBITMAP bitmap);

    // Takes the bitmap out of the record (which then holds none) and lets go
    // of the record. Re-attaching is Detach followed by SetHandle.
    HBITMAP Detach();
};
