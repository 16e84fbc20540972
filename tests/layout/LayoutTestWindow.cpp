#include "LayoutTestWindow.h"

namespace {
const char kClassName[] = "LayoutTestWindow";
}

bool LayoutTestWindow::Create(IGUIWindow* parent)
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
    const DWORD style = parent ? (m_style | WS_CHILD) & ~static_cast<DWORD>(WS_POPUP) : m_style;
    const CGUIPoint position = GetCachedPosition();
    const CGUISize size = GetCachedSize();
    return CreateWindowExA(m_exStyle, kClassName, "", style, position.x, position.y, size.width, size.height,
               parent ? parent->GetHandle() : nullptr, nullptr, GetModuleHandleA(nullptr), this)
        != nullptr;
}

LRESULT LayoutTestWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    CGUIWindow::WindowProc(message, wParam, lParam);
    return DefaultProc(message, wParam, lParam);
}

CGUIRect LayoutTestWindow::GetNativeRect() const
{
    RECT rect {};
    GetWindowRect(GetHandle(), &rect);
    if (const HWND parent = GetParent(GetHandle()); parent && (GetWindowLongA(GetHandle(), GWL_STYLE) & WS_CHILD)) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    }
    return { rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top };
}

CGUISize LayoutTestWindow::GetNativeClientSize() const
{
    RECT client {};
    GetClientRect(GetHandle(), &client);
    return { client.right, client.bottom };
}

LRESULT CALLBACK LayoutTestWindow::ClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* window = static_cast<LayoutTestWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (!window->AttachHandle(hwnd)) {
            return FALSE;
        }
    }
    CGUIWindow* window = CGUIWindow::FromHandle(hwnd);
    if (!window) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    const LRESULT result = window->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        static_cast<LayoutTestWindow*>(window)->DetachHandle();
    }
    return result;
}
