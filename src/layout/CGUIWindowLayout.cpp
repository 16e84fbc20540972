#include "layout/CGUIWindowLayout.h"

#include "layout/GUILayoutGeometry.h"

#include <windows.h>

namespace {
// The room the window's frame, caption, menu bar and scroll bars take around
// the client area. Worked out from the styles rather than measured, because
// a window that is still smaller than its frame has an empty client area
// that hides how much the frame takes.
CGUISize GetFrameSize(const IGUIWindow& window)
{
    const HWND hwnd = window.GetHandle();
    if (!hwnd) {
        return {};
    }
    const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
    const BOOL hasMenu = (style & WS_CHILD) == 0 && GetMenu(hwnd) != nullptr;
    RECT rect {};
    if (!AdjustWindowRectEx(&rect, style, hasMenu, exStyle)) {
        return {};
    }
    CGUISize frame { rect.right - rect.left, rect.bottom - rect.top };
    if (style & WS_VSCROLL) {
        frame.width += GetSystemMetrics(SM_CXVSCROLL);
    }
    if (style & WS_HSCROLL) {
        frame.height += GetSystemMetrics(SM_CYHSCROLL);
    }
    return frame;
}
} // namespace

CGUIWindowLayout::CGUIWindowLayout(
    IGUIWindow* window, int32_t marginX, int32_t marginY, int32_t spacing, CGUIBoxLayout::Mode mode)
    : CGUIWindowLayoutItem(window)
    , m_layout(marginX, marginY, spacing, mode)
{
}

void CGUIWindowLayout::AddItem(IGUILayoutItem* item, const CGUILayoutPlacement& placement, bool owned)
{
    m_layout.AddItem(item, placement, owned);
}

void CGUIWindowLayout::Arrange(CGUIPoint position, CGUISize size)
{
    m_size = size;
    m_sizeKnown = true;
    SetPosition(position);
}

void CGUIWindowLayout::ArrangeContent()
{
    const CGUISize client = GetWindow() ? GetWindow()->GetClientSize() : m_size;
    m_layout.Arrange({}, client);
}

void CGUIWindowLayout::SetSize(CGUISize size)
{
    m_size = size;
    m_sizeKnown = true;
    CGUIWindowLayoutItem::SetSize(size);
    ArrangeContent();
}

void CGUIWindowLayout::UpdatePreferredSize()
{
    m_layout.UpdatePreferredSize();
    m_sizeKnown = m_layout.GetEntryCount() > 0;
    if (!m_sizeKnown) {
        return;
    }
    const CGUISize content = m_layout.GetPreferredSize();
    const CGUISize frame = GetWindow() ? GetFrameSize(*GetWindow()) : CGUISize {};
    m_size = { GUISaturate(int64_t { content.width } + frame.width),
        GUISaturate(int64_t { content.height } + frame.height) };
}

void CGUIWindowLayout::SetPosition(CGUIPoint position)
{
    if (m_sizeKnown) {
        CGUIWindowLayoutItem::SetSize(m_size);
    }
    CGUIWindowLayoutItem::SetPosition(position);
    ArrangeContent();
}

CGUISize CGUIWindowLayout::GetSize()
{
    return m_sizeKnown ? m_size : CGUIWindowLayoutItem::GetSize();
}
