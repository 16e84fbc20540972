#pragma once

#include "graphics/CGUISize.h"

class CGUINotifier;
class IGUIDrawContext;
class IGUIRegion;

// Paints the content of a window or windowless control and owns its size.
class IGUIPainter {
public:
    // Paints into context, whose origin is the top-left of the content.
    // clip (in the same coordinates) is the part that needs painting, or none
    // for everything; painting outside it is allowed but wasted.
    virtual void Paint(IGUIDrawContext& context, const IGUIRegion* clip) = 0;
    virtual void SetSize(CGUISize size) = 0;
    virtual CGUISize GetSize() const = 0;
    // Fires when the size changed.
    virtual CGUINotifier& GetSizeNotifier() = 0;
    virtual ~IGUIPainter() = default;
};
