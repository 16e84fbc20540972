#include "runtime/CGUITimer.h"

CGUITimer::CGUITimer(HWND window)
    : m_window(window)
{
}

CGUITimer::~CGUITimer()
{
    StopAll();
}

UINT_PTR CGUITimer::TimerIdOf(const IGUITimerClient* client)
{
    return reinterpret_cast<UINT_PTR>(client);
}

bool CGUITimer::Start(UINT periodMilliseconds, IGUITimerClient* client)
{
    if (!m_window || !client) {
        return false;
    }
    // The platform replaces a timer with the same identifier, so starting
    // twice keeps one native timer.
    if (SetTimer(m_window, TimerIdOf(client), periodMilliseconds, nullptr) == 0) {
        return false;
    }
    m_clients.insert(client);
    return true;
}

void CGUITimer::Stop(IGUITimerClient*& client, bool deleteClient)
{
    if (m_window && client) {
        KillTimer(m_window, TimerIdOf(client));
    }
    m_clients.erase(client);
    if (deleteClient && client) {
        delete client;
        client = nullptr;
    }
}

bool CGUITimer::Dispatch(UINT_PTR timerId)
{
    if (timerId == 0) {
        return false;
    }
    // The identifier is only compared, never followed: a stale WM_TIMER may
    // name a client that is gone.
    const auto found = m_clients.find(reinterpret_cast<const IGUITimerClient*>(timerId));
    if (found == m_clients.end()) {
        return false;
    }
    (*found)->OnTimer();
    return true;
}

void CGUITimer::SetWindow(HWND window)
{
    if (window != m_window) {
        StopAll();
        m_window = window;
    }
}

bool CGUITimer::IsRunning(const IGUITimerClient* client) const
{
    return m_clients.find(client) != m_clients.end();
}

void CGUITimer::StopAll()
{
    if (m_window) {
        for (IGUITimerClient* client : m_clients) {
            KillTimer(m_window, TimerIdOf(client));
        }
    }
    m_clients.clear();
}
