#pragma once

#include "window/CGUIWindow.h"

#include <windows.h>

// A framework window over a plain window class of these tests, bound to its
// object at WM_NCCREATE and unbound at WM_NCDESTROY. Created with the cached
// size and position; a parent makes it a child window.
class LayoutTestWindow : public CGUIWindow {
public:
    explicit LayoutTestWindow(DWORD style, DWORD exStyle = 0)
        : m_style(style)
        , m_exStyle(exStyle)
    {
    }
    [[nodiscard]] bool Create(IGUIWindow* parent) override;
    void SetContent(IGUIPainter*) override { }
    void SetFocusOnHover(bool) override { }
    void SetWindowCursor(const CGUICursor&) override { }
    // None: shown and enabled directly, all on the test's thread.
    IGUIThreadInvoker* GetThreadInvoker() override { return nullptr; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The native rectangle in the parent's client coordinates (the screen
    // for a top-level window) and the native client size.
    CGUIRect GetNativeRect() const;
    CGUISize GetNativeClientSize() const;

private:
    static LRESULT CALLBACK ClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    DWORD m_style;
    DWORD m_exStyle;
};
