#include "foundation/CGUINotifier.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {
// Records its calls into a shared log and runs an optional action.
class RecordingListener : public IGUIListener {
public:
    RecordingListener(std::string name, std::string& log)
        : m_name(std::move(name))
        , m_log(log)
    {
    }
    void OnNotify() override
    {
        m_log += m_name;
        if (action) {
            action();
        }
    }
    std::function<void()> action;

private:
    std::string m_name;
    std::string& m_log;
};
} // namespace

TEST(CGUINotifier, EmptyNotifierDoesNothing)
{
    CGUINotifier notifier;
    notifier.Notify();
    EXPECT_EQ(notifier.GetListenerCount(), 0);
}

TEST(CGUINotifier, CallsInRegistrationOrderOncePerRegistration)
{
    std::string log;
    RecordingListener a("a", log), b("b", log);
    CGUINotifier notifier;
    notifier.AddListener(&a);
    notifier.AddListener(&b);
    notifier.AddListener(&a);
    notifier.Notify();
    EXPECT_EQ(log, "aba");

    notifier.RemoveListener(&a);
    EXPECT_EQ(notifier.GetListenerCount(), 1);
    log.clear();
    notifier.Notify();
    EXPECT_EQ(log, "b");
    notifier.RemoveListener(&a); // no longer registered
}

TEST(CGUINotifier, ABusyListenerIsNotReentered)
{
    std::string log;
    RecordingListener a("a", log), b("b", log), c("c", log);
    CGUINotifier notifier;
    notifier.AddListener(&a);
    notifier.AddListener(&b);
    notifier.AddListener(&c);
    int depth = 0;
    b.action = [&] {
        if (depth++ < 3) {
            notifier.Notify();
        }
    };
    notifier.Notify();
    // b fires again once: a and c run in the nested walk, b is skipped there.
    EXPECT_EQ(log, "abacc");
    EXPECT_EQ(depth, 1);
}

TEST(CGUINotifier, RemovalDuringNotifyIsSafeAndImmediate)
{
    std::string log;
    RecordingListener a("a", log), b("b", log), c("c", log);
    CGUINotifier notifier;
    notifier.AddListener(&a);
    notifier.AddListener(&b);
    notifier.AddListener(&c);
    a.action = [&] {
        notifier.RemoveListener(&a);
        notifier.RemoveListener(&b);
    };
    notifier.Notify();
    EXPECT_EQ(log, "ac");
    EXPECT_EQ(notifier.GetListenerCount(), 1);
}

TEST(CGUINotifier, ListenersAddedDuringNotifyRunFromTheNextNotification)
{
    std::string log;
    RecordingListener a("a", log), late("L", log);
    CGUINotifier notifier;
    notifier.AddListener(&a);
    a.action = [&] {
        notifier.AddListener(&late);
        a.action = nullptr;
    };
    notifier.Notify();
    EXPECT_EQ(log, "a");
    notifier.Notify();
    EXPECT_EQ(log, "aaL");
}

TEST(CGUINotifier, NotifierDestroyedByItsListenerStopsTheWalk)
{
    std::string log;
    RecordingListener a("a", log), b("b", log);
    auto* notifier = new CGUINotifier;
    notifier->AddListener(&a);
    notifier->AddListener(&b);
    a.action = [&] { delete notifier; };
    notifier->Notify();
    EXPECT_EQ(log, "a");
}

TEST(CGUINotifier, NestedWalksStopWhenTheNotifierIsDestroyed)
{
    std::string log;
    RecordingListener a("a", log), b("b", log), c("c", log);
    auto* notifier = new CGUINotifier;
    notifier->AddListener(&a);
    notifier->AddListener(&b);
    notifier->AddListener(&c);
    a.action = [&] {
        a.action = nullptr;
        notifier->Notify();
    };
    b.action = [&] { delete notifier; };
    notifier->Notify();
    EXPECT_EQ(log, "ab");
}

TEST(CGUINotifier, RemoveAndReleaseDeletesWhenAskedAndNullsThePointer)
{
    std::string log;
    CGUINotifier notifier;
    bool destroyed = false;
    struct Tracked : IGUIListener {
        bool& destroyed;
        explicit Tracked(bool& flag)
            : destroyed(flag)
        {
        }
        void OnNotify() override { }
        ~Tracked() override { destroyed = true; }
    };
    IGUIListener* listener = new Tracked(destroyed);
    notifier.AddListener(listener);
    notifier.RemoveAndRelease(listener, true);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(listener, nullptr);
    EXPECT_EQ(notifier.GetListenerCount(), 0);
    notifier.RemoveAndRelease(listener, true); // null: nothing happens

    RecordingListener kept("k", log);
    IGUIListener* keptPointer = &kept;
    notifier.AddListener(keptPointer);
    notifier.RemoveAndRelease(keptPointer, false);
    EXPECT_EQ(keptPointer, nullptr);
    notifier.Notify();
    EXPECT_EQ(log, "");
}

TEST(CGUINotifier, CopiesStartWithoutListeners)
{
    std::string log;
    RecordingListener a("a", log);
    CGUINotifier original;
    original.AddListener(&a);
    CGUINotifier copy(original);
    copy.Notify();
    EXPECT_EQ(log, "");
    copy = original;
    EXPECT_EQ(copy.GetListenerCount(), 0);
    EXPECT_EQ(original.GetListenerCount(), 1);
}
