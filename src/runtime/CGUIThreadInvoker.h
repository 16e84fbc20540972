#pragma once

#include "IGUIThreadInvoker.h"

#include <windows.h>

#include <atomic>

// The private message that carries a call: wParam is the IGUICall, lParam is
// non-zero when the receiver deletes the call after running it.
constexpr UINT WM_GUI_INVOKE = WM_APP + 1;

// Runs calls on the thread that owns a window, through a hidden window of its
// own created on that thread (zero size, disabled, never shown, owned by the
// window it serves). Create and destroy it on that thread; Invoke and Post may
// be called from any thread. Calls run one at a time in message order.
//
// Calls posted with deleteWhenDone that are still queued when the hidden window
// goes away are deleted without running; so are calls handed over after it
// went away.
class CGUIThreadInvoker : public IGUIThreadInvoker {
public:
    CGUIThreadInvoker() = default;
    CGUIThreadInvoker(const CGUIThreadInvoker&) = delete;
    CGUIThreadInvoker& operator=(const CGUIThreadInvoker&) = delete;
    // Destroys the hidden window.
    ~CGUIThreadInvoker() override;

    // With an owner: registers the hidden window class and creates the hidden
    // window on the calling thread (replacing an earlier one); false when it
    // could not be created. With none: destroys the hidden window.
    [[nodiscard]] bool SetOwner(HWND owner);
    // The hidden window, or none.
    HWND GetHandle() const { return m_hidden.load(); }

    [[nodiscard]] bool Invoke(IGUICall* call, bool deleteWhenDone) override;
    [[nodiscard]] bool Post(IGUICall* call, bool deleteWhenDone) override;

private:
    static LRESULT CALLBACK HiddenWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void DestroyHidden();

    std::atomic<HWND> m_hidden { nullptr };
};
