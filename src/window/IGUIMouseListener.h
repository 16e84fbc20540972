#pragma once

#include "window/GUIWindowEvents.h"

// Mouse input of a window, in client coordinates. Down, up, click and double
// click come only for points that the window's hit test accepts; a click is an
// up that follows a down inside the window.
class IGUIMouseListener {
public:
    virtual void OnLeftDown(const CGUIMouseEvent& event) = 0;
    virtual void OnLeftUp(const CGUIMouseEvent& event) = 0;
    virtual void OnLeftClick(const CGUIMouseEvent& event) = 0;
    virtual void OnLeftDoubleClick(const CGUIMouseEvent& event) = 0;
    virtual void OnRightDown(const CGUIMouseEvent& event) = 0;
    virtual void OnRightUp(const CGUIMouseEvent& event) = 0;
    virtual void OnRightClick(const CGUIMouseEvent& event) = 0;
    virtual void OnRightDoubleClick(const CGUIMouseEvent& event) = 0;
    virtual void OnMouseEnter(const CGUIMouseEvent& event) = 0;
    // Inside the window, and outside while it holds the capture.
    virtual void OnMouseMove(const CGUIMouseEvent& event) = 0;
    virtual void OnMouseHover(const CGUIMouseEvent& event) = 0;
    virtual void OnMouseLeave(const CGUIMouseEvent& event) = 0;
    virtual void OnMouseWheel(const CGUIMouseEvent& event) = 0;
    virtual ~IGUIMouseListener() = default;
};

// Ignores every mouse event.
class CGUIMouseListener : public IGUIMouseListener {
public:
    void OnLeftDown(const CGUIMouseEvent&) override { }
    void OnLeftUp(const CGUIMouseEvent&) override { }
    void OnLeftClick(const CGUIMouseEvent&) override { }
    void OnLeftDoubleClick(const CGUIMouseEvent&) override { }
    void OnRightDown(const CGUIMouseEvent&) override { }
    void OnRightUp(const CGUIMouseEvent&) override { }
    void OnRightClick(const CGUIMouseEvent&) override { }
    void OnRightDoubleClick(const CGUIMouseEvent&) override { }
    void OnMouseEnter(const CGUIMouseEvent&) override { }
    void OnMouseMove(const CGUIMouseEvent&) override { }
    void OnMouseHover(const CGUIMouseEvent&) override { }
    void OnMouseLeave(const CGUIMouseEvent&) override { }
    void OnMouseWheel(const CGUIMouseEvent&) override { }
};
