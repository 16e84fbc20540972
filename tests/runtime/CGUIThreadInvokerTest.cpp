#include "CGUIThreadInvoker.h"
#include "CGUIWindowClassRegistry.h"
#include "GUIModule.h"
#include "GUITestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
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
} // namespace

TEST_F(CGUIThreadInvokerTest, HiddenWindowIsRegisteredHiddenDisabledAndOwned)
{
    const HWND hidden = m_invoker.GetHandle();
    ASSERT_TRUE(IsWindow(hidden));
    char className[64] = {};
    GetClassNameA(hidden, className, sizeof(className));
    char expected[64] = {};
    std::snprintf(expected, sizeof(expected), "%lld::_GUIThreadInvokerWindow_",
        static_cast<long long>(reinterpret_cast<intptr_t>(GetModuleHandleA(nullptr))));
    EXPECT_STREQ(className, expected);
    EXPECT_TRUE(CGUIWindowClassRegistry::GetInstance().IsRegistered(expected));
    EXPECT_EQ(GetWindow(hidden, GW_OWNER), m_owner.Get());
    EXPECT_FALSE(IsWindowVisible(hidden));
    EXPECT_FALSE(IsWindowEnabled(hidden));
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

TEST_F(CGUIThreadInvokerTest, AfterTheHiddenWindowIsGoneNothingRunsAndOwnedCallsAreDeleted)
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

TEST_F(CGUIThreadInvokerTest, DestroyingTheOwnerTakesTheHiddenWindowAlong)
{
    const HWND hidden = m_invoker.GetHandle();
    DestroyWindow(m_owner.Get());
    EXPECT_FALSE(IsWindow(hidden));
    EXPECT_EQ(m_invoker.GetHandle(), nullptr);

    std::atomic<int> deletions { 0 };
    EXPECT_FALSE(m_invoker.Post(new CountingCall(nullptr, 0, &deletions), true));
    EXPECT_EQ(deletions, 1);
}

TEST_F(CGUIThreadInvokerTest, QueuedCallsAreDeletedWhenTheHiddenWindowGoesAway)
{
    std::atomic<int> deletions { 0 };
    CountingCall kept(nullptr, 0, nullptr);
    std::vector<CountingCall*> owned;
    for (int i = 0; i < 2; ++i) {
        owned.push_back(new CountingCall(nullptr, i, &deletions));
        ASSERT_TRUE(m_invoker.Post(owned.back(), true));
    }
    ASSERT_TRUE(m_invoker.Post(&kept, false));

    ASSERT_TRUE(m_invoker.SetOwner(nullptr));
    EXPECT_EQ(deletions, 2);
    PumpPending();
    EXPECT_EQ(kept.runs, 0);
    EXPECT_EQ(deletions, 2);
}

TEST_F(CGUIThreadInvokerTest, ACallLeftToItsOwnerRunsAndStays)
{
    std::atomic<int> deletions { 0 };
    auto call = std::make_unique<CountingCall>(nullptr, 0, &deletions);
    ASSERT_TRUE(m_invoker.Post(call.get(), false));
    EXPECT_TRUE(PumpUntil([&] { return call->runs == 1; }));
    EXPECT_EQ(deletions, 0);
}
