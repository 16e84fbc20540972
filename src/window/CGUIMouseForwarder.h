#pragma once

#include "window/IGUIMouseListener.h"

// A mouse listener that hands every operation to Forward, together with the
// operation itself, so that a class passing mouse input on writes the passing
// once. A derived class overrides the operations it handles itself.
class CGUIMouseForwarder : public IGUIMouseListener {
public:
    using Operation = void (IGUIMouseListener::*)(const CGUIMouseEvent&);

    void OnLeftDown(const CGUIMouseEvent& event) override { Forward(event, &IGUIMouseListener::OnLeftDown); }
    void OnLeftUp(const CGUIMouseEvent& event) override { Forward(event, &IGUIMouseListener::OnLeftUp); }
    void OnLeftClick(const CGUIMouseEvent& event) override { Forward(event, &IGUIMouseListener::OnLeftClick); }
    void OnLeftDoubleClick(const CGUIMouseEvent& event) override
    {
        Forward(event, &IGUIMouseListener::OnLeftDoubleClick);
    }
    void OnRightDown(const CGUIMouseEvent& event) override { Forward(event, &IGUIMouseListener::OnRightDown); }
    void OnRightUp(const CGUIMouseEvent& event) override { Forward(event, &IGUIMouseListener::OnRightUp); }
    void OnRightClick(const CGUIMouseEvent& event) override { Forward(event, &IGUIMouseListener::OnRightClick); }
    void OnRightDoubleClick(const CGUIMouseEvent& event) override
    {
        Forward(event, &IGUIMouseListener::OnRightDoubleClick);
    }
    void OnMouseEnter(const CGUIMouseEvent& event) override { Forward(event, &IGUIMouseListener::OnMouseEnter); }
    void OnMouseMove(const CGUIMouseEvent& event) override { Forward(event, &IGUIMouseListener::OnMouseMove); }
    void OnMouseHover(const CGUIMouseEvent& event) override { Forward(event, &IGUIMouseListener::OnMouseHover); }
    void OnMouseLeave(const CGUIMouseEvent& event) override { Forward(event, &IGUIMouseListener::OnMouseLeave); }
    void OnMouseWheel(const CGUIMouseEvent& event) override { Forward(event, &IGUIMouseListener::OnMouseWheel); }

protected:
    // Calls operation on whatever listener the event is meant for.
    virtual void Forward(const CGUIMouseEvent& event, Operation operation) = 0;
};
