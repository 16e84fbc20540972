#pragma once

#include "graphics/CGUIPoint.h"
#include "graphics/CGUIRect.h"
#include "graphics/CGUISize.h"
#include "runtime/IGUIThreadInvoker.h"

#include <windows.h>

#include <cstdint>

class CGUICursor;
class IGUIPainter;
class IGUIWindow;

// Walks a set of windows; the caller deletes the iterator.
class IGUIWindowIterator {
public:
    // The next window, or none when the walk is over.
    virtual IGUIWindow* Next() = 0;
    virtual ~IGUIWindowIterator() = default;
};

// The shape of a window for hit testing.
class IGUIWindowShape {
public:
    // Whether a point in client coordinates belongs to the window.
    [[nodiscard]] virtual bool HitTest(CGUIPoint point) const = 0;
    virtual ~IGUIWindowShape() = default;
};

// What a window draws beyond the native window itself.
class IGUIWindowDrawing {
public:
    // Runs on the window's thread around a native show or hide: before the
    // window is hidden, after it has been shown.
    virtual void PrepareShowHide(bool visible) = 0;
    virtual ~IGUIWindowDrawing() = default;
};

// Enabling and disabling a window (or control).
class IGUIEnabling {
public:
    // May be called from any thread; see CGUIWindow::SetEnabled.
    virtual void SetEnabled(bool enabled) = 0;
    [[nodiscard]] virtual bool IsEnabled() const = 0;
    virtual ~IGUIEnabling() = default;
};

// Every framework window. Sizes and positions are device pixels. Where the
// native window does not exist, an operation that needs it does nothing and
// returns its neutral value (false, 0, none), unless it names a cached value.
// All operations run on the thread that owns the window, except SetVisible and
// SetEnabled.
class IGUIWindow {
public:
    // Offsets this window by the position of other in its parent (see
    // Offset); nothing for none.
    virtual void OffsetBy(IGUIWindow* other) = 0;
    // Creates the native window as a child of parent (or top-level for none).
    [[nodiscard]] virtual bool Create(IGUIWindow* parent) = 0;
    virtual void Destroy() = 0;
    [[nodiscard]] virtual bool IsCreated() const = 0;
    // The framework objects of the native parent and owner, or none.
    virtual IGUIWindow* GetParentWindow() const = 0;
    virtual IGUIWindow* GetOwnerWindow() const = 0;
    // The framework child windows, topmost first; the caller deletes it.
    virtual IGUIWindowIterator* CreateChildIterator() const = 0;

    virtual void SetVisible(bool visible) = 0;
    // The visible flag as last set through SetVisible.
    [[nodiscard]] virtual bool IsVisible() const = 0;
    // Whether the native window and all its ancestors are visible.
    [[nodiscard]] virtual bool IsWindowVisible() const = 0;
    [[nodiscard]] virtual bool HasTabStop() const = 0;
    virtual void SetTabStop(bool tabStop) = 0;
    // Null text is ignored.
    virtual void SetText(const char* text) = 0;
    // The native window text, valid until the next GetText; never null.
    virtual const char* GetText() = 0;
    [[nodiscard]] virtual bool IsChildWindow() const = 0;
    // Gives the window the object that paints its content (owned; none
    // deletes the one held).
    virtual void SetContent(IGUIPainter* content) = 0;

    // rect in client coordinates; none means the whole client area.
    virtual void InvalidateWithParents(const CGUIRect* rect) = 0;
    virtual void Invalidate(const CGUIRect* rect, bool children) = 0;

    // The outer size of the window; kept until the native window exists.
    virtual void SetSize(CGUISize size) = 0;
    virtual CGUISize GetClientSize() const = 0;
    virtual CGUISize GetSize() = 0;
    // The client area inside the window's own rectangle.
    virtual CGUIRect GetClientArea() const = 0;
    // Position relative to the parent's client area (to the screen for a
    // top-level window); kept until the native window exists.
    virtual void SetPosition(CGUIPoint position) = 0;
    virtual void Offset(int32_t dx, int32_t dy) = 0;
    virtual CGUIPoint GetScreenPosition() = 0;
    virtual CGUIPoint GetPosition() = 0;
    virtual CGUIPoint GetPositionInParent() = 0;
    virtual void BringToTop() = 0;
    [[nodiscard]] virtual bool IsLayered() const = 0;
    // Marks the window as interactive (a click takes the focus).
    virtual void SetOption(bool option) = 0;

    virtual void SetCapture() = 0;
    // Releases the mouse capture only when this window holds it.
    virtual void ReleaseCapture() = 0;
    [[nodiscard]] virtual bool HasCapture() const = 0;
    [[nodiscard]] virtual bool IsMouseInside() const = 0;
    // true takes the focus; false gives it up only when this window has it.
    virtual void SetFocus(bool focus) = 0;
    [[nodiscard]] virtual bool HasFocus() const = 0;
    virtual void SetFocusOnHover(bool focusOnHover) = 0;
    // Keeps a copy of cursor to show over the window.
    virtual void SetWindowCursor(const CGUICursor& cursor) = 0;

    virtual IGUIWindowShape* GetShape() = 0;
    virtual const IGUIWindowShape* GetShape() const = 0;
    virtual IGUIWindowDrawing* GetDrawing() = 0;
    virtual const IGUIWindowDrawing* GetDrawing() const = 0;
    virtual IGUIEnabling* GetEnabling() = 0;
    // The window's thread invoker, created on first use; none when it cannot
    // be created.
    virtual IGUIThreadInvoker* GetThreadInvoker() = 0;

    // Registers a system-wide hot key for the window; the result is its
    // identifier (a global atom), or 0 when it could not be registered.
    [[nodiscard]] virtual int32_t RegisterHotKey(UINT modifiers, UINT virtualKey) = 0;
    // Unregisters a hot key of this window; other identifiers are ignored.
    virtual void UnregisterHotKey(int32_t id) = 0;
    virtual HWND GetHandle() const = 0;

    virtual ~IGUIWindow() = default;
};
