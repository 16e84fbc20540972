#include "foundation/CGUINotifier.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {
// Appends its name to a shared log, then runs its action.
struct CLogListener : IGUIListener {
    CLogListener(char name, std::string& log)
        : name(name)
        , log(log)
    {
    }
    void OnNotify() override
    {
        log += name;
        if (action) {
            action();
        }
    }
    char name;
    std::string& log;
    std::function<void()> action;
};

// Three listeners a, b, c registered in order on a notifier the test may delete.
struct CThree : testing::Test {
    CThree()
    {
        for (CLogListener* l : { &a, &b, &c }) {
            notifier->AddListener(l);
        }
    }
    std::string log;
    CLogListener a { 'a', log }, b { 'b', log }, c { 'c', log };
    CGUINotifier* notifier = new CGUINotifier;
    bool deleted = false;
    ~CThree() override
    {
        if (!deleted) {
            delete notifier;
        }
    }
};
} // namespace

TEST_F(CThree, CallsInOrderOncePerRegistration)
{
    notifier->AddListener(&a);
    notifier->Notify();
    EXPECT_EQ(log, "abca");
    notifier->RemoveListener(&a);
    notifier->RemoveListener(&a); // no longer registered
    EXPECT_EQ(notifier->GetListenerCount(), 2);
}

TEST_F(CThree, ABusyListenerIsNotReentered)
{
    int depth = 0;
    b.action = [&] {
        if (depth++ < 3) {
            notifier->Notify();
        }
    };
    notifier->Notify();
    EXPECT_EQ(log, "abacc"); // the nested walk skips b
}

TEST_F(CThree, RemovalDuringNotifyIsImmediate)
{
    a.action = [&] {
        notifier->RemoveListener(&a);
        notifier->RemoveListener(&b);
    };
    notifier->Notify();
    EXPECT_EQ(log, "ac");
    EXPECT_EQ(notifier->GetListenerCount(), 1);
}

TEST_F(CThree, AddedDuringNotifyRunFromTheNextNotification)
{
    CLogListener late('L', log);
    a.action = [&] {
        notifier->AddListener(&late);
        a.action = nullptr;
    };
    notifier->Notify();
    notifier->Notify();
    EXPECT_EQ(log, "abcabcL");
}

TEST_F(CThree, DestroyedByAListenerStopsEveryWalk)
{
    for (bool nested : { false, true }) {
        SCOPED_TRACE(nested ? "nested walk" : "single walk");
        log.clear();
        deleted = false;
        if (nested) {
            notifier = new CGUINotifier;
            notifier->AddListener(&a);
            notifier->AddListener(&b);
            notifier->AddListener(&c);
            a.action = [&] {
                a.action = nullptr;
                notifier->Notify();
            };
        }
        (nested ? b : a).action = [&] {
            delete notifier;
            deleted = true;
        };
        notifier->Notify();
        EXPECT_EQ(log, nested ? "ab" : "a");
        a.action = b.action = nullptr;
    }
}

TEST(CGUINotifier, RemoveAndReleaseDeletesWhenAskedAndNullsThePointer)
{
    bool destroyed = false;
    struct CTracked : IGUIListener {
        bool& destroyed;
        explicit CTracked(bool& flag)
            : destroyed(flag)
        {
        }
        void OnNotify() override { }
        ~CTracked() override { destroyed = true; }
    };
    CGUINotifier notifier;
    IGUIListener* listener = new CTracked(destroyed);
    notifier.AddListener(listener);
    notifier.RemoveAndRelease(listener, true);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(listener, nullptr);
    notifier.RemoveAndRelease(listener, true); // null: nothing happens

    std::string log;
    CLogListener kept('k', log);
    listener = &kept;
    notifier.AddListener(listener);
    notifier.RemoveAndRelease(listener, false);
    EXPECT_EQ(listener, nullptr);
    notifier.Notify();
    EXPECT_EQ(log, "");
}

TEST_F(CThree, CopiesStartWithoutListeners)
{
    CGUINotifier copy(*notifier);
    copy.Notify();
    EXPECT_EQ(log, "");
    copy = *notifier;
    EXPECT_EQ(copy.GetListenerCount(), 0);
    EXPECT_EQ(notifier->GetListenerCount(), 3);
}
