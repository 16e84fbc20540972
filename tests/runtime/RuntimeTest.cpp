#include "WindowTestSupport.h"
#include "runtime/CGUIScopedTimer.h"
#include "runtime/CGUIThreadInvoker.h"
#include "runtime/CGUITimer.h"
#include "runtime/CGUIWindowClassRegistry.h"
#include "runtime/GUIModule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <thread>

namespace {
// Counts its runs and its deletion; appends its index to *order when it runs.
struct CCall : IGUICall {
    static inline std::atomic<int> s_unwatched { 0 };
    std::atomic<int>* deletions = &s_unwatched;
    std::vector<int>* order = nullptr;
    int index = 0;
    std::atomic<int> runs { 0 };
    std::atomic<DWORD> thread { 0 };

    ~CCall() override { ++*deletions; }
    void Run() override
    {
        ++runs;
        thread = GetCurrentThreadId();
        if (order) {
            order->push_back(index);
        }
    }
};

class CGUIThreadInvokerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_invoker.SetOwner(m_owner.Get())); }
    // A call deleted when done, counted in m_deletions.
    CCall* Owned(std::vector<int>* order = nullptr, int index = 0)
    {
        auto* call = new CCall;
        call->deletions = &m_deletions;
        call->order = order;
        call->index = index;
        return call;
    }
    CPlainWindow m_owner;
    CGUIThreadInvoker m_invoker;
    std::atomic<int> m_deletions { 0 };
};
} // namespace

TEST_F(CGUIThreadInvokerTest, OneMessageOnlyWindowServesAllWindowsOfAThread)
{
    const HWND shared = m_invoker.GetHandle();
    char name[64] = {};
    std::snprintf(name, sizeof(name), "%lld::_GUIThreadInvokerWindow_",
        static_cast<long long>(reinterpret_cast<intptr_t>(GetModuleHandleA(nullptr))));
    EXPECT_EQ(FindWindowExA(HWND_MESSAGE, nullptr, name, nullptr), shared);
    EXPECT_TRUE(CGUIWindowClassRegistry::GetInstance().IsRegistered(name));
    EXPECT_FALSE(IsWindowEnabled(shared));

    CPlainWindow secondOwner;
    CGUIThreadInvoker second;
    ASSERT_TRUE(second.SetOwner(secondOwner.Get()));
    EXPECT_EQ(second.GetHandle(), shared);
    // Another thread gets its own; an owner of another thread is refused.
    std::thread([&] {
        CPlainWindow workerOwner;
        CGUIThreadInvoker worker;
        EXPECT_FALSE(worker.SetOwner(m_owner.Get()));
        ASSERT_TRUE(worker.SetOwner(workerOwner.Get()));
        EXPECT_NE(worker.GetHandle(), nullptr);
        EXPECT_NE(worker.GetHandle(), shared);
    }).join();

    ASSERT_TRUE(second.SetOwner(nullptr));
    EXPECT_TRUE(IsWindow(shared));
    ASSERT_TRUE(m_invoker.SetOwner(nullptr));
    EXPECT_FALSE(IsWindow(shared));
}

TEST_F(CGUIThreadInvokerTest, CallsFromAWorkerRunOnTheOwningThreadInOrder)
{
    CCall here;
    EXPECT_TRUE(m_invoker.Invoke(&here, false));
    EXPECT_EQ(here.runs, 1);
    EXPECT_TRUE(m_invoker.Invoke(Owned(), true));
    EXPECT_EQ(m_deletions, 1);

    // Invoke returns after the run, Post before; owned calls are deleted.
    std::vector<int> order;
    CCall invoked, posted;
    std::atomic<int> runsSeenOnReturn { -1 };
    std::thread worker([&] {
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(m_invoker.Post(Owned(&order, i), true));
        }
        EXPECT_TRUE(m_invoker.Invoke(&invoked, false));
        runsSeenOnReturn = invoked.runs.load();
        EXPECT_TRUE(m_invoker.Post(&posted, false));
    });
    EXPECT_TRUE(PumpUntil([&] { return posted.runs == 1; }));
    worker.join();
    EXPECT_EQ(order, (std::vector<int> { 0, 1, 2 }));
    const DWORD self = GetCurrentThreadId();
    EXPECT_EQ((std::tuple { runsSeenOnReturn.load(), m_deletions.load(), invoked.thread.load(), posted.thread.load() }),
        (std::tuple { 1, 4, self, self }));
}

TEST_F(CGUIThreadInvokerTest, AfterTheOwnerIsGoneNothingRunsAndOwnedCallsAreDeleted)
{
    // Gone by SetOwner, or by its thread window destroyed from outside; a
    // new owner then gets a new thread window.
    for (const bool destroyedFromOutside : { false, true }) {
        SCOPED_TRACE(destroyedFromOutside ? "destroyed from outside" : "owner released");
        if (destroyedFromOutside) {
            DestroyWindow(m_invoker.GetHandle());
        } else {
            ASSERT_TRUE(m_invoker.SetOwner(nullptr));
        }
        EXPECT_EQ(m_invoker.GetHandle(), nullptr);
        m_deletions = 0;
        CCall kept;
        EXPECT_EQ(
            (std::vector<bool> { m_invoker.Invoke(&kept, false), m_invoker.Post(&kept, false),
                m_invoker.Invoke(Owned(), true), m_invoker.Post(Owned(), true), m_invoker.Invoke(nullptr, true) }),
            std::vector<bool>(5, false));
        PumpPending();
        EXPECT_EQ((std::pair { kept.runs.load(), m_deletions.load() }), (std::pair { 0, 2 }));

        ASSERT_TRUE(m_invoker.SetOwner(m_owner.Get()));
        EXPECT_TRUE(m_invoker.Invoke(&kept, false));
        EXPECT_EQ(kept.runs, 1);
    }

    // Queued, then gone while the thread's window stays for another owner:
    // its own calls go, the other's run; then gone with the thread's window.
    m_deletions = 0;
    CPlainWindow otherOwner;
    CGUIThreadInvoker other;
    ASSERT_TRUE(other.SetOwner(otherOwner.Get()));
    CCall kept, forTheOther;
    ASSERT_TRUE(m_invoker.Post(Owned(), true) && m_invoker.Post(Owned(), true) && m_invoker.Post(&kept, false));
    ASSERT_TRUE(other.Post(&forTheOther, false));
    ASSERT_TRUE(m_invoker.SetOwner(nullptr));
    EXPECT_EQ(m_deletions, 2);
    EXPECT_TRUE(PumpUntil([&] { return forTheOther.runs == 1; }));
    EXPECT_EQ(kept.runs, 0);
    ASSERT_TRUE(other.Post(Owned(), true));
    ASSERT_TRUE(other.SetOwner(nullptr));
    EXPECT_EQ(m_deletions, 3);
}

namespace {
// Counts WM_USER, and how often it came while s_tearingDown was set.
std::atomic<bool> s_tearingDown { false };
std::atomic<int> s_duringTeardown { 0 }, s_received { 0 };

LRESULT CALLBACK TeardownWatchProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_USER) {
        ++s_received;
        s_duringTeardown += s_tearingDown ? 1 : 0;
        return 1;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
} // namespace

TEST_F(CGUIThreadInvokerTest, TeardownDispatchesNoMessageSentByAnotherThread)
{
    CPlainWindow receiver(TeardownWatchProc);
    ASSERT_TRUE(m_invoker.Post(Owned(), true));
    std::thread sender([&] { SendMessageA(receiver.Get(), WM_USER, 0, 0); });
    // Wait, without dispatching, until the sent message is waiting here.
    const ULONGLONG deadline = GetTickCount64() + 5000;
    while ((HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) == 0 && GetTickCount64() < deadline) {
        Sleep(1);
    }
    s_tearingDown = true;
    ASSERT_TRUE(m_invoker.SetOwner(nullptr));
    s_tearingDown = false;
    EXPECT_TRUE(PumpUntil([&] { return s_received == 1; }));
    sender.join();
    EXPECT_EQ(s_duringTeardown, 0);
}

namespace {
// Counts its calls and its deletion.
struct CCountingClient : IGUITimerClient {
    explicit CCountingClient(int* deletionCounter = nullptr)
        : deletions(deletionCounter != nullptr ? deletionCounter : &unwatched)
    {
    }
    ~CCountingClient() override { ++*deletions; }
    void OnTimer() override
    {
        ++calls;
        thread = GetCurrentThreadId();
    }
    int unwatched = 0;
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
    EXPECT_EQ((std::pair { client.calls, s_unhandled }), (std::pair { calls, 0 }));

    // Messages queued before the stop, and ids of no client, are not handled.
    CCountingClient other;
    ASSERT_TRUE(m_timer->Start(100000, &client));
    m_timer->Stop(pointer, false);
    for (const UINT_PTR id : { reinterpret_cast<UINT_PTR>(&client), reinterpret_cast<UINT_PTR>(&other), UINT_PTR {} }) {
        PostMessageA(m_window.Get(), WM_TIMER, id, 0);
    }
    PumpPending();
    EXPECT_EQ((std::pair { client.calls + other.calls, s_unhandled }), (std::pair { calls, 3 }));
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

namespace {
WNDCLASSA Describe(const char* name)
{
    WNDCLASSA description {};
    description.lpfnWndProc = DefWindowProcA;
    description.hInstance = GetModuleInstance();
    description.lpszClassName = name;
    return description;
}
} // namespace

TEST(CGUIWindowClassRegistry, RegistersEachTextNameOnceAmongConcurrentCallersAndNoForeignClass)
{
    CGUIWindowClassRegistry& registry = CGUIWindowClassRegistry::GetInstance();
    const int32_t before = registry.GetCount();
    std::vector<std::thread> threads;
    std::vector<int> results(8, 0);
    for (size_t t = 0; t < results.size(); ++t) {
        threads.emplace_back([&, t] { results[t] = registry.RegisterClass(Describe("RegistryRace")) ? 1 : 0; });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(std::count(results.begin(), results.end(), 1), 1);
    // Class names compare without case, natively and in the registry.
    EXPECT_FALSE(registry.RegisterClass(Describe("REGISTRYRACE")));
    EXPECT_TRUE(registry.IsRegistered("REGISTRYRACE"));
    WNDCLASSA found {};
    EXPECT_TRUE(GetClassInfoA(GetModuleInstance(), "RegistryRace", &found));

    const WNDCLASSA foreign = Describe("RegistryForeign");
    ASSERT_NE(RegisterClassA(&foreign), 0);
    EXPECT_EQ((std::vector<bool> { registry.RegisterClass(Describe(nullptr)),
                  registry.RegisterClass(Describe(MAKEINTATOM(0xC123))), registry.IsRegistered(nullptr),
                  registry.RegisterClass(foreign), registry.IsRegistered("RegistryForeign") }),
        std::vector<bool>(5, false));
    EXPECT_EQ(registry.GetCount(), before + 1);
    EXPECT_TRUE(UnregisterClassA("RegistryForeign", GetModuleInstance()));
}

// The helper program registers classes through the registry, lets the process
// end normally and checks, after the registry is gone, that exactly the
// registry's classes were unregistered; its exit code is the number of faults.
TEST(CGUIWindowClassRegistry, UnregistersItsClassesAtProcessExit)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string command(path);
    command = "\"" + command.substr(0, command.find_last_of("\\/") + 1) + "runtime_exit_helper.exe\"";
    STARTUPINFOA startup {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process {};
    ASSERT_TRUE(
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        << "cannot start " << command;
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    DWORD exitCode = 0xFFFFFFFF;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(exitCode, 0u);
}
