#include "params/CMemoryArchive.h"
#include "ParamTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

TEST(CMemoryArchive, ValuesReadBackOnlyUnderTheirOwnTypeAndRewritesReplaceInPlace)
{
    CMemoryArchive archive;
    const int32_t number = -7;
    const double real = 0.1, two = 2.0;
    const float single = 2.5f;
    const bool flag = true;
    const char bytes[] = { 'a', '\0', 'b' };
    ASSERT_TRUE(archive.WriteInt("n", &number) && archive.WriteDouble("d", &real) && archive.WriteFloat("f", &single)
        && archive.WriteBool("b", &flag) && archive.WriteString("s", "text") && archive.WriteBytes("x", bytes, 3));
    int32_t n = 0, size = 0;
    double d = 0;
    float f = 0;
    bool b = false;
    char *text = nullptr, *data = nullptr;
    EXPECT_TRUE(archive.ReadInt("n", &n) && n == -7 && archive.ReadDouble("d", &d) && d == 0.1
        && archive.ReadFloat("f", &f) && f == 2.5f && archive.ReadBool("b", &b) && b);
    ASSERT_TRUE(archive.ReadString("s", &text) && archive.ReadBytes("x", &data, &size));
    EXPECT_STREQ(std::unique_ptr<char[]>(text).get(), "text");
    EXPECT_EQ(size, 3);
    EXPECT_EQ(std::memcmp(std::unique_ptr<char[]>(data).get(), bytes, 3), 0);
    EXPECT_FALSE(archive.ReadDouble("n", &d) || archive.ReadInt("d", &n) || archive.ReadString("missing", &text)
        || archive.ReadInt(nullptr, &n) || archive.ReadInt("n", nullptr) || archive.WriteString("s", nullptr));
    EXPECT_EQ(n, -7);

    ASSERT_TRUE(archive.WriteDouble("n", &two));
    ASSERT_EQ(archive.GetRoot().GetCount(), 6);
    EXPECT_EQ(archive.GetRoot().GetName(0), "n");
    EXPECT_EQ(std::get<double>(archive.GetRoot().GetValue(0)), 2.0);
}

// Groups nest up to the depth limit; equal archives hold the same names,
// values and nesting, in the same order.
TEST(CMemoryArchive, GroupsNestToTheLimitAndCompareDeeply)
{
    int deepest = 0;
    std::function<bool(IOutputArchive&, int)> nest = [&](IOutputArchive& out, int level) {
        deepest = level;
        CSaveFunction inner([&](IOutputArchive& next) { return nest(next, level + 1); });
        return out.WriteObject("g", &inner);
    };
    CMemoryArchive deep;
    EXPECT_FALSE(nest(deep, 0));
    EXPECT_EQ(deepest, CMemoryArchive::s_maxDepth);

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
    EXPECT_FALSE(a.GetRoot().Equals(c.GetRoot()) || a.GetRoot().Equals(d.GetRoot()));
}
