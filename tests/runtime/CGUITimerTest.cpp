#include "runtime/CGUITimer.h"
#include "GUITestSupport.h"
#include "runtime/CGUIScopedTimer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

namespace {
class CountingClient : public IGUITimerClient {
public:
    explicit CountingClient(int* deletions = nullptr)
        : m_deletions(deletions)
    {
    }
    ~CountingClient() override
    {
        if (m_deletions) {
            ++*m_deletions;
        }
    }
    void OnTimer() override
    {
        ++calls;
        thread = GetCurrentThreadId();
    }
    int calls = 0;
    DWORD thread = 0;

private:
    int* m_deletions;
};

// A window whose procedure hands WM_TIMER to the timer object, as framework
// windows do, and counts the timer messages that nobody handled.
class TimerWindow {
public:
    TimerWindow()
    {
        static const ATOM windowClass = [] {
            WNDCLASSA description {};
            description.lpfnWndProc = Procedure;
            description.hInstance = GetModuleHandleA(nullptr);
            description.lpszClassName = "RuntimeTimerTestWindow";
            return RegisterClassA(&description);
        }();
        static_cast<void>(windowClass);
        m_hwnd = CreateWindowExA(0, "RuntimeTimerTestWindow", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
            GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~TimerWindow() { DestroyWindow(m_hwnd); }
    HWND Get() const { return m_hwnd; }

    CGUITimer* timer = nullptr;
    int unhandled = 0;

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<TimerWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (message == WM_TIMER && self) {
            if (self->timer && self->timer->Dispatch(wParam)) {
                return 0;
            }
            ++self->unhandled;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    HWND m_hwnd;
};
} // namespace

TEST(CGUITimer, AStartedClientIsCalledFromTheMessageLoop)
{
    TimerWindow window;
    CGUITimer timer(window.Get());
    window.timer = &timer;
    CountingClient client;
    ASSERT_TRUE(timer.Start(10, &client));
    ASSERT_TRUE(timer.Start(10, &client));
    EXPECT_TRUE(timer.IsRunning(&client));
    EXPECT_TRUE(PumpUntil([&] { return client.calls >= 2; }));
    EXPECT_EQ(client.thread, GetCurrentThreadId());
    EXPECT_EQ(window.unhandled, 0);

    // Started twice, stopped once: no native timer is left behind.
    IGUITimerClient* pointer = &client;
    timer.Stop(pointer, false);
    EXPECT_EQ(pointer, &client);
    EXPECT_FALSE(timer.IsRunning(&client));
    PumpPending();
    const int calls = client.calls;
    Sleep(50);
    PumpPending();
    EXPECT_EQ(client.calls, calls);
    EXPECT_EQ(window.unhandled, 0);
}

TEST(CGUITimer, AQueuedTimerMessageOfAStoppedClientIsIgnored)
{
    TimerWindow window;
    CGUITimer timer(window.Get());
    window.timer = &timer;
    CountingClient client;
    ASSERT_TRUE(timer.Start(100000, &client));
    IGUITimerClient* pointer = &client;
    timer.Stop(pointer, false);
    // A WM_TIMER that was already queued when the client stopped.
    PostMessageA(window.Get(), WM_TIMER, reinterpret_cast<WPARAM>(&client), 0);
    PumpPending();
    EXPECT_EQ(client.calls, 0);
    EXPECT_EQ(window.unhandled, 1);
}

TEST(CGUITimer, DispatchAnswersOnlyForRunningClients)
{
    TimerWindow window;
    CGUITimer timer(window.Get());
    CountingClient running, other;
    ASSERT_TRUE(timer.Start(100000, &running));
    EXPECT_FALSE(timer.Dispatch(0));
    EXPECT_FALSE(timer.Dispatch(reinterpret_cast<UINT_PTR>(&other)));
    EXPECT_TRUE(timer.Dispatch(reinterpret_cast<UINT_PTR>(&running)));
    EXPECT_EQ(running.calls, 1);
    EXPECT_EQ(other.calls, 0);
}

TEST(CGUITimer, StopWithDeleteDeletesTheClientAndClearsThePointer)
{
    TimerWindow window;
    CGUITimer timer(window.Get());
    int deletions = 0;
    IGUITimerClient* running = new CountingClient(&deletions);
    ASSERT_TRUE(timer.Start(100000, running));
    timer.Stop(running, true);
    EXPECT_EQ(running, nullptr);
    EXPECT_EQ(deletions, 1);

    // Never started: nothing to stop, but still deleted when asked.
    IGUITimerClient* idle = new CountingClient(&deletions);
    timer.Stop(idle, true);
    EXPECT_EQ(idle, nullptr);
    EXPECT_EQ(deletions, 2);

    IGUITimerClient* none = nullptr;
    timer.Stop(none, true);
    EXPECT_EQ(deletions, 2);
}

TEST(CGUITimer, NothingStartsWithoutAWindowOrClient)
{
    CGUITimer detached;
    CountingClient client;
    EXPECT_FALSE(detached.Start(10, &client));
    EXPECT_FALSE(detached.IsRunning(&client));

    TimerWindow window;
    CGUITimer timer(window.Get());
    EXPECT_FALSE(timer.Start(10, nullptr));
}

TEST(CGUITimer, DestructionAndAWindowChangeStopTheNativeTimers)
{
    TimerWindow window;
    CountingClient first, second;
    {
        CGUITimer timer(window.Get());
        ASSERT_TRUE(timer.Start(1, &first));
    }
    CGUITimer timer(window.Get());
    ASSERT_TRUE(timer.Start(1, &second));
    timer.SetWindow(nullptr);
    EXPECT_FALSE(timer.IsRunning(&second));
    Sleep(30);
    PumpPending();
    EXPECT_EQ(window.unhandled, 0);
    EXPECT_EQ(first.calls + second.calls, 0);
}

TEST(CGUITimer, AClientDeletedWhileRunningThroughAScopedTimerIsForgotten)
{
    struct CScopedClient : CountingClient {
        using CountingClient::CountingClient;
        CGUIScopedTimer timer;
    };
    TimerWindow window;
    int deletions = 0;
    auto timer = std::make_unique<CGUITimer>(window.Get());
    window.timer = timer.get();
    auto* client = new CScopedClient(&deletions);
    ASSERT_TRUE(client->timer.Start(*timer, 1, client));
    const IGUITimerClient* gone = client;
    delete client;
    EXPECT_FALSE(timer->IsRunning(gone));
    Sleep(30);
    PumpPending();
    EXPECT_EQ(window.unhandled, 0);

    // The timer object may go first.
    CScopedClient survivor;
    ASSERT_TRUE(survivor.timer.Start(*timer, 100000, &survivor));
    window.timer = nullptr;
    timer.reset();
}
