#pragma once

#include "foundation/CGUILifetime.h"
#include "runtime/IGUITimerClient.h"

#include <windows.h>

#include <functional>
#include <set>

// The platform timers of one native window, handed out to any number of
// clients. A client's native timer identifier is its address, so a client has
// at most one timer per window. Works on the native window handle, which the
// owning window sets (SetWindow) when it gets or loses one; used only on that
// window's thread. Clients are never owned, except when Stop is asked to
// delete one. A client that may be deleted while running holds its timer
// through a CGUIScopedTimer.
class CGUITimer {
public:
    explicit CGUITimer(HWND window = nullptr);
    CGUITimer(const CGUITimer&) = delete;
    CGUITimer& operator=(const CGUITimer&) = delete;
    // Kills the native timers of the running clients and forgets them.
    virtual ~CGUITimer();

    // Starts (or restarts, with the new period) client's timer on the window.
    // False, and nothing started, without a window or client or when the
    // platform refuses the timer.
    [[nodiscard]] virtual bool Start(UINT periodMilliseconds, IGUITimerClient* client);
    // Stops client's timer; a WM_TIMER queued before is ignored afterwards.
    // With deleteClient the client is deleted (running or not) and the
    // caller's pointer set to null. A client that never ran is no error.
    virtual void Stop(IGUITimerClient*& client, bool deleteClient);

    // For the window procedure on WM_TIMER: runs the OnTimer of the running
    // client with this identifier and gives true; false for any other
    // identifier (the message then gets default processing). OnTimer may stop
    // or delete clients and this timer object.
    [[nodiscard]] bool Dispatch(UINT_PTR timerId);

    // Changing the window stops every running client: their native timers
    // belong to the old window.
    void SetWindow(HWND window);
    HWND GetWindow() const { return m_window; }
    [[nodiscard]] bool IsRunning(const IGUITimerClient* client) const;
    // Ends with this object; scoped timers watch it.
    const CGUILifetime& GetLifetime() const { return m_lifetime; }

private:
    static UINT_PTR TimerIdOf(const IGUITimerClient* client);
    void StopAll();

    HWND m_window;
    std::set<IGUITimerClient*, std::less<>> m_clients;
    CGUILifetime m_lifetime;
};
