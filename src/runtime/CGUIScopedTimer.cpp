#include "runtime/CGUIScopedTimer.h"

bool CGUIScopedTimer::Start(CGUITimer& timer, UINT periodMilliseconds, IGUITimerClient* client)
{
    if (&timer != m_timer || client != m_client) {
        Stop();
    }
    if (!timer.Start(periodMilliseconds, client)) {
        return false;
    }
    m_timer = &timer;
    m_timerGuard.emplace(timer.GetLifetime());
    m_client = client;
    return true;
}

void CGUIScopedTimer::Stop()
{
    if (m_timer != nullptr && !m_timerGuard->IsGone()) {
        IGUITimerClient* client = m_client;
        m_timer->Stop(client, false);
    }
    m_timer = nullptr;
    m_timerGuard.reset();
    m_client = nullptr;
}
