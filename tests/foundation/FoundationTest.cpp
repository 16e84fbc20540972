#include "foundation/CGUINotifier.h"
#include "foundation/CGUIString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <tuple>

namespace {
// Logs its name when notified (then runs its action) and '~' when destroyed.
struct CLogListener final : IGUIListener {
    CLogListener(char name, std::string& log)
        : name(name)
        , log(log)
    {
    }
    ~CLogListener() override { log += '~'; }
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
} // namespace

// Listeners may change, and the notifier die, during a walk; copies start without listeners.
TEST(CGUINotifier, WalksInOrderOncePerRegistrationWhateverListenersDo)
{
    std::string log;
    CLogListener a { 'a', log }, b { 'b', log }, c { 'c', log };
    auto* notifier = new CGUINotifier;
    for (CLogListener* listener : { &a, &b, &c, &a }) {
        notifier->AddListener(listener);
    }
    notifier->Notify();
    notifier->RemoveListener(&a);
    notifier->RemoveListener(&a);
    CGUINotifier copy(*notifier);
    copy.Notify();
    copy = *notifier;
    copy.Notify();
    EXPECT_EQ(std::tuple(notifier->GetListenerCount(), copy.GetListenerCount()), std::tuple(2, 0));

    notifier->AddListener(&a);
    int depth = 0;
    c.action = [&] { // re-entered walks skip the busy listener
        if (depth++ < 3) {
            notifier->Notify();
        }
    };
    log += '|';
    notifier->Notify();
    c.action = nullptr;
    IGUIListener* late = new CLogListener('L', log);
    b.action = [&] { // removals act at once, additions from the next walk on
        notifier->RemoveListener(&c);
        notifier->AddListener(late);
        b.action = nullptr;
    };
    log += '|';
    notifier->Notify();
    notifier->Notify();
    EXPECT_EQ(notifier->GetListenerCount(), 3);
    IGUIListener* kept = &a;
    notifier->RemoveAndRelease(late, true);
    notifier->RemoveAndRelease(late, true);
    notifier->RemoveAndRelease(kept, false);
    notifier->Notify();
    EXPECT_EQ(std::tuple(late, kept, log), std::tuple(nullptr, nullptr, "abca|bcbaa|babaL~b"));

    notifier->AddListener(&c);
    b.action = [&] {
        b.action = nullptr;
        notifier->Notify();
    };
    c.action = [&] { delete notifier; };
    log.clear();
    notifier->Notify();
    EXPECT_EQ(log, "bc") << "the notifier died in a nested walk: both walks stop";
}

TEST(CGUIString, EmptyTextsAndOrder)
{
    CGUIString fresh, assigned, fromNull(nullptr);
    EXPECT_EQ(assigned.Assign("", true), 1);
    EXPECT_EQ(fromNull.Assign(nullptr, true), 0);
    for (const CGUIString* text : { &fresh, &assigned, &fromNull }) {
        EXPECT_EQ(text->GetText(), CGUIString::EmptyText());
        EXPECT_TRUE(text->Equals("") && text->Equals(nullptr) && text->Equals(fresh));
        EXPECT_FALSE(CGUIString::Less(fresh, *text) || CGUIString::Less(*text, fresh));
    }
    EXPECT_TRUE(CGUIString::Less("abc", "abd") && CGUIString::Less("ab", "abc") && CGUIString::Less("z", "\xB5"));
    EXPECT_FALSE(CGUIString::Less("abc", "abc") || CGUIString("ab").Equals("abc"));
}

TEST(CGUIString, CapacityGrowsByHalfRoundedToFourAndShrinksBelowTwoThirds)
{
    CGUIString text;
    EXPECT_EQ(text.Assign("abc", true), 4);
    EXPECT_EQ(text.GetCapacity(), 4);
    text.Append("de");
    EXPECT_EQ(std::tuple(std::string(text.GetText()), text.GetCapacity()), std::tuple("abcde", 8));
    for (const auto& [size, allowShrink, capacity] :
        { std::tuple { 8, true, 12 }, { 7, true, 8 }, { 7, false, 12 }, { 0, true, 0 } }) {
        CGUIString resized("0123456789a");
        resized.Resize(size, allowShrink);
        EXPECT_EQ(std::tuple(resized.GetSize(), resized.GetCapacity(), std::string(resized.GetData(), size)),
            std::tuple(size, capacity, std::string("0123456789a", size)))
            << "shrink " << allowShrink;
    }
    EXPECT_EQ(CGUIByteBuffer::NextCapacity(INT32_MAX - 3, 2000000000), INT32_MAX);
    EXPECT_EQ(CGUIByteBuffer::NextCapacity(-5, 12), 0);
}

TEST(CGUIString, SubstringAndFindClampToTheText)
{
    for (const auto& [first, last, expected, size] :
        { std::tuple { 2, 100, "cdef", 5 }, { 6, 8, "", 0 }, { 3, 2, "", 0 }, { -1, 2, "", 0 }, { 0, 2, "abc", 4 } }) {
        CGUIString text("abcdef"), part("previous");
        text.Substring(first, last, part);
        text.Substring(first, last, text); // into itself
        EXPECT_EQ(std::tuple(std::string(part.GetText()), part.GetSize(), std::string(text.GetText())),
            std::tuple(expected, size, expected))
            << first << ".." << last;
    }
    const CGUIString text("_Disabled_Synth_Disabled_");
    for (const auto& [needle, start, expected] : { std::tuple { "_Disabled_", 0, 0 }, { "_Disabled_", 1, 15 },
             { "missing", 0, -1 }, { "S", text.GetLength(), -1 }, { "S", -1, -1 } }) {
        EXPECT_EQ(text.Find(needle, start), expected) << needle << " from " << start;
    }
    EXPECT_EQ(CGUIString().Find("", 0), -1);
}

TEST(CGUIString, FormatKeepsReservedCapacityAndGrowsWhenItMust)
{
    CGUIString name;
    name.Resize(52, true);
    EXPECT_EQ(name.Format("%d::%s", 4194304, "_GUIChildWindowClass_"), 31);
    EXPECT_STREQ(name.GetText(), "4194304::_GUIChildWindowClass_");
    EXPECT_EQ(name.GetCapacity(), 52);
    name.Format("%s!", std::string(300, 'x').c_str());
    name.Format("[%s]", name.GetText()); // its own text as argument
    EXPECT_EQ(std::tuple(name.GetText(), name.GetLength()), std::tuple("[" + std::string(300, 'x') + "!]", 303));
}

TEST(CGUIString, OwnTextAdoptedArraysAndDeepCopies)
{
    CGUIString text("abc");
    text.Append(text);
    text.Append(text.GetText() + 3);
    EXPECT_STREQ(text.GetText(), "abcabcabc");
    text.Assign(text.GetText() + 6, true);
    text.Append(CGUIString());
    text.Append(nullptr);
    CGUIString copy(text);
    copy.Append("1");
    EXPECT_STREQ(text.GetText(), "abc");
    copy = text;
    EXPECT_TRUE(copy.Equals(text));
    EXPECT_NE(copy.GetText(), text.GetText());

    char* array = new char[6];
    std::memcpy(array, "hello", 6);
    text.Adopt(array);
    EXPECT_EQ(std::tuple(text.GetText(), text.GetCapacity()), std::tuple(array, 6));
    text.Adopt(nullptr);
    EXPECT_EQ(std::tuple(text.GetText(), text.GetCapacity()), std::tuple(CGUIString::EmptyText(), 0));
}
