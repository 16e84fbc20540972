#include "runtime/CGUIThreadInvoker.h"
#include "WindowTestSupport.h"
#include "runtime/CGUIWindowClassRegistry.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <thread>

namespace {
// Counts its runs and, when told where, its deletion; appends its index to
// *order when it runs.
struct CCall : IGUICall {
    std::atomic<int>* deletions = nullptr;
    std::vector<int>* order = nullptr;
    int index = 0;
    std::atomic<int> runs { 0 };
    std::atomic<DWORD> thread { 0 };

    ~CCall() override
    {
        if (deletions) {
            ++*deletions;
        }
    }
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
    EXPECT_EQ(runsSeenOnReturn, 1);
    EXPECT_EQ(order, (std::vector<int> { 0, 1, 2 }));
    EXPECT_EQ(m_deletions, 4);
    EXPECT_EQ(invoked.thread, GetCurrentThreadId());
    EXPECT_EQ(posted.thread, GetCurrentThreadId());
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
        EXPECT_FALSE(m_invoker.Invoke(&kept, false));
        EXPECT_FALSE(m_invoker.Post(&kept, false));
        EXPECT_FALSE(m_invoker.Invoke(Owned(), true));
        EXPECT_FALSE(m_invoker.Post(Owned(), true));
        EXPECT_FALSE(m_invoker.Invoke(nullptr, true));
        PumpPending();
        EXPECT_EQ(kept.runs, 0);
        EXPECT_EQ(m_deletions, 2);

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
    ASSERT_TRUE(m_invoker.Post(Owned(), true));
    ASSERT_TRUE(m_invoker.Post(Owned(), true));
    ASSERT_TRUE(m_invoker.Post(&kept, false));
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
