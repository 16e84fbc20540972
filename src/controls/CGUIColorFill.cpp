#include "controls/CGUIColorFill.h"

#include "graphics/IGUIDrawContext.h"

void CGUIColorFill::Paint(IGUIDrawContext& context, const CGUIRect& rect) const
{
    context.FillRectangle(rect, m_color);
}
