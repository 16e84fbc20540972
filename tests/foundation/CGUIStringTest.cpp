#include "foundation/CGUIString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(CGUIString, EmptyStringsReadAsTheSharedEmptyText)
{
    CGUIString fresh;
    EXPECT_EQ(fresh.GetSize(), 0);
    EXPECT_EQ(fresh.GetText(), CGUIString::EmptyText());

    CGUIString assigned;
    EXPECT_EQ(assigned.Assign("", true), 1);
    EXPECT_EQ(assigned.GetSize(), 1);
    EXPECT_EQ(assigned.GetText(), CGUIString::EmptyText());
    EXPECT_TRUE(assigned.Equals(""));
    EXPECT_TRUE(assigned.Equals(fresh));
    EXPECT_FALSE(CGUIString::Less(fresh, assigned));
    EXPECT_FALSE(CGUIString::Less(assigned, fresh));

    CGUIString fromNull(nullptr);
    EXPECT_EQ(fromNull.GetText(), CGUIString::EmptyText());
    EXPECT_EQ(fromNull.Assign(nullptr, true), 0);
}

TEST(CGUIString, CapacityGrowsByHalfAndRoundsToFour)
{
    CGUIString text;
    EXPECT_EQ(text.Assign("abc", true), 4);
    EXPECT_EQ(text.GetSize(), 4);
    EXPECT_EQ(text.GetCapacity(), 4);

    text.Append("de");
    EXPECT_STREQ(text.GetText(), "abcde");
    EXPECT_EQ(text.GetSize(), 6);
    EXPECT_EQ(text.GetCapacity(), 8);
}

TEST(CGUIString, CapacityShrinksOnlyBelowTwoThirdsAndOnlyWhenAllowed)
{
    struct Case {
        int32_t size;
        bool allowShrink;
        int32_t capacity;
    };
    for (const Case& c : { Case { 8, true, 12 }, Case { 7, true, 8 }, Case { 7, false, 12 }, Case { 0, true, 0 } }) {
        SCOPED_TRACE(testing::Message() << "size " << c.size << " shrink " << c.allowShrink);
        CGUIString text;
        text.Resize(12, true);
        ASSERT_EQ(text.GetCapacity(), 12);
        text.Resize(c.size, c.allowShrink);
        EXPECT_EQ(text.GetSize(), c.size);
        EXPECT_EQ(text.GetCapacity(), c.capacity);
    }
}

TEST(CGUIString, ReallocationKeepsTheContent)
{
    CGUIString text("0123456789abcdefghij");
    text.Resize(6, true); // below two thirds: reallocates to 8
    EXPECT_EQ(text.GetCapacity(), 8);
    EXPECT_EQ(std::memcmp(text.GetData(), "012345", 6), 0);
}

TEST(CGUIString, CapacityArithmeticDoesNotOverflow)
{
    EXPECT_EQ(CGUIByteBuffer::NextCapacity(INT32_MAX - 3, 2000000000), INT32_MAX);
    EXPECT_EQ(CGUIByteBuffer::NextCapacity(-5, 12), 0);
}

TEST(CGUIString, SubstringClampsAndEmptiesOutOfRange)
{
    CGUIString text("abcdef");
    CGUIString part("previous");
    text.Substring(2, 100, part);
    EXPECT_STREQ(part.GetText(), "cdef");
    EXPECT_EQ(part.GetSize(), 5);

    text.Substring(6, 8, part);
    EXPECT_TRUE(part.IsEmpty());
    text.Substring(3, 2, part);
    EXPECT_TRUE(part.IsEmpty());
    text.Substring(-1, 2, part);
    EXPECT_TRUE(part.IsEmpty());

    text.Substring(0, 2, text); // into itself
    EXPECT_STREQ(text.GetText(), "abc");
}

TEST(CGUIString, FindCountsFromTheStartOfTheString)
{
    CGUIString text("_Disabled_Synth_Disabled_");
    EXPECT_EQ(text.Find("_Disabled_", 0), 0);
    EXPECT_EQ(text.Find("_Disabled_", 1), 15);
    EXPECT_EQ(text.Find("missing", 0), -1);
    EXPECT_EQ(text.Find("S", text.GetLength()), -1);
    EXPECT_EQ(text.Find("S", -1), -1);
    EXPECT_EQ(CGUIString().Find("", 0), -1);
    EXPECT_EQ(CGUIString().Find("a", 0), -1);
}

TEST(CGUIString, FormatKeepsReservedCapacityAndGrowsWhenItMust)
{
    CGUIString name;
    name.Resize(51, true);
    name.Resize(name.GetLength() + 1, false);
    EXPECT_EQ(name.GetCapacity(), 52);
    EXPECT_EQ(name.Format("%d::%s", 4194304, "_GUIChildWindowClass_"), 31);
    EXPECT_STREQ(name.GetText(), "4194304::_GUIChildWindowClass_");
    EXPECT_EQ(name.GetCapacity(), 52);

    const std::string longText(300, 'x');
    name.Format("%s!", longText.c_str());
    EXPECT_EQ(name.GetLength(), 301);
    EXPECT_GE(name.GetCapacity(), 302);

    name.Format("[%s]", name.GetText()); // its own text as argument
    EXPECT_EQ(name.GetLength(), 303);
    EXPECT_EQ(name.GetText()[0], '[');
}

TEST(CGUIString, AppendAndAssignAcceptTheirOwnText)
{
    CGUIString text("abc");
    text.Append(text);
    EXPECT_STREQ(text.GetText(), "abcabc");
    text.Append(text.GetText() + 3);
    EXPECT_STREQ(text.GetText(), "abcabcabc");
    text.Assign(text.GetText() + 6, true);
    EXPECT_STREQ(text.GetText(), "abc");
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
    EXPECT_EQ(text.GetSize(), 6);
    EXPECT_EQ(text.GetCapacity(), 6);

    text.Adopt(nullptr);
    EXPECT_EQ(text.GetSize(), 0);
    EXPECT_EQ(text.GetCapacity(), 0);
    EXPECT_EQ(text.GetText(), CGUIString::EmptyText());
}

TEST(CGUIString, LessOrdersByUnsignedBytes)
{
    EXPECT_TRUE(CGUIString::Less("abc", "abd"));
    EXPECT_TRUE(CGUIString::Less("ab", "abc"));
    EXPECT_TRUE(CGUIString::Less("z", "\xB5"));
    EXPECT_FALSE(CGUIString::Less("abc", "abc"));
}

TEST(CGUIString, CopiesAreIndependent)
{
    CGUIString original("synth");
    CGUIString copy(original);
    copy.Append("1");
    EXPECT_STREQ(original.GetText(), "synth");
    EXPECT_STREQ(copy.GetText(), "synth1");
    copy = original;
    EXPECT_TRUE(copy.Equals(original));
    EXPECT_NE(copy.GetText(), original.GetText());
}
