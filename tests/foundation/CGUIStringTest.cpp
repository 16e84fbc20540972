#include "foundation/CGUIString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

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
    EXPECT_STREQ(text.GetText(), "abcde");
    EXPECT_EQ(text.GetCapacity(), 8);
    const struct {
        int32_t size;
        bool allowShrink;
        int32_t capacity;
    } cases[] = { { 8, true, 12 }, { 7, true, 8 }, { 7, false, 12 }, { 0, true, 0 } };
    for (const auto& c : cases) {
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

TEST(CGUIString, SubstringAndFindClampToTheText)
{
    const struct {
        int32_t first, last;
        const char* expected;
    } parts[] = { { 2, 100, "cdef" }, { 6, 8, "" }, { 3, 2, "" }, { -1, 2, "" }, { 0, 2, "abc" } };
    for (const auto& c : parts) {
        SCOPED_TRACE(testing::Message() << c.first << ".." << c.last);
        CGUIString text("abcdef"), part("previous");
        text.Substring(c.first, c.last, part);
        EXPECT_STREQ(part.GetText(), c.expected);
        EXPECT_EQ(part.GetSize(), *c.expected ? static_cast<int32_t>(std::strlen(c.expected)) + 1 : 0);
        text.Substring(c.first, c.last, text); // into itself
        EXPECT_STREQ(text.GetText(), c.expected);
    }
    const CGUIString text("_Disabled_Synth_Disabled_");
    const struct {
        const CGUIString& text;
        const char* needle;
        int32_t start, expected;
    } finds[] = { { text, "_Disabled_", 0, 0 }, { text, "_Disabled_", 1, 15 }, { text, "missing", 0, -1 },
        { text, "S", text.GetLength(), -1 }, { text, "S", -1, -1 }, { CGUIString(), "", 0, -1 } };
    for (const auto& c : finds) {
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
    name.Format("[%s]", name.GetText()); // its own text as argument
    EXPECT_EQ(name.GetLength(), 303);
    EXPECT_EQ(name.GetText()[0], '[');
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
    EXPECT_EQ(text.GetText(), array);
    EXPECT_EQ(text.GetCapacity(), 6);
    text.Adopt(nullptr);
    EXPECT_EQ(text.GetCapacity(), 0);
    EXPECT_EQ(text.GetText(), CGUIString::EmptyText());
}
