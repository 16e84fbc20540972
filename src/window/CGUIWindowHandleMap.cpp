#include "window/CGUIWindowHandleMap.h"

#include "runtime/CGUILockGuard.h"

CGUIWindowHandleMap& CGUIWindowHandleMap::GetInstance()
{
    // Never destroyed: a window object with static storage may unbind itself
    // after every function-local static is gone.
    static CGUIWindowHandleMap* const map = new CGUIWindowHandleMap;
    return *map;
}

void CGUIWindowHandleMap::Bind(HWND hwnd, CGUIWindow* window)
{
    CGUILockGuard guard(m_lock);
    m_windows[hwnd] = window;
}

void CGUIWindowHandleMap::Unbind(HWND hwnd, const CGUIWindow* window)
{
    CGUILockGuard guard(m_lock);
    const auto found = m_windows.find(hwnd);
    if (found != m_windows.end() && found->second == window) {
        m_windows.erase(found);
    }
}

CGUIWindow* CGUIWindowHandleMap::Find(HWND hwnd)
{
    CGUILockGuard guard(m_lock);
    const auto found = m_windows.find(hwnd);
    return found != m_windows.end() ? found->second : nullptr;
}
