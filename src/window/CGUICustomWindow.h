#pragma once

#include "foundation/CGUILifetime.h"
#include "graphics/CGUIRegion.h"
#include "runtime/CGUIThreadInvoker.h"
#include "runtime/CGUITimer.h"
#include "window/CGUIWindow.h"
#include "window/CGUIWindowCompositor.h"
#include "window/CGUIWindowMouseTracker.h"
#include "window/GUIWindowClass.h"
#include "window/IGUIKeyboardListener.h"
#include "window/IGUIMouseListener.h"
#include "window/IGUIPainter.h"
#include "window/IGUIWindowListener.h"

#include <windows.h>

#include <memory>

class CGUICursor;
class IGUIDrawContext;

// Private messages under which a parent hands a child control the
// notifications that control sent it.
constexpr UINT WM_GUI_REFLECTED_COMMAND = 0xBD11;
constexpr UINT WM_GUI_REFLECTED_NOTIFY = 0xBC4E;

// The common base of the framework's windows. It creates native windows of
// the framework's classes (CreateChild) or wraps native controls
// (CreateNativeChild, Attach), receives every message of its native window
// through one routing procedure, turns them into calls on the window, mouse
// and keyboard listeners and into notifier firings, reflects WM_COMMAND and
// WM_NOTIFY back to the controls that sent them, and paints its client area
// with its painter, optionally through a back buffer. The mouse side is its
// CGUIWindowMouseTracker, the painting its CGUIWindowCompositor.
//
// A class changes what happens on input by answering other listeners from
// GetWindowListener, GetMouseListener and GetKeyboardListener. A listener may
// destroy the native window, and may even delete this object, from inside a
// notification: the routing touches nothing of the object afterwards.
//
// A wrapped native control (one whose window procedure was replaced) keeps
// working as before: after the listeners have seen a message, the control's
// own procedure gets it too, unless the listener consumed it (a wanted key) or
// the window's painter paints it.
//
// Destroying the object unbinds it from its native window first (the window
// can no longer reach it) and then destroys the native window.
class CGUICustomWindow : public CGUIWindow {
public:
    CGUICustomWindow();
    ~CGUICustomWindow() override;

    // The cursor shown over the window (a copy kept by SetWindowCursor), or
    // none.
    virtual CGUICursor* GetCursor();
    // What paints the client area: the content given to SetContent, or none.
    virtual IGUIPainter* GetPainter();
    // The listeners; by default the window's own no-op ones.
    virtual IGUIWindowListener* GetWindowListener();
    virtual IGUIMouseListener* GetMouseListener();
    virtual IGUIKeyboardListener* GetKeyboardListener();
    // How opaque the window is drawn over its parent, 0.0 to 1.0; a child
    // window below 1.0 is translucent: its parent and the siblings below it
    // are painted under it.
    virtual float GetOpacity() const;
    void SetOpacity(float opacity);
    // Whether a new child window is raised to the top of its siblings once
    // created (the default). Siblings that never overlap, such as the rows of
    // a list, may skip it: the platform's own place for a new child serves
    // them as well, and the raise is a window-position change of its own.
    void SetRaisedOnCreation(bool raised) { m_raisedOnCreation = raised; }

    // A child of parent of the child or double-click class, at the cached
    // position and size, visible and enabled as the flags say. An existing
    // native window is destroyed first. True when the window was created.
    [[nodiscard]] bool CreateChild(HWND parent, bool clipChildren, bool doubleClicks);
    // A native control of nativeClass (style without WS_VISIBLE, which the
    // visible flag adds) of width × height at the cached position (0, 0 for a
    // window never placed), whose window procedure is
    // replaced by the framework's; its own procedure still gets the messages.
    [[nodiscard]] bool CreateNativeChild(DWORD exStyle, const char* nativeClass, const char* windowName, DWORD style,
        int32_t width, int32_t height, HWND parent);
    // Binds an existing native window of this thread to the object (replacing
    // its window procedure) and registers the thread invoker; false for a null
    // or destroyed window or when the window property cannot be set.
    [[nodiscard]] bool Attach(HWND hwnd);
    // Unbinds the native window without destroying it: the previous window
    // procedure is back, the property gone, the timers stopped and the thread
    // invoker released. Runs by itself after WM_NCDESTROY.
    void Detach();

    // Creates a child window (CreateChild without clipping of children and
    // without double clicks).
    [[nodiscard]] bool Create(IGUIWindow* parent) override;
    // The window procedure; derived classes call it for what they do not
    // handle themselves.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Also kept: a window created later, or again, is made with the last
    // text given here.
    void SetText(const char* text) override;
    void SetContent(IGUIPainter* content) override;
    // Also marks the rectangle (none: everything) for repainting into the
    // back buffer.
    void Invalidate(const CGUIRect* rect, bool children) override;
    void SetSize(CGUISize size) override;
    // Top-level: WS_EX_LAYERED; child: an opacity below 1.0.
    [[nodiscard]] bool IsLayered() const override;
    // The mouse-inside flag kept by mouse tracking.
    [[nodiscard]] bool IsMouseInside() const override;
    void SetFocusOnHover(bool focusOnHover) override;
    void SetWindowCursor(const CGUICursor& cursor) override;
    IGUIThreadInvoker* GetThreadInvoker() override;

    // With a back buffer the window paints into an off-screen image and
    // repaints only what was invalidated through Invalidate since.
    void SetBackBuffered(bool backBuffered) { m_compositor.SetBackBuffered(backBuffered); }
    [[nodiscard]] bool IsBackBuffered() const { return m_compositor.IsBackBuffered(); }
    // The back buffer, or none before the first back-buffered paint.
    const IGUIImage* GetBackBuffer() const { return m_compositor.GetBackBuffer(); }
    // Hover time for mouse tracking, in milliseconds (HOVER_DEFAULT: the
    // system's).
    void SetHoverTime(DWORD milliseconds) { m_mouseTracker.SetHoverTime(milliseconds); }
    // The native timers of this window.
    CGUITimer& GetTimer() { return m_timer; }

    // Paints the window into context as it appears on the screen: over a
    // translucent child its parent and the siblings below it first. clip is in
    // client coordinates.
    void Compose(IGUIDrawContext& context, const CGUIRegion& clip) { m_compositor.Compose(context, clip); }

    // Ends when the object is destroyed, before any of its members: a handler
    // that calls out (to listeners, notifiers or other windows) declares a
    // CGUILifetimeGuard on it first and asks IsGone after each call.
    const CGUILifetime& GetLifetime() const { return m_lifetime; }

    CGUINotifier& GetDestroyNotifier() { return m_destroyNotifier; }
    CGUINotifier& GetSizeNotifier() { return m_sizeNotifier; }
    CGUINotifier& GetFocusNotifier() { return m_focusNotifier; }
    CGUINotifier& GetMouseEnterLeaveNotifier() { return m_mouseEnterLeaveNotifier; }
    CGUINotifier& GetHoverNotifier() { return m_hoverNotifier; }

protected:
    // Registers the framework class of kind and creates the window with the
    // object as creation parameter; used by the create operations.
    [[nodiscard]] bool CreateClassWindow(
        EGUIWindowClass kind, DWORD style, CGUIPoint position, CGUISize size, HWND parent);
    // The last text given to SetText (empty when none was).
    const CGUIString& GetGivenText() const { return m_givenText; }
    // Whether Attach gives the window a thread invoker (default true).
    void SetUsesThreadInvoker(bool uses) { m_usesThreadInvoker = uses; }
    // Whether the window procedure of a native control was replaced.
    [[nodiscard]] bool IsSubclassed() const { return GetPreviousWindowProc() != nullptr; }

private:
    static LRESULT CALLBACK CreationProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK RoutingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    LRESULT OnCreateMessage(WPARAM wParam, LPARAM lParam);
    void OnPlacementChanged(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyMessage(UINT message, WPARAM wParam, LPARAM lParam);

    CGUILifetime m_lifetime;
    WNDPROC m_replacedProc = nullptr;
    std::unique_ptr<IGUIPainter> m_content;
    std::unique_ptr<CGUICursor> m_cursor;
    float m_opacity = 1.0f;
    CGUIRect m_lastRect;
    CGUIString m_givenText;
    // From WM_DESTROY until the window is unbound.
    bool m_beingDestroyed = false;
    bool m_usesThreadInvoker = true;
    bool m_raisedOnCreation = true;
    CGUIWindowMouseTracker m_mouseTracker { *this };
    CGUIWindowCompositor m_compositor { *this };
    CGUIThreadInvoker m_invoker;
    CGUITimer m_timer;
    CGUIWindowListener m_windowListener;
    CGUIMouseListener m_mouseListener;
    CGUIKeyboardListener m_keyboardListener;
    CGUINotifier m_destroyNotifier;
    CGUINotifier m_sizeNotifier;
    CGUINotifier m_focusNotifier;
    CGUINotifier m_mouseEnterLeaveNotifier;
    CGUINotifier m_hoverNotifier;
};
