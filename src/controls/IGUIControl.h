#pragma once

#include "graphics/CGUIPoint.h"
#include "graphics/CGUIRect.h"

class CGUICursor;
class IGUIControl;
class IGUIControlHost;
class IGUIEnabling;
class IGUIKeyboardListener;
class IGUIMouseListener;
class IGUIPainter;
class IGUIWindow;

// Walks the children of a control in painting order; the caller deletes it.
class IGUIControlIterator {
public:
    // The next child, or none when the walk is over.
    virtual IGUIControl* Next() = 0;
    virtual ~IGUIControlIterator() = default;
};

// A control without a native window of its own. Controls form trees: the root
// is attached to a host view (SetHost), which paints the tree and feeds it
// mouse and keyboard input; every other control lies inside its parent.
// Positions are in the parent's coordinates, rectangles in the control's own;
// the size is that of the content painter. Everything runs on the GUI thread.
class IGUIControl {
public:
    // The host view's window and focus/capture interface, reached through the
    // root of the tree; none outside a hosted tree.
    virtual IGUIWindow* GetHostWindow() const = 0;
    virtual IGUIControlHost* GetHost() const = 0;
    // Moves the control under parent (none: out of any tree), owned or not,
    // and forgets a host of its own.
    virtual void SetParent(IGUIControl* parent, bool owned) = 0;
    // Makes the control the root of a host view's tree, taking it out of its
    // parent.
    virtual void SetHost(IGUIWindow* window, IGUIControlHost* host) = 0;
    virtual IGUIControl* GetParent() const = 0;
    // Appends child to the painting order (painted over the earlier children);
    // a child already here keeps its place and only takes the owned flag. An
    // owned child is deleted with this control.
    virtual void AddChild(IGUIControl* child, bool owned) = 0;
    // Takes child out of the list and deletes it when it was owned; returns
    // the owned flag (false for a control that is not a child).
    [[nodiscard]] virtual bool RemoveChild(IGUIControl* child) = 0;
    virtual IGUIControlIterator* CreateChildIterator() const = 0;

    virtual void SetVisible(bool visible) = 0;
    [[nodiscard]] virtual bool IsVisible() const = 0;
    // Visible, hosted, and the host window is visible on screen.
    [[nodiscard]] virtual bool IsShown() const = 0;
    virtual void SetPosition(CGUIPoint position) = 0;
    virtual void Offset(CGUIPoint delta) = 0;
    virtual CGUIPoint GetPosition() const = 0;
    // Moves the control to the end of its parent's painting order.
    virtual void BringToFront() = 0;
    // Whether what lies behind the control can show through it: its shape
    // does not cover its rectangle, or its opacity is below 1.
    [[nodiscard]] virtual bool IsTranslucent() const = 0;
    // 1.0 opaque, 0.0 invisible.
    virtual void SetOpacity(float opacity) = 0;
    virtual float GetOpacity() const = 0;
    virtual const IGUIPainter* GetTreePainter() const = 0;

    // The control receives all mouse input of its host until released.
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;
    [[nodiscard]] virtual bool HasMouseCapture() const = 0;
    [[nodiscard]] virtual bool IsHovered() const = 0;
    // Whether the control can be found by hit testing (default true).
    virtual void SetAcceptsMouse(bool accepts) = 0;
    [[nodiscard]] virtual bool AcceptsMouse() const = 0;
    // true takes the keyboard focus of the host; false gives it up only when
    // this control has it.
    virtual void SetFocus(bool focus) = 0;
    [[nodiscard]] virtual bool HasFocus() const = 0;
    // Take the focus whenever the mouse enters the control.
    virtual void SetFocusOnHover(bool focusOnHover) = 0;
    [[nodiscard]] virtual bool IsFocusOnHover() const = 0;
    // Keeps a copy of cursor (none: no cursor of its own) to show over the
    // control.
    virtual void SetCursor(const CGUICursor* cursor) = 0;
    virtual CGUICursor* GetCursor() const = 0;

    // The painter of the control's own content; it owns the control's size.
    virtual IGUIPainter* GetContentPainter() = 0;
    // Paints the control with its children; its size is the control's.
    virtual IGUIPainter* GetTreePainter() = 0;
    // Asks the host window to repaint rect (own coordinates), less what opaque
    // controls painted later cover.
    virtual void InvalidateRect(const CGUIRect& rect) = 0;
    virtual void Invalidate() = 0;

    virtual IGUIEnabling* GetEnabling() = 0;
    // Where the host view delivers the control's input, positions in the
    // control's coordinates.
    virtual IGUIMouseListener* GetMouseListener() = 0;
    virtual IGUIKeyboardListener* GetKeyboardListener() = 0;

    virtual ~IGUIControl() = default;
};
