#pragma once

#include "foundation/CGUINotifier.h"
#include "graphics/CGUIColor.h"
#include "graphics/CGUIRect.h"

class IGUIDrawContext;

// A background of one colour. Whoever changes the colour fires the change
// notifier when the change should show (several changes may share one
// notification); the owner repaints on it.
class CGUIColorFill {
public:
    explicit CGUIColorFill(CGUIColor color)
        : m_color(color)
    {
    }

    void SetColor(CGUIColor color) { m_color = color; }
    CGUIColor GetColor() const { return m_color; }
    CGUINotifier& GetChangeNotifier() { return m_changeNotifier; }

    // Fills rect (in the context's coordinates) with the colour.
    void Paint(IGUIDrawContext& context, const CGUIRect& rect) const;

private:
    CGUIColor m_color;
    CGUINotifier m_changeNotifier;
};
