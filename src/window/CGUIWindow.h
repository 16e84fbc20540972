#pragma once

#include "foundation/CGUINotifier.h"
#include "foundation/CGUIString.h"
#include "window/IGUIWindow.h"

#include <windows.h>

#include <vector>

// The framework's wrapper of one native window. It owns the handle, links the
// native window to itself through the window property "_CGUIWindow::Ptr_"
// (for other code; FromHandle reads the same binding from the process's handle
// map, without a round trip to the window server), keeps the size and position so that they can be set before the
// native window exists, and owns the window's hot keys. Derived classes create
// the native window (Create), supply the thread invoker and route the window's
// messages to WindowProc.
//
// Destroying the object first releases its hot keys and removes the property,
// so the object can no longer be found from the handle, then destroys the
// native window if it still exists.
class CGUIWindow : public IGUIWindow, public IGUIEnabling, public IGUIWindowShape, public IGUIWindowDrawing {
public:
    CGUIWindow() = default;
    CGUIWindow(const CGUIWindow&) = delete;
    CGUIWindow& operator=(const CGUIWindow&) = delete;
    ~CGUIWindow() override;

    // The framework object of a native window of this process, or none for a
    // null, destroyed or foreign window and for one that is not bound.
    static CGUIWindow* FromHandle(HWND hwnd);

    virtual void SetTopmost();
    [[nodiscard]] virtual bool GetOption() const;
    // The framework object of the window holding the mouse capture, or none.
    virtual CGUIWindow* GetCaptureWindow() const;
    // Keeps the size and position caches and the enabled flag in step with
    // WM_MOVE, WM_SIZE and WM_ENABLE; returns 0 for every message. Derived
    // classes call it first and give what they do not handle to DefaultProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window's previous procedure when it was subclassed, else
    // DefWindowProcA; 0 without a native window.
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Fire on the thread that called SetVisible or SetEnabled (and on the
    // window's thread when WM_ENABLE changes the enabled flag).
    CGUINotifier& GetVisibilityNotifier() { return m_visibilityNotifier; }
    CGUINotifier& GetEnabledNotifier() { return m_enabledNotifier; }

    void OffsetBy(IGUIWindow* other) override;
    void Destroy() override;
    [[nodiscard]] bool IsCreated() const override;
    IGUIWindow* GetParentWindow() const override;
    IGUIWindow* GetOwnerWindow() const override;
    IGUIWindowIterator* CreateChildIterator() const override;

    // Stores the flag and fires the visibility notifier on the calling thread
    // when the value changes; the native show or hide runs on the window's
    // thread through its thread invoker (a caller on another thread waits for
    // it). Without an invoker the native call is made directly.
    void SetVisible(bool visible) override;
    [[nodiscard]] bool IsVisible() const override;
    [[nodiscard]] bool IsWindowVisible() const override;
    [[nodiscard]] bool HasTabStop() const override;
    void SetTabStop(bool tabStop) override;
    void SetText(const char* text) override;
    const char* GetText() override;
    [[nodiscard]] bool IsChildWindow() const override;

    void InvalidateWithParents(const CGUIRect* rect) override;
    void Invalidate(const CGUIRect* rect, bool children) override;

    void SetSize(CGUISize size) override;
    CGUISize GetClientSize() const override;
    CGUISize GetSize() override;
    CGUIRect GetClientArea() const override;
    void SetPosition(CGUIPoint position) override;
    void Offset(int32_t dx, int32_t dy) override;
    CGUIPoint GetScreenPosition() override;
    CGUIPoint GetPosition() override;
    CGUIPoint GetPositionInParent() override;
    void BringToTop() override;
    [[nodiscard]] bool IsLayered() const override;
    void SetOption(bool option) override;

    void SetCapture() override;
    void ReleaseCapture() override;
    [[nodiscard]] bool HasCapture() const override;
    [[nodiscard]] bool IsMouseInside() const override;
    void SetFocus(bool focus) override;
    [[nodiscard]] bool HasFocus() const override;

    IGUIWindowShape* GetShape() override { return this; }
    const IGUIWindowShape* GetShape() const override { return this; }
    IGUIWindowDrawing* GetDrawing() override { return this; }
    const IGUIWindowDrawing* GetDrawing() const override { return this; }
    IGUIEnabling* GetEnabling() override { return this; }

    [[nodiscard]] int32_t RegisterHotKey(UINT modifiers, UINT virtualKey) override;
    void UnregisterHotKey(int32_t id) override;
    HWND GetHandle() const override { return m_hwnd; }

    // Same threading as SetVisible, with the enabled flag and notifier.
    void SetEnabled(bool enabled) override;
    [[nodiscard]] bool IsEnabled() const override;

    // Every point of the client area.
    [[nodiscard]] bool HitTest(CGUIPoint point) const override;
    // Nothing to prepare for a plain window.
    void PrepareShowHide(bool visible) override;

protected:
    // Links hwnd and this object through the window property; the object
    // takes over the handle. False for a null handle or when the property
    // cannot be set.
    [[nodiscard]] bool AttachHandle(HWND hwnd);
    // Removes the property (when it still names this object) and forgets the
    // handle without destroying the window.
    void DetachHandle();
    void SetPreviousWindowProc(WNDPROC previous) { m_previousWindowProc = previous; }
    WNDPROC GetPreviousWindowProc() const { return m_previousWindowProc; }
    // The values to create the native window with.
    CGUISize GetCachedSize() const { return m_size; }
    CGUIPoint GetCachedPosition() const { return m_position; }
    // Unregisters and deletes every hot key of the window; derived classes
    // that unbind the handle in their destructor call it first.
    void ReleaseHotKeys();

private:
    template <class Change> void RunOnWindowThread(Change change);
    // The window that positions are relative to: the parent of a child
    // window, none (the screen) for a top-level one.
    HWND GetCoordinateParent() const;

    HWND m_hwnd = nullptr;
    HGLOBAL m_property = nullptr;
    WNDPROC m_previousWindowProc = nullptr;
    CGUISize m_size;
    CGUIPoint m_position;
    bool m_visible = false;
    bool m_enabled = true;
    bool m_option = false;
    CGUIString m_text;
    std::vector<ATOM> m_hotKeys;
    CGUINotifier m_visibilityNotifier;
    CGUINotifier m_enabledNotifier;
};
