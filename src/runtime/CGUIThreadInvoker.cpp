#include "CGUIThreadInvoker.h"

#include "CGUIWindowClassRegistry.h"
#include "GUIModule.h"

namespace {
// Results of the hidden window procedure for WM_GUI_INVOKE; 0 is what
// SendMessageA gives when the message never reached the procedure.
constexpr LRESULT kCallRan = 1;
constexpr LRESULT kCallDropped = 2;

void Discard(IGUICall* call, bool deleteWhenDone)
{
    if (deleteWhenDone) {
        delete call;
    }
}

CGUIThreadInvoker* InvokerOf(HWND hwnd)
{
    return reinterpret_cast<CGUIThreadInvoker*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}
} // namespace

CGUIThreadInvoker::~CGUIThreadInvoker()
{
    DestroyHidden();
}

bool CGUIThreadInvoker::SetOwner(HWND owner)
{
    DestroyHidden();
    if (!owner) {
        return true;
    }
    const CGUIString className = MakeModuleClassName("::_GUIThreadInvokerWindow_");
    WNDCLASSA description {};
    description.lpfnWndProc = HiddenWindowProc;
    description.hInstance = GetModuleInstance();
    description.lpszClassName = className.GetText();
    // False only means the class exists already, which is all that is needed.
    static_cast<void>(CGUIWindowClassRegistry::GetInstance().RegisterClass(description));
    m_hidden = CreateWindowExA(
        0, className.GetText(), "", WS_DISABLED, 0, 0, 0, 0, owner, nullptr, GetModuleInstance(), this);
    return m_hidden.load() != nullptr;
}

void CGUIThreadInvoker::DestroyHidden()
{
    const HWND hidden = m_hidden.exchange(nullptr);
    if (hidden) {
        // Cut the window loose first: should it outlive this object (destroyed
        // from a foreign thread, where DestroyWindow fails), it must not reach
        // back into it.
        SetWindowLongPtrA(hidden, GWLP_USERDATA, 0);
        DestroyWindow(hidden);
    }
}

bool CGUIThreadInvoker::Invoke(IGUICall* call, bool deleteWhenDone)
{
    const HWND hidden = m_hidden.load();
    if (!call || !hidden || !IsWindow(hidden)) {
        Discard(call, deleteWhenDone);
        return false;
    }
    const LRESULT result = SendMessageA(hidden, WM_GUI_INVOKE, reinterpret_cast<WPARAM>(call), deleteWhenDone);
    if (result == 0) {
        // The window went away between the check and the send.
        Discard(call, deleteWhenDone);
    }
    return result == kCallRan;
}

bool CGUIThreadInvoker::Post(IGUICall* call, bool deleteWhenDone)
{
    const HWND hidden = m_hidden.load();
    if (!call || !hidden || !IsWindow(hidden)
        || !PostMessageA(hidden, WM_GUI_INVOKE, reinterpret_cast<WPARAM>(call), deleteWhenDone)) {
        Discard(call, deleteWhenDone);
        return false;
    }
    return true;
}

LRESULT CALLBACK CGUIThreadInvoker::HiddenWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (message) {
    case WM_CREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        break;
    }
    case WM_GUI_INVOKE:
        if (wParam != 0) {
            auto* call = reinterpret_cast<IGUICall*>(wParam);
            // Without an invoker the window is being abandoned: the call is
            // dropped, but a call handed over for deletion is still deleted.
            const bool attached = InvokerOf(hwnd) != nullptr;
            if (attached) {
                call->Run();
            }
            Discard(call, lParam != 0);
            return attached ? kCallRan : kCallDropped;
        }
        break;
    case WM_NCDESTROY: {
        // Posted calls that will never be dispatched now: delete those that
        // were handed over for deletion instead of leaking them.
        MSG pending;
        while (PeekMessageA(&pending, hwnd, WM_GUI_INVOKE, WM_GUI_INVOKE, PM_REMOVE)) {
            if (pending.wParam != 0) {
                Discard(reinterpret_cast<IGUICall*>(pending.wParam), pending.lParam != 0);
            }
        }
        // Destroyed from outside (with its owner): the invoker forgets it.
        if (CGUIThreadInvoker* invoker = InvokerOf(hwnd)) {
            HWND expected = hwnd;
            invoker->m_hidden.compare_exchange_strong(expected, nullptr);
        }
        break;
    }
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
