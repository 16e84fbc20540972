#include "params/CParamDescription.h"
#include "params/CParamValueFormatter.h"

#include "CCountingListener.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>

namespace {
std::string FormatValue(IParamDescription& description, float value)
{
    char* out = nullptr;
    description.GetFormatter()->FormatText(value, description, &out);
    const std::unique_ptr<char[]> text(out);
    return text ? text.get() : "(null)";
}

CParamDescription MakeDescription(int kind)
{
    return CParamDescription("Cutoff", kind, 20.0f, 20000.0f, 1000.0f, "Hz", "Filter", nullptr, false);
}
} // namespace

TEST(CParamDescription, DefaultFormatterFollowsTheKind)
{
    const struct {
        int kind;
        const char* expected;
    } cases[] = { { 0, "0" }, { 1, "0" }, { 2, "0.25" }, { 3, "0" }, { 7, "0.25" } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        CParamDescription description("p", c.kind, 0.0f, 1.0f, 0.0f, nullptr, nullptr, nullptr, false);
        EXPECT_EQ(FormatValue(description, 0.25f), c.expected);
    }
}

TEST(CParamDescription, KeepsCopiesOfItsTexts)
{
    std::string name = "Cutoff";
    CParamDescription description(name.c_str(), 2, 0.0f, 1.0f, 0.0f, nullptr, "c", nullptr, false);
    name = "Changed";
    EXPECT_STREQ(description.GetName(), "Cutoff");
    EXPECT_EQ(description.GetUnit(), nullptr);
    description.SetComment(nullptr);
    EXPECT_EQ(description.GetComment(), nullptr);
    description.SetName(description.GetName());
    EXPECT_STREQ(description.GetName(), "Cutoff");
}

TEST(CParamDescription, NotifiesOncePerChange)
{
    CParamDescription description = MakeDescription(2);
    CCountingListener listener;
    description.GetNotifier().AddListener(&listener);
    const float nan = std::numeric_limits<float>::quiet_NaN();

    description.SetMin(20.0f);
    description.SetKind(2);
    EXPECT_EQ(listener.count, 0);
    description.SetName("Cutoff");
    description.SetUnit("Hz");
    EXPECT_EQ(listener.count, 2);
    description.SetMax(nan);
    description.SetMax(nan);
    EXPECT_EQ(listener.count, 4);
    description.SetDefault(500.0f);
    description.SetKind(1);
    EXPECT_EQ(listener.count, 6);
    EXPECT_EQ(description.GetDefault(), 500.0f);
    // The formatter made for kind 2 stays.
    EXPECT_EQ(FormatValue(description, 0.5f), "0.50");
}

TEST(CParamDescription, CopyFromGivesAnIndependentFormatterAndNotifiesOnce)
{
    auto source = std::make_unique<CParamDescription>(
        "Gain", 2, -1.0f, 2.0f, 0.5f, "dB", "Level", new CParamValueFormatter("%.1f", false, "{value} {unit}"), true);
    CParamDescription copy = MakeDescription(1);
    CCountingListener listener;
    copy.GetNotifier().AddListener(&listener);
    copy.CopyFrom(*source);
    EXPECT_EQ(listener.count, 1);
    EXPECT_NE(copy.GetFormatter(), source->GetFormatter());
    source.reset();
    EXPECT_STREQ(copy.GetName(), "Gain");
    EXPECT_STREQ(copy.GetComment(), "Level");
    EXPECT_EQ(copy.GetKind(), 2);
    EXPECT_EQ(copy.GetMin(), -1.0f);
    EXPECT_EQ(copy.GetMax(), 2.0f);
    EXPECT_EQ(copy.GetDefault(), 0.5f);
    EXPECT_EQ(FormatValue(copy, 1.25f), "1.2 dB");

    copy.CopyFrom(copy);
    EXPECT_EQ(listener.count, 2);
    EXPECT_STREQ(copy.GetUnit(), "dB");
    EXPECT_EQ(FormatValue(copy, 1.25f), "1.2 dB");
}

TEST(CParamDescription, BorrowedFormatterIsLeftAlone)
{
    CParamValueFormatter formatter("%.3f", false, "{value}");
    {
        CParamDescription description("p", 2, 0.0f, 1.0f, 0.0f, nullptr, nullptr, &formatter, false);
        EXPECT_EQ(description.GetFormatter(), &formatter);
        EXPECT_EQ(FormatValue(description, 0.5f), "0.500");
    }
    // Still usable: the description did not destroy it (ASan would report it).
    CParamDescription other("p", 2, 0.0f, 1.0f, 0.0f, nullptr, nullptr, nullptr, false);
    char* out = nullptr;
    formatter.FormatText(0.25f, other, &out);
    EXPECT_STREQ(std::unique_ptr<char[]>(out).get(), "0.250");
}
