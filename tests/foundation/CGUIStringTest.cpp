#include "foundation/CGUIString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(CGUIString, EmptyStringsReadAsTheSharedEmptyText)
{
    CGUIString fresh, assigned, fromNull(nullptr);
    EXPECT_EQ(assigned.Assign("", true), 1);
    EXPECT_EQ(fromNull.Assign(nullptr, true), 0);
    for (const CGUIString* text : { &fresh, &assigned, &fromNull }) {
        EXPECT_EQ(text->GetText(), CGUIString::EmptyText());
        EXPECT_TRUE(text->Equals("") && text->Equals(fresh));
        EXPECT_FALSE(CGUIString::Less(fresh, *text) || CGUIString::Less(*text, fresh));
    }
}

TEST(CGUIString, CapacityGrowsByHalfRoundedToFourAndShrinksBelowTwoThirds)
{
    CGUIString text;
    EXPECT_EQ(text.Assign("abc", true), 4);
    EXPECT_EQ(text.GetCapacity(), 4);
    text.Append("de");
    EXPECT_STREQ(text.GetText(), "abcde");
    EXPECT_EQ(text.GetCapacity(), 8);

    struct Case {
        int32_t size;
        bool allowShrink;
        int32_t capacity;
    };
    for (const Case& c : { Case { 8, true, 12 }, Case { 7, true, 8 }, Case { 7, false, 12 }, Case { 0, true, 0 } }) {
        SCOPED_TRACE(testing::Message() << "size " << c.size << " shrink " << c.allowShrink);
        CGUIString resized("0123456789a");
        resized.Resize(c.size, c.allowShrink);
        EXPECT_EQ(resized.GetSize(), c.size);
        EXPECT_EQ(resized.GetCapacity(), c.capacity);
        EXPECT_TRUE(c.size == 0 || std::memcmp(resized.GetData(), "0123456789a", static_cast<size_t>(c.size)) == 0);
    }
    EXPECT_EQ(CGUIByteBuffer::NextCapacity(INT32_MAX - 3, 2000000000), INT32_MAX);
    EXPECT_EQ(CGUIByteBuffer::NextCapacity(-5, 12), 0);
}

TEST(CGUIString, SubstringClampsAndEmptiesOutOfRange)
{
    const struct {
        int32_t first, last;
        const char* expected;
    } cases[] = { { 2, 100, "cdef" }, { 6, 8, "" }, { 3, 2, "" }, { -1, 2, "" }, { 0, 2, "abc" } };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << ".." << c.last);
        CGUIString text("abcdef"), part("previous");
        text.Substring(c.first, c.last, part);
        EXPECT_STREQ(part.GetText(), c.expected);
        EXPECT_EQ(part.GetSize(), *c.expected ? static_cast<int32_t>(std::strlen(c.expected)) + 1 : 0);
        text.Substring(c.first, c.last, text); // into itself
        EXPECT_STREQ(text.GetText(), c.expected);
    }
}

TEST(CGUIString, FindCountsFromTheStartOfTheString)
{
    const CGUIString text("_Disabled_Synth_Disabled_");
    const struct {
        const CGUIString& text;
        const char* needle;
        int32_t start, expected;
    } cases[] = { { text, "_Disabled_", 0, 0 }, { text, "_Disabled_", 1, 15 }, { text, "missing", 0, -1 },
        { text, "S", text.GetLength(), -1 }, { text, "S", -1, -1 }, { CGUIString(), "", 0, -1 },
        { CGUIString(), "a", 0, -1 } };
    for (const auto& c : cases) {
        EXPECT_EQ(c.text.Find(c.needle, c.start), c.expected) << c.needle << " from " << c.start;
    }
}

TEST(CGUIString, FormatKeepsReservedCapacityAndGrowsWhenItMust)
{
    CGUIString name;
    name.Resize(52, true);
    EXPECT_EQ(name.Format("%d::%s", 4194304, "_GUIChildWindowClass_"), 31);
    EXPECT_STREQ(name.GetText(), "4194304::_GUIChildWindowClass_");
    EXPECT_EQ(name.GetCapacity(), 52);
    name.Format("%s!", std::string(300, 'x').c_str());
    EXPECT_EQ(name.GetLength(), 301);
    name.Format("[%s]", name.GetText()); // its own text as argument
    EXPECT_EQ(name.GetLength(), 303);
    EXPECT_EQ(name.GetText()[0], '[');
}

TEST(CGUIString, AppendAndAssignAcceptTheirOwnText)
{
    CGUIString text("abc");
    text.Append(text);
    text.Append(text.GetText() + 3);
    EXPECT_STREQ(text.GetText(), "abcabcabc");
    text.Assign(text.GetText() + 6, true);
    text.Append(CGUIString());
    text.Append(nullptr);
    EXPECT_STREQ(text.GetText(), "abc");
}

TEST(CGUIString, AdoptTakesOwnershipAndNullEmpties)
{
    CGUIString text("old");
    char* array = new char[6];
    std::memcpy(array, "hello", 6);
    text.Adopt(array);
    EXPECT_EQ(text.GetText(), array);
    EXPECT_EQ(text.GetCapacity(), 6);
    text.Adopt(nullptr);
    EXPECT_EQ(text.GetCapacity(), 0);
    EXPECT_EQ(text.GetText(), CGUIString::EmptyText());
}

TEST(CGUIString, LessOrdersByUnsignedBytesAndCopiesAreDeep)
{
    EXPECT_TRUE(CGUIString::Less("abc", "abd") && CGUIString::Less("ab", "abc") && CGUIString::Less("z", "\xB5"));
    EXPECT_FALSE(CGUIString::Less("abc", "abc"));
    CGUIString original("synth"), copy(original);
    copy.Append("1");
    EXPECT_STREQ(original.GetText(), "synth");
    copy = original;
    EXPECT_TRUE(copy.Equals(original));
    EXPECT_NE(copy.GetText(), original.GetText());
}
