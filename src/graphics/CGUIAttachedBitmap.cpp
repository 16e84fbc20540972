#include "graphics/CGUIAttachedBitmap.h"

CGUIAttachedBitmap::CGUIAttachedBitmap(HBITMAP bitmap)
    : CGUIImage(bitmap, Ownership::Borrowed)
{
}

HBITMAP CGUIAttachedBitmap::Detach()
{
    CGUISharedBitmap* record = GetRecord();
    if (!record) {
        return nullptr;
    }
    const auto bitmap = static_cast<HBITMAP>(record->Detach());
    ReleaseRecord();
    return bitmap;
}
