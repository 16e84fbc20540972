#include "runtime/CGUIThreadInvokerWindow.h"

#include "runtime/CGUILockGuard.h"
#include "runtime/CGUIWindowClassRegistry.h"
#include "runtime/GUIModule.h"

#include <atomic>
#include <vector>

namespace {
// Results of the window procedure for WM_GUI_INVOKE; 0 is what SendMessageA
// gives when the message never reached the procedure.
constexpr LRESULT kCallRan = 1;
constexpr LRESULT kCallDropped = 2;

// Process-wide, so that a number never names two targets, even of two threads.
std::atomic<uint64_t> s_lastTarget { 0 };

// Per thread rather than in a map under a lock: found without locking, and
// the thread's end releases it by itself.
thread_local std::shared_ptr<CGUIThreadInvokerWindow> t_threadWindow;
} // namespace

// A call on its way to one target; deletes the call it carries when that was
// handed over.
class CGUIThreadInvokerWindow::CTargetedCall final : public IGUICall {
public:
    CTargetedCall(uint64_t target, IGUICall* call, bool deleteWhenDone)
        : m_target(target)
        , m_call(call)
        , m_deleteWhenDone(deleteWhenDone)
    {
    }
    CTargetedCall(const CTargetedCall&) = delete;
    CTargetedCall& operator=(const CTargetedCall&) = delete;
    ~CTargetedCall() override
    {
        if (m_deleteWhenDone) {
            delete m_call;
        }
    }
    void Run() override { m_call->Run(); }
    uint64_t GetTarget() const { return m_target; }

private:
    uint64_t m_target;
    IGUICall* m_call;
    bool m_deleteWhenDone;
};

std::shared_ptr<CGUIThreadInvokerWindow> CGUIThreadInvokerWindow::ForCurrentThread()
{
    if (!t_threadWindow || !t_threadWindow->GetHandle()) {
        std::shared_ptr<CGUIThreadInvokerWindow> window(new CGUIThreadInvokerWindow);
        if (!window->Create()) {
            return nullptr;
        }
        t_threadWindow = std::move(window);
    }
    return t_threadWindow;
}

CGUIThreadInvokerWindow::~CGUIThreadInvokerWindow()
{
    if (const HWND hwnd = Close()) {
        // Cut loose first: should this run on another thread, where
        // DestroyWindow fails, the window must not reach back.
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        DestroyWindow(hwnd);
    }
    CGUILockGuard last(m_lock);
}

bool CGUIThreadInvokerWindow::Create()
{
    const CGUIString className = MakeModuleClassName("::_GUIThreadInvokerWindow_");
    WNDCLASSA description {};
    description.lpfnWndProc = WindowProc;
    description.hInstance = GetModuleInstance();
    description.lpszClassName = className.GetText();
    // False only means the class exists already, which is all that is needed.
    static_cast<void>(CGUIWindowClassRegistry::GetInstance().RegisterClass(description));
    m_thread = GetCurrentThreadId();
    // Message-only: no place in any window tree, never enumerated or shown.
    m_hwnd = CreateWindowExA(
        0, className.GetText(), "", WS_DISABLED, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleInstance(), this);
    return m_hwnd != nullptr;
}

HWND CGUIThreadInvokerWindow::GetHandle()
{
    CGUILockGuard guard(m_lock);
    return m_hwnd;
}

uint64_t CGUIThreadInvokerWindow::AddTarget()
{
    CGUILockGuard guard(m_lock);
    if (!m_hwnd) {
        return 0;
    }
    const uint64_t target = ++s_lastTarget;
    m_targets.insert(target);
    return target;
}

void CGUIThreadInvokerWindow::RemoveTarget(uint64_t target)
{
    std::vector<CTargetedCall*> dropped;
    HWND lastOnItsThread = nullptr;
    {
        CGUILockGuard guard(m_lock);
        m_targets.erase(target);
        for (auto it = m_queued.begin(); it != m_queued.end();) {
            if ((*it)->GetTarget() == target) {
                dropped.push_back(*it);
                it = m_queued.erase(it);
            } else {
                ++it;
            }
        }
        if (m_targets.empty() && m_thread == GetCurrentThreadId()) {
            lastOnItsThread = m_hwnd;
        }
    }
    // Outside the lock: a call's destructor is the caller's code.
    for (CTargetedCall* call : dropped) {
        delete call;
    }
    if (lastOnItsThread) {
        DestroyWindow(lastOnItsThread);
    }
}

HWND CGUIThreadInvokerWindow::Close()
{
    HWND hwnd = nullptr;
    std::unordered_set<CTargetedCall*> dropped;
    {
        CGUILockGuard guard(m_lock);
        hwnd = m_hwnd;
        m_hwnd = nullptr;
        dropped.swap(m_queued);
    }
    for (CTargetedCall* call : dropped) {
        delete call;
    }
    return hwnd;
}

bool CGUIThreadInvokerWindow::Invoke(uint64_t target, IGUICall* call, bool deleteWhenDone)
{
    if (!call) {
        return false;
    }
    CTargetedCall sent(target, call, deleteWhenDone);
    HWND hwnd = nullptr;
    {
        CGUILockGuard guard(m_lock);
        if (m_targets.count(target) != 0) {
            hwnd = m_hwnd;
        }
    }
    // Sent, not queued: it cannot outlive this frame, so it is not recorded.
    return hwnd
        && SendMessageA(hwnd, WM_GUI_INVOKE, reinterpret_cast<WPARAM>(static_cast<IGUICall*>(&sent)), 0) == kCallRan;
}

bool CGUIThreadInvokerWindow::Post(uint64_t target, IGUICall* call, bool deleteWhenDone)
{
    if (!call) {
        return false;
    }
    auto queued = std::make_unique<CTargetedCall>(target, call, deleteWhenDone);
    CGUILockGuard guard(m_lock);
    // Posted under the lock, so the window's thread cannot see the message
    // before the call is recorded.
    if (!m_hwnd || m_targets.count(target) == 0
        || !PostMessageA(m_hwnd, WM_GUI_INVOKE, reinterpret_cast<WPARAM>(static_cast<IGUICall*>(queued.get())), 1)) {
        return false;
    }
    m_queued.insert(queued.release());
    return true;
}

LRESULT CGUIThreadInvokerWindow::Receive(CTargetedCall* call, bool posted)
{
    bool live = false;
    {
        CGUILockGuard guard(m_lock);
        if (posted && m_queued.erase(call) == 0) {
            return kCallDropped;
        }
        live = m_targets.count(call->GetTarget()) != 0;
    }
    if (live) {
        call->Run();
    }
    if (posted) {
        delete call;
    }
    return live ? kCallRan : kCallDropped;
}

LRESULT CALLBACK CGUIThreadInvokerWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    auto* self = reinterpret_cast<CGUIThreadInvokerWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_CREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        break;
    }
    case WM_GUI_INVOKE:
        if (self && wParam != 0) {
            // Every WM_GUI_INVOKE this window gets carries a CTargetedCall.
            return self->Receive(static_cast<CTargetedCall*>(reinterpret_cast<IGUICall*>(wParam)), lParam != 0);
        }
        break;
    case WM_NCDESTROY:
        if (self) {
            // Destroyed on purpose or from outside: either way it is over.
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
            static_cast<void>(self->Close());
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
