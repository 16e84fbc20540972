#pragma once

#include "foundation/CGUILifetimeGuard.h"
#include "runtime/CGUITimer.h"

#include <optional>

// One client's running timer that stops when this object goes. A client holds
// it as its last member (destroyed first), so that deleting the client without
// Stop can never leave a timer that calls it afterwards. The timer object may
// go first: then there is nothing left to stop.
class CGUIScopedTimer {
public:
    CGUIScopedTimer() = default;
    CGUIScopedTimer(const CGUIScopedTimer&) = delete;
    CGUIScopedTimer& operator=(const CGUIScopedTimer&) = delete;
    ~CGUIScopedTimer() { Stop(); }

    // CGUITimer::Start on timer; a timer this object ran before on another
    // timer or for another client is stopped first.
    [[nodiscard]] bool Start(CGUITimer& timer, UINT periodMilliseconds, IGUITimerClient* client);
    void Stop();

private:
    CGUITimer* m_timer = nullptr;
    std::optional<CGUILifetimeGuard> m_timerGuard;
    IGUITimerClient* m_client = nullptr;
};
