#include "window/CGUICustomWindow.h"

#include "foundation/CGUILifetimeGuard.h"
#include "graphics/CGUICursor.h"
#include "graphics/GUINative.h"
#include "runtime/GUIModule.h"
#include "window/CGUIActivationContext.h"

namespace {
// A new child window goes to the top of its siblings (HWND_TOP: the z-order
// is not kept) without being moved, sized, activated or redrawn.
constexpr UINT kRaiseNewChild = SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS
    | SWP_NOOWNERZORDER | SWP_DEFERERASE | SWP_ASYNCWINDOWPOS;

CGUIPoint PointOf(LPARAM lParam)
{
    return CGUIPoint { static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam)) };
}

} // namespace

CGUICustomWindow::CGUICustomWindow() = default;

CGUICustomWindow::~CGUICustomWindow()
{
    m_lifetime.End();
    const HWND hwnd = GetHandle();
    const bool beingDestroyed = m_beingDestroyed;
    ReleaseHotKeys();
    // Unbound first: the messages of the destruction below must not reach an
    // object that is half gone.
    Detach();
    if (hwnd && !beingDestroyed && IsWindow(hwnd)) {
        DestroyWindow(hwnd);
    }
}

CGUICursor* CGUICustomWindow::GetCursor()
{
    return m_cursor.get();
}

IGUIPainter* CGUICustomWindow::GetPainter()
{
    return m_content.get();
}

IGUIWindowListener* CGUICustomWindow::GetWindowListener()
{
    return &m_windowListener;
}

IGUIMouseListener* CGUICustomWindow::GetMouseListener()
{
    return &m_mouseListener;
}

IGUIKeyboardListener* CGUICustomWindow::GetKeyboardListener()
{
    return &m_keyboardListener;
}

float CGUICustomWindow::GetOpacity() const
{
    return m_opacity;
}

void CGUICustomWindow::SetOpacity(float opacity)
{
    if (opacity == m_opacity) {
        return;
    }
    m_opacity = opacity;
    Invalidate(nullptr, false);
}

void CGUICustomWindow::SetText(const char* text)
{
    if (text) {
        m_givenText.Assign(text);
    }
    CGUIWindow::SetText(text);
}

bool CGUICustomWindow::Create(IGUIWindow* parent)
{
    return CreateChild(parent ? parent->GetHandle() : nullptr, false, false);
}

bool CGUICustomWindow::CreateChild(HWND parent, bool clipChildren, bool doubleClicks)
{
    if (IsCreated()) {
        Destroy();
    }
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    if (IsVisible()) {
        style |= WS_VISIBLE;
    }
    if (clipChildren) {
        style |= WS_CLIPCHILDREN;
    }
    if (!IsEnabled()) {
        style |= WS_DISABLED;
    }
    return CreateClassWindow(doubleClicks ? EGUIWindowClass::DoubleClickChild : EGUIWindowClass::Child, style,
        GetCachedPosition(), GetCachedSize(), parent);
}

bool CGUICustomWindow::CreateClassWindow(
    EGUIWindowClass kind, DWORD style, CGUIPoint position, CGUISize size, HWND parent)
{
    const CGUIString className = RegisterWindowClass(kind, CreationProc);
    const CGUIActivationContext activation;
    if (!activation.IsActive()) {
        return false;
    }
    // Made with its text, the window needs no WM_SETTEXT afterwards.
    const char* text = m_givenText.IsEmpty() ? nullptr : m_givenText.GetText();
    return CreateWindowExA(0, className.GetText(), text, style, position.x, position.y, size.width, size.height, parent,
               nullptr, GetModuleInstance(), this)
        != nullptr;
}

bool CGUICustomWindow::CreateNativeChild(DWORD exStyle, const char* nativeClass, const char* windowName, DWORD style,
    int32_t width, int32_t height, HWND parent)
{
    if (IsCreated()) {
        Destroy();
    }
    if (IsVisible()) {
        style |= WS_VISIBLE;
    }
    if (!IsEnabled()) {
        style |= WS_DISABLED;
    }
    HWND hwnd = nullptr;
    {
        const CGUIActivationContext activation;
        if (!activation.IsActive()) {
            return false;
        }
        // Placed by a layout before it exists, it is born where it belongs.
        const CGUIPoint position = GetCachedPosition();
        hwnd = CreateWindowExA(exStyle, nativeClass, windowName, style, position.x, position.y, width, height, parent,
            nullptr, nullptr, nullptr);
    }
    if (!hwnd) {
        return false;
    }
    if (!Attach(hwnd)) {
        DestroyWindow(hwnd);
        return false;
    }
    if (m_raisedOnCreation && IsChildWindow()) {
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, kRaiseNewChild);
    }
    return true;
}

bool CGUICustomWindow::Attach(HWND hwnd)
{
    if (!hwnd || !IsWindow(hwnd) || GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) {
        return false;
    }
    if (hwnd == GetHandle()) {
        return true;
    }
    Detach();
    if (!AttachHandle(hwnd)) {
        return false;
    }
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    // The framework's class procedure routes every message past WM_CREATE
    // itself: replacing it would only cost a round trip to the window server.
    if (current != RoutingProc && current != CreationProc) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RoutingProc));
        m_replacedProc = current;
    }
    // The framework's own class procedure only ever binds; a native control's
    // procedure keeps getting the messages.
    SetPreviousWindowProc(current == RoutingProc || current == CreationProc ? nullptr : current);
    m_timer.SetWindow(hwnd);
    if (m_usesThreadInvoker && !m_invoker.GetHandle()) {
        // Made here, on the window's thread: another thread asking for the
        // invoker later could not create the window it needs.
        static_cast<void>(m_invoker.SetOwner(hwnd));
    }
    return true;
}

void CGUICustomWindow::Detach()
{
    const HWND hwnd = GetHandle();
    if (!hwnd) {
        return;
    }
    if (m_replacedProc && IsWindow(hwnd)
        && reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)) == RoutingProc) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_replacedProc));
    }
    m_replacedProc = nullptr;
    SetPreviousWindowProc(nullptr);
    DetachHandle();
    static_cast<void>(m_invoker.SetOwner(nullptr));
    m_timer.SetWindow(nullptr);
    m_mouseTracker.Reset();
    m_beingDestroyed = false;
}

LRESULT CALLBACK CGUICustomWindow::CreationProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_CREATE) {
        auto* window = static_cast<CGUICustomWindow*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (window) {
            if (!window->Attach(hwnd)) {
                return -1;
            }
            const CGUILifetimeGuard guard(window->m_lifetime);
            const LRESULT result = window->WindowProc(message, wParam, lParam);
            if (result != -1 && !guard.IsGone() && window->m_raisedOnCreation
                && (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD) != 0) {
                SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, kRaiseNewChild);
            }
            return result;
        }
    }
    return RoutingProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK CGUICustomWindow::RoutingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    CGUIWindow* window = FromHandle(hwnd);
    if (!window) {
        return CallWindowProcA(DefWindowProcA, hwnd, message, wParam, lParam);
    }
    return window->WindowProc(message, wParam, lParam);
}

LRESULT CGUICustomWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CGUILifetimeGuard guard(m_lifetime);
    CGUIWindow::WindowProc(message, wParam, lParam);
    // What a handled message gives: a wrapped native control still gets it.
    const auto handled
        = [&](LRESULT own) { return !guard.IsGone() && IsSubclassed() ? DefaultProc(message, wParam, lParam) : own; };
    const CGUIWindowEvent raw { message, wParam, lParam };
    switch (message) {
    case WM_CREATE:
        return OnCreateMessage(wParam, lParam);
    case WM_DESTROY:
        m_beingDestroyed = true;
        GetWindowListener()->OnDestroy(raw);
        if (guard.IsGone()) {
            return 0;
        }
        m_compositor.EndPaintedRegion();
        m_destroyNotifier.Notify();
        return handled(0);
    case WM_MOVE:
    case WM_SIZE:
        OnPlacementChanged(message, wParam, lParam);
        return handled(0);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        CGUIFocusEvent event;
        static_cast<CGUIWindowEvent&>(event) = raw;
        event.other = reinterpret_cast<HWND>(wParam);
        if (message == WM_SETFOCUS) {
            GetKeyboardListener()->OnSetFocus(event);
        } else {
            GetKeyboardListener()->OnKillFocus(event);
        }
        if (guard.IsGone()) {
            return 0;
        }
        m_focusNotifier.Notify();
        return handled(0);
    }
    case WM_ENABLE:
        GetWindowListener()->OnEnable(raw);
        return handled(0);
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return m_compositor.OnPaint(message, wParam);
    case WM_ERASEBKGND:
        return GetPainter() ? 1 : DefaultProc(message, wParam, lParam);
    case WM_SETCURSOR: {
        // Through GetCursor: classes such as the control host view answer
        // the cursor of whatever is under the pointer.
        POINT point {};
        CGUICursor* const cursor = GetCursor();
        if (GetPainter() && cursor && cursor->GetHandle() && reinterpret_cast<HWND>(wParam) == GetHandle()
            && GetCursorPos(&point) && ScreenToClient(GetHandle(), &point)
            && GetShape()->HitTest(CGUIPoint { point.x, point.y })) {
            ::SetCursor(cursor->GetHandle());
            return 1;
        }
        return DefaultProc(message, wParam, lParam);
    }
    case WM_NCHITTEST: {
        // The shape decides over the client area only: the caption, the frame
        // and the scroll bars keep their own meaning, or the window could be
        // neither moved nor closed nor scrolled with the mouse.
        const LRESULT area = DefaultProc(message, wParam, lParam);
        if (area != HTCLIENT) {
            return area;
        }
        POINT point { static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam)) };
        ScreenToClient(GetHandle(), &point);
        return GetShape()->HitTest(CGUIPoint { point.x, point.y }) ? area : HTTRANSPARENT;
    }
    case WM_GETDLGCODE:
        if (GetKeyboardListener() != &m_keyboardListener) {
            return DLGC_WANTALLKEYS;
        }
        return DefaultProc(message, wParam, lParam);
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_KEYUP:
        return OnKeyMessage(message, wParam, lParam);
    case WM_HOTKEY: {
        CGUIHotKeyEvent event;
        static_cast<CGUIWindowEvent&>(event) = raw;
        event.id = static_cast<int32_t>(wParam);
        event.modifiers = LOWORD(lParam);
        event.key = HIWORD(lParam);
        GetKeyboardListener()->OnHotKey(event);
        return handled(0);
    }
    case WM_COMMAND:
        if (lParam != 0) {
            SendMessageA(reinterpret_cast<HWND>(lParam), WM_GUI_REFLECTED_COMMAND, wParam, lParam);
            if (guard.IsGone()) {
                return 0;
            }
        }
        return DefaultProc(message, wParam, lParam);
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header && header->hwndFrom) {
            SendMessageA(header->hwndFrom, WM_GUI_REFLECTED_NOTIFY, wParam, lParam);
            if (guard.IsGone()) {
                return 0;
            }
        }
        return DefaultProc(message, wParam, lParam);
    }
    case WM_NCDESTROY: {
        const LRESULT result = DefaultProc(message, wParam, lParam);
        Detach();
        return result;
    }
    case WM_TIMER:
        if (m_timer.Dispatch(static_cast<UINT_PTR>(wParam))) {
            return 0;
        }
        return DefaultProc(message, wParam, lParam);
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHOVER:
    case WM_MOUSELEAVE:
        m_mouseTracker.OnMouseMessage(message, wParam, lParam);
        return handled(0);
    default:
        return DefaultProc(message, wParam, lParam);
    }
}

LRESULT CGUICustomWindow::OnCreateMessage(WPARAM wParam, LPARAM lParam)
{
    const CGUILifetimeGuard guard(m_lifetime);
    if (!GetWindowListener()->OnCreate(CGUIWindowEvent { WM_CREATE, wParam, lParam }) || guard.IsGone()) {
        return -1;
    }
    m_compositor.StartPaintedRegion();
    const CGUIPoint position = GetPositionInParent();
    const CGUISize size = GetSize();
    m_lastRect = CGUIRect { position.x, position.y, size.width, size.height };
    return 0;
}

void CGUICustomWindow::OnPlacementChanged(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CGUILifetimeGuard guard(m_lifetime);
    const CGUISize clientSize = GetClientSize();
    if (message == WM_SIZE) {
        if (IGUIPainter* painter = GetPainter()) {
            painter->SetSize(clientSize);
        }
    }
    const CGUIPoint position = GetPositionInParent();
    const CGUISize size = GetSize();
    const CGUIRect now { position.x, position.y, size.width, size.height };
    // A translucent window shows what lies under it: both places need
    // repainting in the parent.
    if (!(now == m_lastRect) && IsChildWindow() && IsWindowVisible()) {
        if (CGUIWindow* parent = FromHandle(GetParent(GetHandle()))) {
            parent->InvalidateWithParents(&m_lastRect);
            parent->InvalidateWithParents(&now);
        }
    }
    m_lastRect = now;
    if (message == WM_MOVE) {
        CGUIMoveEvent event;
        static_cast<CGUIWindowEvent&>(event) = CGUIWindowEvent { message, wParam, lParam };
        event.clientPosition = PointOf(lParam);
        GetWindowListener()->OnMove(event);
        return;
    }
    CGUISizeEvent event;
    static_cast<CGUIWindowEvent&>(event) = CGUIWindowEvent { message, wParam, lParam };
    event.clientSize = clientSize;
    GetWindowListener()->OnSize(event);
    if (!guard.IsGone()) {
        m_sizeNotifier.Notify();
    }
}

LRESULT CGUICustomWindow::OnKeyMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CGUILifetimeGuard guard(m_lifetime);
    CGUIKeyEvent event;
    static_cast<CGUIWindowEvent&>(event) = CGUIWindowEvent { message, wParam, lParam };
    event.key = static_cast<UINT>(wParam);
    event.repeatCount = LOWORD(lParam);
    IGUIKeyboardListener* listener = GetKeyboardListener();
    if (listener->WantsKey(event)) {
        if (message == WM_KEYUP) {
            listener->OnKeyUp(event);
        } else {
            listener->OnKeyDown(event);
        }
        return 0;
    }
    if (guard.IsGone()) {
        return 0;
    }
    const HWND hwnd = GetHandle();
    LRESULT result = 0;
    if (IsSubclassed()) {
        result = DefaultProc(message, wParam, lParam);
        if (guard.IsGone()) {
            return result;
        }
    }
    if (hwnd && IsChildWindow()) {
        if (const HWND parent = GetParent(hwnd)) {
            SendMessageA(parent, message, wParam, lParam);
        }
    }
    return result;
}

void CGUICustomWindow::SetContent(IGUIPainter* content)
{
    if (content == m_content.get()) {
        return;
    }
    m_content.reset(content);
    if (m_content && IsCreated()) {
        m_content->SetSize(GetClientSize());
    }
    Invalidate(nullptr, false);
}

void CGUICustomWindow::Invalidate(const CGUIRect* rect, bool children)
{
    CGUIWindow::Invalidate(rect, children);
    m_compositor.Invalidate(rect);
}

void CGUICustomWindow::SetSize(CGUISize size)
{
    CGUIWindow::SetSize(size);
    if (!IsCreated() && m_content) {
        m_content->SetSize(size);
    }
}

bool CGUICustomWindow::IsLayered() const
{
    return IsChildWindow() ? GetOpacity() < 1.0f : CGUIWindow::IsLayered();
}

bool CGUICustomWindow::IsMouseInside() const
{
    return m_mouseTracker.IsMouseInside();
}

void CGUICustomWindow::SetFocusOnHover(bool focusOnHover)
{
    m_mouseTracker.SetFocusOnHover(focusOnHover);
}

void CGUICustomWindow::SetWindowCursor(const CGUICursor& cursor)
{
    m_cursor.reset(cursor.Clone());
}

IGUIThreadInvoker* CGUICustomWindow::GetThreadInvoker()
{
    return m_invoker.GetHandle() ? &m_invoker : nullptr;
}
