#include "TestWindow.h"

std::atomic<bool> TestWindow::s_destroySeen { false };
std::atomic<CGUIWindow*> TestWindow::s_lookupAtDestroy { nullptr };

namespace {
const char kClassName[] = "WindowWrapperTestWindow";
}

bool TestWindow::Create(IGUIWindow* parent)
{
    const DWORD style = parent ? (m_style | WS_CHILD) & ~static_cast<DWORD>(WS_POPUP) : m_style;
    return CreateNative(parent ? parent->GetHandle() : nullptr, style);
}

bool TestWindow::CreateOwned(IGUIWindow* owner)
{
    return CreateNative(owner ? owner->GetHandle() : nullptr, m_style | WS_POPUP);
}

bool TestWindow::CreateNative(HWND parent, DWORD style)
{
    static const ATOM windowClass = [] {
        WNDCLASSA description {};
        description.lpfnWndProc = ClassProc;
        description.hInstance = GetModuleHandleA(nullptr);
        description.lpszClassName = kClassName;
        return RegisterClassA(&description);
    }();
    if (windowClass == 0) {
        return false;
    }
    const CGUIPoint position = GetCachedPosition();
    const CGUISize size = GetCachedSize();
    if (IsVisible()) {
        style |= WS_VISIBLE;
    }
    const HWND hwnd = CreateWindowExA(0, kClassName, "", style, position.x, position.y, size.width, size.height, parent,
        nullptr, GetModuleHandleA(nullptr), this);
    return hwnd && m_invoker.SetOwner(hwnd);
}

IGUIThreadInvoker* TestWindow::GetThreadInvoker()
{
    return m_invoker.GetHandle() ? &m_invoker : nullptr;
}

LRESULT TestWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    CGUIWindow::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_WINDOWPOSCHANGING: {
        const auto* change = reinterpret_cast<const WINDOWPOS*>(lParam);
        if ((change->flags & (SWP_NOSIZE | SWP_NOMOVE)) != (SWP_NOSIZE | SWP_NOMOVE)) {
            ++positionChanges;
        }
        break;
    }
    case WM_SHOWWINDOW:
        ++showMessages;
        showThread = GetCurrentThreadId();
        break;
    case WM_ENABLE:
        enableThread = GetCurrentThreadId();
        break;
    default:
        break;
    }
    return DefaultProc(message, wParam, lParam);
}

LRESULT CALLBACK TestWindow::ClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* window = static_cast<TestWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (!window->AttachHandle(hwnd)) {
            return FALSE;
        }
    }
    if (message == WM_DESTROY) {
        s_lookupAtDestroy = CGUIWindow::FromHandle(hwnd);
        s_destroySeen = true;
    }
    CGUIWindow* window = CGUIWindow::FromHandle(hwnd);
    if (!window) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    const LRESULT result = window->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        static_cast<TestWindow*>(window)->DetachHandle();
    }
    return result;
}
