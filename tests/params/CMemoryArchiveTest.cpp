#include "params/CMemoryArchive.h"
#include "ParamTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

TEST(CMemoryArchive, ValuesReadBackOnlyUnderTheirOwnType)
{
    CMemoryArchive archive;
    const int32_t number = -7;
    const double real = 0.1;
    const float single = 2.5f;
    const bool flag = true;
    const char bytes[] = { 'a', '\0', 'b' };
    ASSERT_TRUE(archive.WriteInt("n", &number));
    ASSERT_TRUE(archive.WriteDouble("d", &real));
    ASSERT_TRUE(archive.WriteFloat("f", &single));
    ASSERT_TRUE(archive.WriteBool("b", &flag));
    ASSERT_TRUE(archive.WriteString("s", "text"));
    ASSERT_TRUE(archive.WriteBytes("x", bytes, 3));

    int32_t n = 0;
    double d = 0;
    float f = 0;
    bool b = false;
    EXPECT_TRUE(archive.ReadInt("n", &n) && n == -7);
    EXPECT_TRUE(archive.ReadDouble("d", &d) && d == 0.1);
    EXPECT_TRUE(archive.ReadFloat("f", &f) && f == 2.5f);
    EXPECT_TRUE(archive.ReadBool("b", &b) && b);
    char* text = nullptr;
    ASSERT_TRUE(archive.ReadString("s", &text));
    EXPECT_STREQ(std::unique_ptr<char[]>(text).get(), "text");
    char* data = nullptr;
    int32_t size = 0;
    ASSERT_TRUE(archive.ReadBytes("x", &data, &size));
    EXPECT_EQ(size, 3);
    EXPECT_EQ(std::memcmp(std::unique_ptr<char[]>(data).get(), bytes, 3), 0);

    EXPECT_FALSE(archive.ReadDouble("n", &d));
    EXPECT_FALSE(archive.ReadInt("d", &n));
    EXPECT_FALSE(archive.ReadString("missing", &text));
    EXPECT_FALSE(archive.ReadInt(nullptr, &n));
    EXPECT_FALSE(archive.ReadInt("n", nullptr));
    EXPECT_FALSE(archive.WriteString("s", nullptr));
    EXPECT_EQ(n, -7);
}

TEST(CMemoryArchive, RewritingANameReplacesItInPlace)
{
    CMemoryArchive archive;
    const int32_t one = 1;
    const double two = 2.0;
    ASSERT_TRUE(archive.WriteInt("a", &one));
    ASSERT_TRUE(archive.WriteInt("b", &one));
    ASSERT_TRUE(archive.WriteDouble("a", &two));
    ASSERT_EQ(archive.GetRoot().GetCount(), 2);
    EXPECT_EQ(archive.GetRoot().GetName(0), "a");
    EXPECT_EQ(std::get<double>(archive.GetRoot().GetValue(0)), 2.0);
}

TEST(CMemoryArchive, GroupsNestUpToTheDepthLimit)
{
    // Each level writes one nested group until the archive refuses.
    int deepest = 0;
    std::function<bool(IOutputArchive&, int)> nest = [&](IOutputArchive& out, int level) {
        deepest = level;
        CSaveFunction inner([&](IOutputArchive& next) { return nest(next, level + 1); });
        return out.WriteObject("g", &inner);
    };
    CMemoryArchive archive;
    EXPECT_FALSE(nest(archive, 0));
    EXPECT_EQ(deepest, CMemoryArchive::s_maxDepth);
}

TEST(CMemoryArchive, EqualityComparesNestedValuesAndOrder)
{
    auto fill = [](CMemoryArchive& archive, double value, bool swap) {
        const int32_t n = 1;
        CSaveFunction group([&](IOutputArchive& out) { return out.WriteDouble("d", &value); });
        ASSERT_TRUE(archive.WriteInt(swap ? "g" : "n", &n));
        ASSERT_TRUE(archive.WriteObject(swap ? "n" : "g", &group));
    };
    CMemoryArchive a, b, c, d;
    fill(a, 1.0, false);
    fill(b, 1.0, false);
    fill(c, 2.0, false);
    fill(d, 1.0, true);
    EXPECT_TRUE(a.GetRoot().Equals(b.GetRoot()));
    EXPECT_FALSE(a.GetRoot().Equals(c.GetRoot()));
    EXPECT_FALSE(a.GetRoot().Equals(d.GetRoot()));
}
