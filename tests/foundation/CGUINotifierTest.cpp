#include "foundation/CGUINotifier.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {
// Appends its name to the fixture's log, then runs its action.
struct CLogListener final : IGUIListener {
    void OnNotify() override
    {
        *log += name;
        if (action) {
            action();
        }
    }
    ~CLogListener() override { ++*destroyed; }
    char name = '?';
    std::string* log = nullptr;
    int* destroyed = nullptr;
    std::function<void()> action;
};

// Listeners a, b, c registered in that order on a notifier a test may delete.
struct NotifierWithThreeListeners : testing::Test {
    NotifierWithThreeListeners()
    {
        for (CLogListener* l : { &a, &b, &c }) {
            l->name = static_cast<char>('a' + (l - &a));
            l->log = &log;
            l->destroyed = &destroyed;
            notifier->AddListener(l);
        }
    }
    ~NotifierWithThreeListeners() override { delete notifier; }
    CLogListener* Make()
    {
        auto* l = new CLogListener(a);
        l->name = 'L';
        return l;
    }
    std::string log;
    int destroyed = 0;
    CLogListener a, b, c;
    CGUINotifier* notifier = new CGUINotifier;
};
} // namespace

TEST_F(NotifierWithThreeListeners, CallsInOrderOncePerRegistrationAndCopiesHaveNoListeners)
{
    notifier->AddListener(&a);
    notifier->Notify();
    EXPECT_EQ(log, "abca");
    notifier->RemoveListener(&a);
    notifier->RemoveListener(&a);
    EXPECT_EQ(notifier->GetListenerCount(), 2);
    CGUINotifier copy(*notifier);
    copy.Notify();
    copy = *notifier;
    copy.Notify();
    EXPECT_EQ(log, "abca");
    EXPECT_EQ(copy.GetListenerCount(), 0);
}

TEST_F(NotifierWithThreeListeners, ListenersChangedDuringAWalk)
{
    int depth = 0;
    b.action = [&] { // re-entered walks skip the busy listener
        if (depth++ < 3) {
            notifier->Notify();
        }
    };
    notifier->Notify();
    EXPECT_EQ(log, "abacc");

    log.clear();
    b.action = nullptr;
    CLogListener* late = Make();
    a.action = [&] { // removals act at once, additions from the next walk on
        notifier->RemoveListener(&b);
        notifier->AddListener(late);
        a.action = nullptr;
    };
    notifier->Notify();
    notifier->Notify();
    EXPECT_EQ(log, "acacL");
    EXPECT_EQ(notifier->GetListenerCount(), 3);
    IGUIListener* released = late;
    notifier->RemoveAndRelease(released, true);
    EXPECT_EQ(released, nullptr);
    notifier->RemoveAndRelease(released, true);
    IGUIListener* kept = &c;
    notifier->RemoveAndRelease(kept, false);
    EXPECT_EQ(kept, nullptr);
    EXPECT_EQ(destroyed, 1);
    notifier->Notify();
    EXPECT_EQ(log, "acacLa");
}

TEST_F(NotifierWithThreeListeners, DestroyedByAListenerStopsEveryWalk)
{
    for (bool nested : { false, true }) {
        SCOPED_TRACE(nested ? "nested walk" : "single walk");
        if (nested) {
            notifier = new CGUINotifier;
            for (CLogListener* l : { &a, &b, &c }) {
                notifier->AddListener(l);
            }
            a.action = [&] {
                a.action = nullptr;
                notifier->Notify();
            };
        }
        log.clear();
        (nested ? b : a).action = [&] {
            delete notifier;
            notifier = nullptr;
        };
        notifier->Notify();
        EXPECT_EQ(log, nested ? "ab" : "a");
        a.action = b.action = nullptr;
    }
}
