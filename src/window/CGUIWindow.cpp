#include "window/CGUIWindow.h"

#include "graphics/GUIPixelArithmetic.h"
#include "runtime/GUIModule.h"
#include "runtime/TGUICall.h"
#include "window/CGUIChildWindowIterator.h"
#include "window/CGUIWindowHandleMap.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>

namespace {
const char kWindowProperty[] = "_CGUIWindow::Ptr_";

// Process-wide, so that no two hot-key atoms of the process share a name.
std::atomic<int32_t> s_hotKeyCounter { 0 };

constexpr UINT kZOrderOnly = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
constexpr UINT kSizeOnly = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

RECT ToNative(const CGUIRect& rect)
{
    return RECT { rect.x, rect.y, GUISaturate(GUIRight(rect)), GUISaturate(GUIBottom(rect)) };
}

LONG_PTR StyleOf(HWND hwnd)
{
    return hwnd ? GetWindowLongPtrA(hwnd, GWL_STYLE) : 0;
}
} // namespace

CGUIWindow::~CGUIWindow()
{
    ReleaseHotKeys();
    const HWND hwnd = m_hwnd;
    DetachHandle();
    if (hwnd) {
        DestroyWindow(hwnd);
    }
}

CGUIWindow* CGUIWindow::FromHandle(HWND hwnd)
{
    if (!hwnd || !IsWindow(hwnd)) {
        return nullptr;
    }
    // The property of another process's window would name memory of that process.
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process != GetCurrentProcessId()) {
        return nullptr;
    }
    return CGUIWindowHandleMap::GetInstance().Find(hwnd);
}

bool CGUIWindow::AttachHandle(HWND hwnd)
{
    if (!hwnd) {
        return false;
    }
    if (hwnd == m_hwnd) {
        return true;
    }
    DetachHandle();
    const HGLOBAL block = GlobalAlloc(GMEM_ZEROINIT, sizeof(CGUIWindow*));
    if (!block) {
        return false;
    }
    void* data = GlobalLock(block);
    CGUIWindow* self = this;
    std::memcpy(data, &self, sizeof(self));
    GlobalUnlock(block);
    if (!SetPropA(hwnd, kWindowProperty, block)) {
        GlobalFree(block);
        return false;
    }
    m_hwnd = hwnd;
    m_property = block;
    CGUIWindowHandleMap::GetInstance().Bind(hwnd, this);
    return true;
}

void CGUIWindow::DetachHandle()
{
    if (m_hwnd) {
        CGUIWindowHandleMap::GetInstance().Unbind(m_hwnd, this);
    }
    if (m_hwnd && IsWindow(m_hwnd) && GetPropA(m_hwnd, kWindowProperty) == m_property) {
        RemovePropA(m_hwnd, kWindowProperty);
    }
    // Freed here even when the window is gone: the platform drops a destroyed
    // window's properties but not the memory they name.
    if (m_property) {
        GlobalFree(m_property);
    }
    m_property = nullptr;
    m_hwnd = nullptr;
}

void CGUIWindow::SetTopmost()
{
    if (m_hwnd) {
        SetWindowPos(m_hwnd, HWND_TOPMOST, 0, 0, 0, 0, kZOrderOnly);
    }
}

bool CGUIWindow::GetOption() const
{
    return m_option;
}

CGUIWindow* CGUIWindow::GetCaptureWindow() const
{
    return FromHandle(GetCapture());
}

LRESULT CGUIWindow::WindowProc(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_MOVE:
        // The cache holds what creation needs: the window's own top-left in
        // its parent, not the client origin that lParam carries.
        if (m_hwnd) {
            m_position = GetPositionInParent();
        }
        break;
    case WM_SIZE:
        // Likewise the outer size, not the client size of lParam.
        static_cast<void>(GetSize());
        break;
    case WM_ENABLE: {
        const bool enabled = wParam == TRUE;
        if (enabled != m_enabled) {
            m_enabled = enabled;
            m_enabledNotifier.Notify();
        }
        break;
    }
    default:
        break;
    }
    return 0;
}

LRESULT CGUIWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_hwnd) {
        return 0;
    }
    return CallWindowProcA(
        m_previousWindowProc ? m_previousWindowProc : DefWindowProcA, m_hwnd, message, wParam, lParam);
}

void CGUIWindow::OffsetBy(IGUIWindow* other)
{
    if (other) {
        const CGUIPoint by = other->GetPosition();
        Offset(by.x, by.y);
    }
}

void CGUIWindow::Destroy()
{
    if (!m_hwnd) {
        return;
    }
    const HWND hwnd = m_hwnd;
    DestroyWindow(hwnd);
    // A window whose messages do not reach a detaching procedure would leave
    // a dead handle behind.
    if (m_hwnd == hwnd && !IsWindow(hwnd)) {
        DetachHandle();
    }
}

bool CGUIWindow::IsCreated() const
{
    return m_hwnd != nullptr;
}

IGUIWindow* CGUIWindow::GetParentWindow() const
{
    return m_hwnd ? FromHandle(GetParent(m_hwnd)) : nullptr;
}

IGUIWindow* CGUIWindow::GetOwnerWindow() const
{
    return m_hwnd ? FromHandle(GetWindow(m_hwnd, GW_OWNER)) : nullptr;
}

IGUIWindowIterator* CGUIWindow::CreateChildIterator() const
{
    return new CGUIChildWindowIterator(m_hwnd);
}

template <class Change> void CGUIWindow::RunOnWindowThread(Change change)
{
    IGUIThreadInvoker* invoker = GetThreadInvoker();
    if (invoker && invoker->Invoke(new TGUICall<Change>(change), true)) {
        return;
    }
    // Not carried (the thread's invoker window was destroyed from outside):
    // the change is not dropped while the window exists. From another thread
    // ShowWindow and EnableWindow reach it by sending it their messages, so
    // its own thread still does the native work.
    if (IsWindow(m_hwnd)) {
        change();
    }
}

void CGUIWindow::SetVisible(bool visible)
{
    if (visible == m_visible) {
        return;
    }
    m_visible = visible;
    if (m_hwnd) {
        RunOnWindowThread([this, visible] {
            if (!visible) {
                GetDrawing()->PrepareShowHide(false);
            }
            ShowWindow(m_hwnd, visible ? SW_SHOWNORMAL : SW_HIDE);
            if (visible) {
                GetDrawing()->PrepareShowHide(true);
            }
        });
    }
    m_visibilityNotifier.Notify();
}

bool CGUIWindow::IsVisible() const
{
    return m_visible;
}

bool CGUIWindow::IsWindowVisible() const
{
    return m_hwnd && ::IsWindowVisible(m_hwnd) == TRUE;
}

bool CGUIWindow::HasTabStop() const
{
    return (StyleOf(m_hwnd) & WS_TABSTOP) != 0;
}

void CGUIWindow::SetTabStop(bool tabStop)
{
    if (!m_hwnd) {
        return;
    }
    const LONG_PTR style = StyleOf(m_hwnd);
    SetWindowLongPtrA(m_hwnd, GWL_STYLE, tabStop ? style | WS_TABSTOP : style & ~static_cast<LONG_PTR>(WS_TABSTOP));
}

void CGUIWindow::SetText(const char* text)
{
    if (m_hwnd && text) {
        SetWindowTextA(m_hwnd, text);
    }
}

const char* CGUIWindow::GetText()
{
    if (!m_hwnd) {
        return CGUIString::EmptyText();
    }
    const int length = GetWindowTextLengthA(m_hwnd);
    if (length <= 0) {
        m_text.Assign(nullptr);
        return m_text.GetText();
    }
    std::vector<char> buffer(static_cast<size_t>(length) + 2, '\0');
    GetWindowTextA(m_hwnd, buffer.data(), length + 1);
    m_text.Assign(buffer.data());
    return m_text.GetText();
}

bool CGUIWindow::IsChildWindow() const
{
    return (StyleOf(m_hwnd) & WS_CHILD) != 0;
}

void CGUIWindow::InvalidateWithParents(const CGUIRect* rect)
{
    if (!m_hwnd || !IsWindowVisible()) {
        return;
    }
    Invalidate(rect, false);
    const CGUISize clientSize = GetClientSize();
    CGUIRect area = rect ? *rect : CGUIRect { 0, 0, clientSize.width, clientSize.height };
    IGUIWindow* current = this;
    while (current->IsChildWindow()) {
        // Client coordinates of current into client coordinates of its parent.
        const CGUIPoint position = current->GetPositionInParent();
        const CGUIRect client = current->GetClientArea();
        area = GUIOffsetRect(area, int64_t { position.x } + client.x, int64_t { position.y } + client.y);
        IGUIWindow* parent = current->GetParentWindow();
        if (!parent) {
            break;
        }
        parent->Invalidate(&area, false);
        current = parent;
    }
}

void CGUIWindow::Invalidate(const CGUIRect* rect, bool children)
{
    if (!m_hwnd) {
        return;
    }
    const RECT native = rect ? ToNative(*rect) : RECT {};
    InvalidateRect(m_hwnd, rect ? &native : nullptr, TRUE);
    if (!children) {
        return;
    }
    const CGUISize clientSize = GetClientSize();
    const CGUIRect area = rect ? *rect : CGUIRect { 0, 0, clientSize.width, clientSize.height };
    for (HWND child = GetWindow(m_hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        CGUIWindow* window = FromHandle(child);
        if (!window || !window->IsWindowVisible()) {
            continue;
        }
        const CGUIPoint position = window->GetPositionInParent();
        const CGUISize size = window->GetSize();
        CGUIRect overlap;
        if (!GUIIntersect(area, CGUIRect { position.x, position.y, size.width, size.height }, overlap)) {
            continue;
        }
        const CGUIRect client = window->GetClientArea();
        overlap = GUIOffsetRect(overlap, -(int64_t { position.x } + client.x), -(int64_t { position.y } + client.y));
        window->Invalidate(&overlap, true);
    }
}

void CGUIWindow::SetSize(CGUISize size)
{
    m_size = size;
    if (m_hwnd && !(size == GetSize())) {
        SetWindowPos(m_hwnd, nullptr, 0, 0, size.width, size.height, kSizeOnly);
    }
}

CGUISize CGUIWindow::GetClientSize() const
{
    if (!m_hwnd) {
        return m_size;
    }
    RECT client {};
    GetClientRect(m_hwnd, &client);
    return CGUISize { client.right - client.left, client.bottom - client.top };
}

CGUISize CGUIWindow::GetSize()
{
    if (m_hwnd) {
        RECT bounds {};
        if (GetWindowRect(m_hwnd, &bounds)) {
            m_size = CGUISize { bounds.right - bounds.left, bounds.bottom - bounds.top };
        }
    }
    return m_size;
}

CGUIRect CGUIWindow::GetClientArea() const
{
    if (!m_hwnd) {
        return CGUIRect { 0, 0, m_size.width, m_size.height };
    }
    RECT bounds {};
    GetWindowRect(m_hwnd, &bounds);
    POINT origin {};
    ClientToScreen(m_hwnd, &origin);
    const CGUISize clientSize = GetClientSize();
    return CGUIRect { origin.x - bounds.left, origin.y - bounds.top, clientSize.width, clientSize.height };
}

void CGUIWindow::SetPosition(CGUIPoint position)
{
    m_position = position;
    if (m_hwnd && !(position == GetPosition())) {
        const CGUISize size = GetSize();
        MoveWindow(m_hwnd, position.x, position.y, size.width, size.height, TRUE);
    }
}

void CGUIWindow::Offset(int32_t dx, int32_t dy)
{
    if (!m_hwnd) {
        m_position
            = CGUIPoint { GUISaturate(int64_t { m_position.x } + dx), GUISaturate(int64_t { m_position.y } + dy) };
        return;
    }
    if (dx == 0 && dy == 0) {
        return;
    }
    const CGUIPoint position = GetPositionInParent();
    const CGUISize size = GetSize();
    MoveWindow(m_hwnd, GUISaturate(int64_t { position.x } + dx), GUISaturate(int64_t { position.y } + dy), size.width,
        size.height, TRUE);
}

CGUIPoint CGUIWindow::GetScreenPosition()
{
    if (!m_hwnd) {
        return m_position;
    }
    RECT bounds {};
    GetWindowRect(m_hwnd, &bounds);
    return CGUIPoint { bounds.left, bounds.top };
}

CGUIPoint CGUIWindow::GetPosition()
{
    return GetPositionInParent();
}

CGUIPoint CGUIWindow::GetPositionInParent()
{
    if (!m_hwnd) {
        return m_position;
    }
    RECT bounds {};
    GetWindowRect(m_hwnd, &bounds);
    POINT topLeft { bounds.left, bounds.top };
    if (const HWND parent = GetCoordinateParent()) {
        ScreenToClient(parent, &topLeft);
    }
    return CGUIPoint { topLeft.x, topLeft.y };
}

HWND CGUIWindow::GetCoordinateParent() const
{
    // GetParent also answers the owner of a pop-up window, whose position is
    // still given in screen coordinates.
    return IsChildWindow() ? GetParent(m_hwnd) : nullptr;
}

void CGUIWindow::BringToTop()
{
    if (m_hwnd) {
        SetWindowPos(m_hwnd, HWND_TOP, 0, 0, 0, 0, kZOrderOnly);
    }
}

bool CGUIWindow::IsLayered() const
{
    return m_hwnd && (GetWindowLongPtrA(m_hwnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
}

void CGUIWindow::SetOption(bool option)
{
    m_option = option;
}

void CGUIWindow::SetCapture()
{
    if (m_hwnd) {
        ::SetCapture(m_hwnd);
    }
}

void CGUIWindow::ReleaseCapture()
{
    if (HasCapture()) {
        ::ReleaseCapture();
    }
}

bool CGUIWindow::HasCapture() const
{
    return m_hwnd && GetCapture() == m_hwnd;
}

bool CGUIWindow::IsMouseInside() const
{
    if (!m_hwnd) {
        return false;
    }
    POINT cursor {};
    if (!GetCursorPos(&cursor) || WindowFromPoint(cursor) != m_hwnd) {
        return false;
    }
    ScreenToClient(m_hwnd, &cursor);
    return GetShape()->HitTest(CGUIPoint { cursor.x, cursor.y });
}

void CGUIWindow::SetFocus(bool focus)
{
    if (focus) {
        if (m_hwnd) {
            ::SetFocus(m_hwnd);
        }
    } else if (HasFocus()) {
        ::SetFocus(nullptr);
    }
}

bool CGUIWindow::HasFocus() const
{
    return m_hwnd && GetFocus() == m_hwnd;
}

int32_t CGUIWindow::RegisterHotKey(UINT modifiers, UINT virtualKey)
{
    if (!m_hwnd) {
        return 0;
    }
    const int32_t counter = ++s_hotKeyCounter;
    CGUIString name;
    name.Format("_%llX::%d::%llX_", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(GetModuleInstance())),
        counter, static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(this)));
    const ATOM atom = GlobalAddAtomA(name.GetText());
    if (atom == 0) {
        return 0;
    }
    if (!::RegisterHotKey(m_hwnd, atom, modifiers, virtualKey)) {
        GlobalDeleteAtom(atom);
        return 0;
    }
    m_hotKeys.push_back(atom);
    return atom;
}

void CGUIWindow::UnregisterHotKey(int32_t id)
{
    const auto found = std::find(m_hotKeys.begin(), m_hotKeys.end(), id);
    if (id == 0 || found == m_hotKeys.end()) {
        return;
    }
    ::UnregisterHotKey(m_hwnd, id);
    GlobalDeleteAtom(*found);
    m_hotKeys.erase(found);
}

void CGUIWindow::ReleaseHotKeys()
{
    for (const ATOM atom : m_hotKeys) {
        ::UnregisterHotKey(m_hwnd, atom);
        GlobalDeleteAtom(atom);
    }
    m_hotKeys.clear();
}

void CGUIWindow::SetEnabled(bool enabled)
{
    if (enabled == m_enabled) {
        return;
    }
    m_enabled = enabled;
    if (m_hwnd) {
        RunOnWindowThread([this, enabled] { EnableWindow(m_hwnd, enabled); });
    }
    m_enabledNotifier.Notify();
}

bool CGUIWindow::IsEnabled() const
{
    return m_enabled;
}

bool CGUIWindow::HitTest(CGUIPoint point) const
{
    const CGUISize client = GetClientSize();
    return point.x >= 0 && point.y >= 0 && point.x < client.width && point.y < client.height;
}

void CGUIWindow::PrepareShowHide(bool)
{
}
