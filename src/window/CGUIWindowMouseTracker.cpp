#include "window/CGUIWindowMouseTracker.h"

#include "foundation/CGUILifetimeGuard.h"
#include "graphics/CGUICursor.h"
#include "window/CGUICustomWindow.h"

#include <utility>

namespace {
// The top-level window that contains hwnd is the active one.
bool IsInActiveWindow(HWND hwnd)
{
    return GetAncestor(hwnd, GA_ROOT) == GetActiveWindow();
}
} // namespace

void CGUIWindowMouseTracker::Reset()
{
    m_mouseInside = false;
    m_leftPressed = false;
    m_rightPressed = false;
}

CGUIMouseEvent CGUIWindowMouseTracker::MakeEvent(UINT message, WPARAM wParam, LPARAM lParam) const
{
    CGUIMouseEvent event;
    static_cast<CGUIWindowEvent&>(event) = CGUIWindowEvent { message, wParam, lParam };
    event.keys = static_cast<UINT>(wParam);
    POINT point { static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam)) };
    // The wheel comes in screen coordinates, the leave without any.
    if (message == WM_MOUSEWHEEL || message == WM_MOUSELEAVE) {
        if (message == WM_MOUSELEAVE) {
            GetCursorPos(&point);
        } else {
            event.keys = GET_KEYSTATE_WPARAM(wParam);
            event.wheelDelta = GET_WHEEL_DELTA_WPARAM(wParam);
        }
        ScreenToClient(m_window.GetHandle(), &point);
    }
    event.point = CGUIPoint { point.x, point.y };
    return event;
}

void CGUIWindowMouseTracker::OnMouseMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CGUIMouseEvent event = MakeEvent(message, wParam, lParam);
    const bool inside = m_window.GetShape()->HitTest(event.point);
    IGUIMouseListener* listener = m_window.GetMouseListener();
    switch (message) {
    case WM_MOUSEMOVE:
        TrackMove(event);
        return;
    case WM_MOUSELEAVE:
        TrackLeave(event);
        return;
    case WM_MOUSEWHEEL:
        listener->OnMouseWheel(event);
        return;
    case WM_MOUSEHOVER:
        if (inside) {
            const CGUILifetimeGuard guard(m_window.GetLifetime());
            listener->OnMouseHover(event);
            if (!guard.IsGone()) {
                m_window.GetHoverNotifier().Notify();
            }
        }
        return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        OnButtonDown(event, inside);
        return;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        OnButtonUp(event, inside);
        return;
    case WM_LBUTTONDBLCLK:
        if (inside) {
            listener->OnLeftDoubleClick(event);
        }
        return;
    case WM_RBUTTONDBLCLK:
        if (inside) {
            listener->OnRightDoubleClick(event);
        }
        return;
    default:
        return;
    }
}

void CGUIWindowMouseTracker::OnButtonDown(const CGUIMouseEvent& event, bool inside)
{
    const CGUILifetimeGuard guard(m_window.GetLifetime());
    const bool left = event.message == WM_LBUTTONDOWN;
    if (inside) {
        (left ? m_leftPressed : m_rightPressed) = true;
        IGUIMouseListener* listener = m_window.GetMouseListener();
        if (left) {
            listener->OnLeftDown(event);
        } else {
            listener->OnRightDown(event);
        }
        if (guard.IsGone()) {
            return;
        }
    }
    ShowCursorIfOver(inside || m_window.HasCapture());
    if (m_window.GetOption()) {
        m_window.SetFocus(true);
    }
}

void CGUIWindowMouseTracker::OnButtonUp(const CGUIMouseEvent& event, bool inside)
{
    const CGUILifetimeGuard guard(m_window.GetLifetime());
    const bool left = event.message == WM_LBUTTONUP;
    const bool wasPressed = std::exchange(left ? m_leftPressed : m_rightPressed, false);
    if (!inside) {
        return;
    }
    IGUIMouseListener* listener = m_window.GetMouseListener();
    if (left) {
        listener->OnLeftUp(event);
    } else {
        listener->OnRightUp(event);
    }
    if (guard.IsGone() || !wasPressed) {
        return;
    }
    if (left) {
        listener->OnLeftClick(event);
    } else {
        listener->OnRightClick(event);
    }
}

void CGUIWindowMouseTracker::TrackMove(const CGUIMouseEvent& event)
{
    const CGUILifetimeGuard guard(m_window.GetLifetime());
    const HWND hwnd = m_window.GetHandle();
    IGUIMouseListener* listener = m_window.GetMouseListener();
    const bool inside = m_window.GetShape()->HitTest(event.point);
    if (inside) {
        if (m_focusOnHover && !m_window.HasFocus() && (!m_window.IsChildWindow() || IsInActiveWindow(hwnd))) {
            m_window.SetFocus(true);
        }
        if (!m_mouseInside) {
            m_mouseInside = true;
            listener->OnMouseEnter(event);
            if (guard.IsGone()) {
                return;
            }
            m_window.GetMouseEnterLeaveNotifier().Notify();
            if (guard.IsGone()) {
                return;
            }
        }
        listener->OnMouseMove(event);
    } else {
        const bool wasInside = std::exchange(m_mouseInside, false);
        if (m_window.HasCapture()) {
            listener->OnMouseMove(event);
            if (guard.IsGone()) {
                return;
            }
        }
        if (wasInside) {
            listener->OnMouseLeave(event);
            if (guard.IsGone()) {
                return;
            }
            m_window.GetMouseEnterLeaveNotifier().Notify();
        }
    }
    if (guard.IsGone() || !m_window.IsCreated()) {
        return;
    }
    ShowCursorIfOver(inside || m_window.HasCapture());
    TRACKMOUSEEVENT tracking {};
    tracking.cbSize = sizeof(tracking);
    tracking.dwFlags = TME_HOVER | TME_LEAVE;
    tracking.hwndTrack = hwnd;
    tracking.dwHoverTime = m_hoverTime;
    TrackMouseEvent(&tracking);
}

void CGUIWindowMouseTracker::TrackLeave(const CGUIMouseEvent& event)
{
    const CGUILifetimeGuard guard(m_window.GetLifetime());
    if (m_mouseInside) {
        m_mouseInside = false;
        m_window.GetMouseListener()->OnMouseLeave(event);
        if (guard.IsGone()) {
            return;
        }
        m_window.GetMouseEnterLeaveNotifier().Notify();
        if (guard.IsGone()) {
            return;
        }
    }
    if (!m_window.HasCapture()) {
        m_leftPressed = false;
        m_rightPressed = false;
    }
    ShowCursorIfOver(m_window.CGUIWindow::IsMouseInside() || m_window.HasCapture());
}

void CGUIWindowMouseTracker::ShowCursorIfOver(bool over)
{
    CGUICursor* const cursor = over ? m_window.GetCursor() : nullptr;
    if (cursor && cursor->GetHandle()) {
        ::SetCursor(cursor->GetHandle());
    }
}
