#include "runtime/CGUIThreadInvoker.h"
#include "GUITestSupport.h"
#include "runtime/CGUIWindowClassRegistry.h"
#include "runtime/GUIModule.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {
// Counts its runs and its deletion, and records the thread it ran on.
class CountingCall : public IGUICall {
public:
    CountingCall(std::vector<int>* order, int index, std::atomic<int>* deletions)
        : m_order(order)
        , m_index(index)
        , m_deletions(deletions)
    {
    }
    ~CountingCall() override
    {
        if (m_deletions) {
            ++*m_deletions;
        }
    }
    void Run() override
    {
        ++runs;
        thread = GetCurrentThreadId();
        if (m_order) {
            m_order->push_back(m_index);
        }
    }
    std::atomic<int> runs { 0 };
    std::atomic<DWORD> thread { 0 };

private:
    std::vector<int>* m_order;
    int m_index;
    std::atomic<int>* m_deletions;
};

// A plain top-level window for the invoker to serve.
class OwnerWindow {
public:
    OwnerWindow()
        : m_hwnd(CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr))
    {
    }
    ~OwnerWindow()
    {
        if (IsWindow(m_hwnd)) {
            DestroyWindow(m_hwnd);
        }
    }
    HWND Get() const { return m_hwnd; }

private:
    HWND m_hwnd;
};

class CGUIThreadInvokerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(m_owner.Get(), nullptr);
        ASSERT_TRUE(m_invoker.SetOwner(m_owner.Get()));
    }
    OwnerWindow m_owner;
    CGUIThreadInvoker m_invoker;
};

// Counts WM_USER, and how often it came while s_tearingDown was set.
std::atomic<bool> s_tearingDown { false };
std::atomic<int> s_duringTeardown { 0 };
std::atomic<int> s_received { 0 };

LRESULT CALLBACK TeardownWatchProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_USER) {
        ++s_received;
        s_duringTeardown += s_tearingDown ? 1 : 0;
        return 1;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

std::string InvokerClassName()
{
    char name[64] = {};
    std::snprintf(name, sizeof(name), "%lld::_GUIThreadInvokerWindow_",
        static_cast<long long>(reinterpret_cast<intptr_t>(GetModuleHandleA(nullptr))));
    return name;
}
} // namespace

TEST_F(CGUIThreadInvokerTest, OneMessageOnlyWindowServesAllWindowsOfAThread)
{
    const HWND shared = m_invoker.GetHandle();
    ASSERT_TRUE(IsWindow(shared));
    EXPECT_EQ(FindWindowExA(HWND_MESSAGE, nullptr, InvokerClassName().c_str(), nullptr), shared);
    EXPECT_TRUE(CGUIWindowClassRegistry::GetInstance().IsRegistered(InvokerClassName().c_str()));
    EXPECT_FALSE(IsWindowVisible(shared));
    EXPECT_FALSE(IsWindowEnabled(shared));

    OwnerWindow secondOwner;
    CGUIThreadInvoker second;
    ASSERT_TRUE(second.SetOwner(secondOwner.Get()));
    EXPECT_EQ(second.GetHandle(), shared);

    // Another thread gets its own; an owner of another thread is refused.
    std::thread([&] {
        OwnerWindow workerOwner;
        CGUIThreadInvoker worker;
        EXPECT_FALSE(worker.SetOwner(m_owner.Get()));
        ASSERT_TRUE(worker.SetOwner(workerOwner.Get()));
        EXPECT_NE(worker.GetHandle(), nullptr);
        EXPECT_NE(worker.GetHandle(), shared);
    }).join();

    ASSERT_TRUE(second.SetOwner(nullptr));
    EXPECT_EQ(second.GetHandle(), nullptr);
    EXPECT_TRUE(IsWindow(shared));
    ASSERT_TRUE(m_invoker.SetOwner(nullptr));
    EXPECT_FALSE(IsWindow(shared));
}

TEST_F(CGUIThreadInvokerTest, InvokeOnTheOwningThreadRunsBeforeReturning)
{
    std::atomic<int> deletions { 0 };
    CountingCall kept(nullptr, 0, nullptr);
    EXPECT_TRUE(m_invoker.Invoke(&kept, false));
    EXPECT_EQ(kept.runs, 1);
    EXPECT_EQ(kept.thread, GetCurrentThreadId());

    auto* owned = new CountingCall(nullptr, 0, &deletions);
    EXPECT_TRUE(m_invoker.Invoke(owned, true));
    EXPECT_EQ(deletions, 1);
}

TEST_F(CGUIThreadInvokerTest, PostFromAWorkerRunsOnTheOwningThreadInOrder)
{
    std::vector<int> order;
    std::atomic<int> deletions { 0 };
    std::vector<DWORD> threads;
    std::atomic<bool> posted { false };
    std::thread worker([&] {
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(m_invoker.Post(new CountingCall(&order, i, &deletions), true));
        }
        posted = true;
    });
    EXPECT_TRUE(PumpUntil([&] { return posted && deletions == 3; }));
    worker.join();
    EXPECT_EQ(order, (std::vector<int> { 0, 1, 2 }));
}

TEST_F(CGUIThreadInvokerTest, InvokeFromAWorkerWaitsForTheOwningThread)
{
    CountingCall call(nullptr, 0, nullptr);
    std::atomic<bool> returned { false };
    std::atomic<int> runsSeenOnReturn { -1 };
    std::thread worker([&] {
        const bool ran = m_invoker.Invoke(&call, false);
        EXPECT_TRUE(ran);
        runsSeenOnReturn = call.runs.load();
        returned = true;
    });
    EXPECT_TRUE(PumpUntil([&] { return returned.load(); }));
    worker.join();
    EXPECT_EQ(runsSeenOnReturn, 1);
    EXPECT_EQ(call.thread, GetCurrentThreadId());
}

TEST_F(CGUIThreadInvokerTest, AfterTheOwnerIsGoneNothingRunsAndOwnedCallsAreDeleted)
{
    ASSERT_TRUE(m_invoker.SetOwner(nullptr));
    EXPECT_EQ(m_invoker.GetHandle(), nullptr);

    std::atomic<int> deletions { 0 };
    for (const bool synchronous : { true, false }) {
        SCOPED_TRACE(synchronous ? "Invoke" : "Post");
        CountingCall kept(nullptr, 0, nullptr);
        EXPECT_FALSE(synchronous ? m_invoker.Invoke(&kept, false) : m_invoker.Post(&kept, false));
        auto* owned = new CountingCall(nullptr, 0, &deletions);
        EXPECT_FALSE(synchronous ? m_invoker.Invoke(owned, true) : m_invoker.Post(owned, true));
        PumpPending();
        EXPECT_EQ(kept.runs, 0);
    }
    EXPECT_EQ(deletions, 2);
    EXPECT_FALSE(m_invoker.Invoke(nullptr, true));
}

TEST_F(CGUIThreadInvokerTest, AThreadWindowDestroyedFromOutsideIsReplacedForNewOwners)
{
    const HWND destroyed = m_invoker.GetHandle();
    DestroyWindow(destroyed);
    EXPECT_EQ(m_invoker.GetHandle(), nullptr);
    std::atomic<int> deletions { 0 };
    EXPECT_FALSE(m_invoker.Post(new CountingCall(nullptr, 0, &deletions), true));
    EXPECT_EQ(deletions, 1);

    ASSERT_TRUE(m_invoker.SetOwner(m_owner.Get()));
    EXPECT_TRUE(IsWindow(m_invoker.GetHandle()));
    CountingCall call(nullptr, 0, nullptr);
    EXPECT_TRUE(m_invoker.Invoke(&call, false));
    EXPECT_EQ(call.runs, 1);
}

TEST_F(CGUIThreadInvokerTest, CallsQueuedForAWindowThatIsGoneNeverRun)
{
    OwnerWindow otherOwner;
    CGUIThreadInvoker other;
    ASSERT_TRUE(other.SetOwner(otherOwner.Get()));
    std::atomic<int> deletions { 0 };
    CountingCall kept(nullptr, 0, nullptr);
    CountingCall forTheOther(nullptr, 0, nullptr);
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(m_invoker.Post(new CountingCall(nullptr, i, &deletions), true));
    }
    ASSERT_TRUE(m_invoker.Post(&kept, false));
    ASSERT_TRUE(other.Post(&forTheOther, false));

    // Gone while the thread's window stays for the other: its own calls go.
    ASSERT_TRUE(m_invoker.SetOwner(nullptr));
    EXPECT_EQ(deletions, 2);
    EXPECT_TRUE(PumpUntil([&] { return forTheOther.runs == 1; }));
    EXPECT_EQ(kept.runs, 0);

    // Gone with the thread's window.
    ASSERT_TRUE(other.Post(new CountingCall(nullptr, 0, &deletions), true));
    ASSERT_TRUE(other.SetOwner(nullptr));
    EXPECT_EQ(deletions, 3);
    PumpPending();
    EXPECT_EQ(kept.runs, 0);
}

TEST_F(CGUIThreadInvokerTest, TeardownDispatchesNoMessageSentByAnotherThread)
{
    // A window of this thread that notes whether a sent message arrives
    // while the invoker is being torn down.
    const HWND receiver = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(receiver, nullptr);
    SetWindowLongPtrA(receiver, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TeardownWatchProc));
    ASSERT_TRUE(m_invoker.Post(new CountingCall(nullptr, 0, nullptr), true));

    std::thread sender([&] { SendMessageA(receiver, WM_USER, 0, 0); });
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
    DestroyWindow(receiver);
}

TEST_F(CGUIThreadInvokerTest, ACallLeftToItsOwnerRunsAndStays)
{
    std::atomic<int> deletions { 0 };
    auto call = std::make_unique<CountingCall>(nullptr, 0, &deletions);
    ASSERT_TRUE(m_invoker.Post(call.get(), false));
    EXPECT_TRUE(PumpUntil([&] { return call->runs == 1; }));
    EXPECT_EQ(deletions, 0);
}
