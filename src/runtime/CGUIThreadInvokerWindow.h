#pragma once

#include "runtime/CGUILock.h"
#include "runtime/IGUICall.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <set>
#include <unordered_set>

// The private message that carries a call: wParam is the IGUICall, lParam is
// non-zero when the receiver deletes the call after running it.
constexpr UINT WM_GUI_INVOKE = WM_APP + 1;

// The one message-only window of a GUI thread that runs the calls of all the
// thread's framework windows, so that a framework window costs no native
// window of its own for them. Each window it serves is a target, known by a
// number that is never used again. The window is created with the thread's
// first target and destroyed with its last one, or when the thread ends.
//
// Targets are added and removed on the window's thread; Invoke and Post may
// be called from any thread. A call runs only while its target is there:
// calls still queued when their target is removed (or the window goes away)
// are deleted without running when they were handed over, and left alone
// otherwise. Teardown never dispatches messages, so no other window of the
// thread is entered in the middle of a destruction.
class CGUIThreadInvokerWindow {
public:
    // The calling thread's window, created when the thread has none; none
    // when it could not be created.
    static std::shared_ptr<CGUIThreadInvokerWindow> ForCurrentThread();

    CGUIThreadInvokerWindow(const CGUIThreadInvokerWindow&) = delete;
    CGUIThreadInvokerWindow& operator=(const CGUIThreadInvokerWindow&) = delete;
    // Deletes the queued calls and destroys the native window.
    ~CGUIThreadInvokerWindow();

    // The native window, none once it is gone.
    HWND GetHandle();
    // A new target; 0 when the native window is gone.
    uint64_t AddTarget();
    // Drops the target's queued calls; the last target takes the native
    // window along when removed on the window's thread.
    void RemoveTarget(uint64_t target);

    // As IGUIThreadInvoker, for one target: false (and the call deleted when
    // handed over) when the target or the window is gone before the call ran.
    [[nodiscard]] bool Invoke(uint64_t target, IGUICall* call, bool deleteWhenDone);
    [[nodiscard]] bool Post(uint64_t target, IGUICall* call, bool deleteWhenDone);

private:
    class CTargetedCall;

    CGUIThreadInvokerWindow() = default;
    [[nodiscard]] bool Create();
    // Forgets the native window and deletes the queued calls; returns the
    // window, which the caller destroys (or which is being destroyed).
    HWND Close();
    LRESULT Receive(CTargetedCall* call, bool posted);
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    CGUILock m_lock;
    HWND m_hwnd = nullptr;
    DWORD m_thread = 0;
    std::set<uint64_t> m_targets;
    // Posted calls not yet dispatched; a message whose call is not here is
    // stale and never dereferenced.
    std::unordered_set<CTargetedCall*> m_queued;
};
