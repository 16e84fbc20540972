#pragma once

#include "graphics/CGUIPoint.h"
#include "graphics/CGUISize.h"

// Everything a layout places: windows (through their adaptor or window
// layout) and the layouts themselves, so that layouts nest. Sizes and
// positions are device pixels.
class IGUILayoutItem {
public:
    // The layout imposes a size. A container keeps it for its next
    // arrangement; a window takes it at once.
    virtual void SetSize(CGUISize size) = 0;
    // Recomputes the preferred size; afterwards GetSize returns it. Containers
    // update their own items first, so one call on the outermost layout
    // covers the whole tree.
    virtual void UpdatePreferredSize() = 0;
    // The layout imposes the top-left corner, in the coordinates of the
    // layout's own origin. A container arranges its content there.
    virtual void SetPosition(CGUIPoint position) = 0;
    // The current size: the preferred size after UpdatePreferredSize, or the
    // size last imposed.
    virtual CGUISize GetSize() = 0;

    virtual ~IGUILayoutItem() = default;
};
