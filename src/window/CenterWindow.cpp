#include "window/CenterWindow.h"

#include <algorithm>

void CenterWindow(IGUIWindow& window)
{
    const CGUISize size = window.GetSize();
    int32_t x = 0;
    int32_t y = 0;
    if (IGUIWindow* owner = window.GetOwnerWindow()) {
        const CGUIPoint ownerPosition = owner->GetScreenPosition();
        const CGUISize ownerSize = owner->GetSize();
        x = ownerPosition.x + (ownerSize.width - size.width) / 2;
        y = ownerPosition.y + (ownerSize.height - size.height) / 2;
    } else {
        x = (GetSystemMetrics(SM_CXSCREEN) - size.width) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - size.height) / 2;
    }
    window.SetPosition(CGUIPoint { std::max(x, 0), std::max(y, 0) });
}
