#include "runtime/CGUIThreadInvoker.h"

namespace {
bool Drop(IGUICall* call, bool deleteWhenDone)
{
    if (deleteWhenDone) {
        delete call;
    }
    return false;
}
} // namespace

CGUIThreadInvoker::~CGUIThreadInvoker()
{
    static_cast<void>(SetOwner(nullptr));
}

bool CGUIThreadInvoker::SetOwner(HWND owner)
{
    if (const uint64_t target = m_target.exchange(0)) {
        m_window.load()->RemoveTarget(target);
    }
    m_window.store(nullptr);
    if (!owner) {
        return true;
    }
    if (GetWindowThreadProcessId(owner, nullptr) != GetCurrentThreadId()) {
        return false;
    }
    std::shared_ptr<CGUIThreadInvokerWindow> window = CGUIThreadInvokerWindow::ForCurrentThread();
    const uint64_t target = window ? window->AddTarget() : 0;
    if (target == 0) {
        return false;
    }
    m_window.store(std::move(window));
    m_target.store(target);
    return true;
}

HWND CGUIThreadInvoker::GetHandle() const
{
    const std::shared_ptr<CGUIThreadInvokerWindow> window = m_window.load();
    return m_target.load() != 0 && window ? window->GetHandle() : nullptr;
}

bool CGUIThreadInvoker::Invoke(IGUICall* call, bool deleteWhenDone)
{
    const uint64_t target = m_target.load();
    const std::shared_ptr<CGUIThreadInvokerWindow> window = m_window.load();
    return window ? window->Invoke(target, call, deleteWhenDone) : Drop(call, deleteWhenDone);
}

bool CGUIThreadInvoker::Post(IGUICall* call, bool deleteWhenDone)
{
    const uint64_t target = m_target.load();
    const std::shared_ptr<CGUIThreadInvokerWindow> window = m_window.load();
    return window ? window->Post(target, call, deleteWhenDone) : Drop(call, deleteWhenDone);
}
