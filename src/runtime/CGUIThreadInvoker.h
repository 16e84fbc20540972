#pragma once

#include "runtime/CGUIThreadInvokerWindow.h"
#include "runtime/IGUIThreadInvoker.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>

// Runs calls on the thread that owns a window, through the one message-only
// window that thread keeps for all its framework windows
// (CGUIThreadInvokerWindow). Set the owner on that thread; Invoke and Post may
// be called from any thread. Calls run one at a time in message order.
//
// A call for a window that is gone by the time it would run does not run: it
// is deleted when it was handed over with deleteWhenDone, so are calls handed
// over after the window went away.
class CGUIThreadInvoker : public IGUIThreadInvoker {
public:
    CGUIThreadInvoker() = default;
    CGUIThreadInvoker(const CGUIThreadInvoker&) = delete;
    CGUIThreadInvoker& operator=(const CGUIThreadInvoker&) = delete;
    // Stops serving, as SetOwner(nullptr).
    ~CGUIThreadInvoker() override;

    // With an owner, a window of the calling thread: serves it from now on
    // through the thread's invoker window (created on the thread's first use);
    // false when that window could not be created or the owner belongs to
    // another thread. With none: stops serving; the calls still queued for
    // the owner never run.
    [[nodiscard]] bool SetOwner(HWND owner);
    // The thread's invoker window while serving an owner, else none.
    HWND GetHandle() const;

    [[nodiscard]] bool Invoke(IGUICall* call, bool deleteWhenDone) override;
    [[nodiscard]] bool Post(IGUICall* call, bool deleteWhenDone) override;

private:
    // Read by any thread, changed only on the owner's: the target first, so
    // that a reader never pairs a target with a window that does not know it.
    std::atomic<std::shared_ptr<CGUIThreadInvokerWindow>> m_window;
    std::atomic<uint64_t> m_target { 0 };
};
