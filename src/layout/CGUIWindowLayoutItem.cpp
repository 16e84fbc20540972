#include "layout/CGUIWindowLayoutItem.h"

CGUIWindowLayoutItem::CGUIWindowLayoutItem(IGUIWindow* window)
    : m_window(window)
{
}

void CGUIWindowLayoutItem::SetSize(CGUISize size)
{
    if (m_window) {
        m_window->SetSize(size);
    }
}

void CGUIWindowLayoutItem::UpdatePreferredSize()
{
}

void CGUIWindowLayoutItem::SetPosition(CGUIPoint position)
{
    if (m_window) {
        m_window->SetPosition(position);
    }
}

CGUISize CGUIWindowLayoutItem::GetSize()
{
    return m_window ? m_window->GetSize() : CGUISize {};
}
