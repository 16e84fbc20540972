#include "runtime/CGUITimer.h"
#include "WindowTestSupport.h"
#include "runtime/CGUIScopedTimer.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
// Counts its calls and, when told where, its deletion.
struct CCountingClient : IGUITimerClient {
    explicit CCountingClient(int* deletions = nullptr)
        : deletions(deletions)
    {
    }
    ~CCountingClient() override
    {
        if (deletions) {
            ++*deletions;
        }
    }
    void OnTimer() override
    {
        ++calls;
        thread = GetCurrentThreadId();
    }
    int* deletions;
    int calls = 0;
    DWORD thread = 0;
};

// The window hands WM_TIMER to s_timer, as framework windows do, and counts
// the timer messages that nobody handled.
CGUITimer* s_timer = nullptr;
int s_unhandled = 0;

LRESULT CALLBACK TimerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER) {
        if (s_timer && s_timer->Dispatch(wParam)) {
            return 0;
        }
        ++s_unhandled;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class CGUITimerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        s_timer = m_timer.get();
        s_unhandled = 0;
    }
    void TearDown() override { s_timer = nullptr; }
    // Lets 1 ms timers fire a few times.
    static void Wait()
    {
        Sleep(30);
        PumpPending();
    }
    CPlainWindow m_window { TimerWindowProc };
    std::unique_ptr<CGUITimer> m_timer = std::make_unique<CGUITimer>(m_window.Get());
};
} // namespace

TEST_F(CGUITimerTest, AStartedClientIsCalledFromTheMessageLoopUntilStopped)
{
    CCountingClient client;
    ASSERT_TRUE(m_timer->Start(10, &client));
    ASSERT_TRUE(m_timer->Start(10, &client));
    EXPECT_TRUE(PumpUntil([&] { return client.calls >= 2; }));
    EXPECT_EQ(client.thread, GetCurrentThreadId());

    // Started twice, stopped once: no native timer is left behind.
    IGUITimerClient* pointer = &client;
    m_timer->Stop(pointer, false);
    EXPECT_EQ(pointer, &client);
    EXPECT_FALSE(m_timer->IsRunning(&client));
    PumpPending();
    const int calls = client.calls;
    Wait();
    EXPECT_EQ(client.calls, calls);
    EXPECT_EQ(s_unhandled, 0);

    // Messages queued before the stop, and ids of no client, are not handled.
    CCountingClient other;
    ASSERT_TRUE(m_timer->Start(100000, &client));
    m_timer->Stop(pointer, false);
    for (const UINT_PTR id : { reinterpret_cast<UINT_PTR>(&client), reinterpret_cast<UINT_PTR>(&other), UINT_PTR {} }) {
        PostMessageA(m_window.Get(), WM_TIMER, id, 0);
    }
    PumpPending();
    EXPECT_EQ(client.calls + other.calls, calls);
    EXPECT_EQ(s_unhandled, 3);
}

TEST_F(CGUITimerTest, StopWithDeleteDeletesTheClientAndAWindowChangeStopsAll)
{
    int deletions = 0;
    IGUITimerClient* running = new CCountingClient(&deletions);
    IGUITimerClient* idle = new CCountingClient(&deletions);
    IGUITimerClient* none = nullptr;
    ASSERT_TRUE(m_timer->Start(100000, running));
    for (IGUITimerClient** client : { &running, &idle, &none }) {
        m_timer->Stop(*client, true);
        EXPECT_EQ(*client, nullptr);
    }
    EXPECT_EQ(deletions, 2);

    // Nothing starts without a window or a client.
    CGUITimer detached;
    CCountingClient client;
    EXPECT_FALSE(detached.Start(10, &client));
    EXPECT_FALSE(m_timer->Start(10, nullptr));
    ASSERT_TRUE(m_timer->Start(1, &client));
    m_timer->SetWindow(nullptr);
    EXPECT_FALSE(m_timer->IsRunning(&client));
    Wait();
    EXPECT_EQ(client.calls + s_unhandled, 0);
}

TEST_F(CGUITimerTest, ClientsGoneWhileRunningAreForgotten)
{
    struct CScopedClient : CCountingClient {
        CGUIScopedTimer timer;
    };
    // Deleted through its scoped timer, or with the timer object.
    auto* client = new CScopedClient;
    ASSERT_TRUE(client->timer.Start(*m_timer, 1, client));
    const IGUITimerClient* gone = client;
    delete client;
    EXPECT_FALSE(m_timer->IsRunning(gone));
    CCountingClient withTheTimer;
    ASSERT_TRUE(m_timer->Start(1, &withTheTimer));
    CScopedClient survivor;
    ASSERT_TRUE(survivor.timer.Start(*m_timer, 100000, &survivor));
    s_timer = nullptr;
    m_timer.reset();
    Wait();
    EXPECT_EQ(withTheTimer.calls + s_unhandled, 0);
}
