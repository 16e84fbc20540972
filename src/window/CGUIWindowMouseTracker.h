#pragma once

#include "window/GUIWindowEvents.h"

#include <windows.h>

class CGUICustomWindow;

// The mouse side of a framework window: turns its mouse messages into calls on
// the window's mouse listener and its enter/leave and hover notifiers. It
// keeps which buttons were pressed inside (a click is an up after a down
// inside), whether the pointer is inside (enter and leave), asks the system
// for hover and leave messages, takes the focus on hover when asked, and shows
// the window's cursor while the pointer is over it or captured.
//
// Lives inside its window; a listener may delete the window, and with it the
// tracker, from any call: nothing is touched afterwards.
class CGUIWindowMouseTracker {
public:
    explicit CGUIWindowMouseTracker(CGUICustomWindow& window)
        : m_window(window)
    {
    }
    CGUIWindowMouseTracker(const CGUIWindowMouseTracker&) = delete;
    CGUIWindowMouseTracker& operator=(const CGUIWindowMouseTracker&) = delete;

    // WM_MOUSEMOVE, the button messages, WM_MOUSEWHEEL, WM_MOUSEHOVER and
    // WM_MOUSELEAVE.
    void OnMouseMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Forgets the pointer and the buttons (the window lost its native window).
    void Reset();

    [[nodiscard]] bool IsMouseInside() const { return m_mouseInside; }
    void SetFocusOnHover(bool focusOnHover) { m_focusOnHover = focusOnHover; }
    // In milliseconds; HOVER_DEFAULT: the system's.
    void SetHoverTime(DWORD milliseconds) { m_hoverTime = milliseconds; }

private:
    CGUIMouseEvent MakeEvent(UINT message, WPARAM wParam, LPARAM lParam) const;
    void OnButtonDown(const CGUIMouseEvent& event, bool inside);
    void OnButtonUp(const CGUIMouseEvent& event, bool inside);
    void TrackMove(const CGUIMouseEvent& event);
    void TrackLeave(const CGUIMouseEvent& event);
    void ShowCursorIfOver(bool over);

    CGUICustomWindow& m_window;
    bool m_mouseInside = false;
    bool m_leftPressed = false;
    bool m_rightPressed = false;
    bool m_focusOnHover = false;
    DWORD m_hoverTime = HOVER_DEFAULT;
};
