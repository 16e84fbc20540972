#pragma once

#include "runtime/CGUIThreadInvoker.h"
#include "window/CGUIWindow.h"

#include <windows.h>

#include <atomic>

// A framework window over a small plain window class of the tests: bound to
// its object at WM_NCCREATE, routed to WindowProc, unbound at WM_NCDESTROY.
// It counts the native calls it sees and records the threads they run on.
class TestWindow : public CGUIWindow {
public:
    // style is used as given; a parent makes it a child window, an owner a
    // pop-up owned window.
    explicit TestWindow(DWORD style = WS_POPUP)
        : m_style(style)
    {
    }
    [[nodiscard]] bool Create(IGUIWindow* parent) override;
    [[nodiscard]] bool CreateOwned(IGUIWindow* owner);
    void SetContent(IGUIPainter*) override { }
    void SetFocusOnHover(bool) override { }
    void SetWindowCursor(const CGUICursor&) override { }
    IGUIThreadInvoker* GetThreadInvoker() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    using CGUIWindow::SetPreviousWindowProc;

    std::atomic<int> positionChanges { 0 };
    std::atomic<int> showMessages { 0 };
    std::atomic<DWORD> showThread { 0 };
    std::atomic<DWORD> enableThread { 0 };

    // What the property lookup answered while the native window was being
    // destroyed (WM_DESTROY); set only when WM_DESTROY arrives.
    static std::atomic<bool> s_destroySeen;
    static std::atomic<CGUIWindow*> s_lookupAtDestroy;

private:
    static LRESULT CALLBACK ClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateNative(HWND parent, DWORD style);

    DWORD m_style;
    CGUIThreadInvoker m_invoker;
};
