#include "window/CGUIChildWindowIterator.h"

#include "window/CGUIWindow.h"

CGUIChildWindowIterator::CGUIChildWindowIterator(HWND parent)
    : m_next(parent ? GetWindow(parent, GW_CHILD) : nullptr)
{
}

IGUIWindow* CGUIChildWindowIterator::Next()
{
    while (m_next) {
        const HWND current = m_next;
        m_next = GetWindow(current, GW_HWNDNEXT);
        if (CGUIWindow* window = CGUIWindow::FromHandle(current)) {
            return window;
        }
    }
    return nullptr;
}
