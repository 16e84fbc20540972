#include "graphics/CGUIBitmap.h"

#include "graphics/IGUIDrawContext.h"

CGUIBitmap::CGUIBitmap(CGUISize size, IGUIDrawContext* reference)
    : CGUIImage(CreateBitmap(size, reference))
{
}

HBITMAP CGUIBitmap::CreateBitmap(CGUISize size, IGUIDrawContext* reference)
{
    if (size.width <= 0 || size.height <= 0) {
        return nullptr;
    }
    if (reference) {
        return CreateCompatibleBitmap(reference->GetHDC(), size.width, size.height);
    }
    const HDC memory = CreateCompatibleDC(nullptr);
    if (!memory) {
        return nullptr;
    }
    const HBITMAP bitmap = CreateCompatibleBitmap(memory, size.width, size.height);
    DeleteDC(memory);
    return bitmap;
}
