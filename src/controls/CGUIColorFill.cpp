#include "CGUIColorFill.h"

#include "IGUIDrawContext.h"

void CGUIColorFill::Paint(IGUIDrawContext& context, const CGUIRect& rect) const
{
    context.FillRectangle(rect, m_color);
}
