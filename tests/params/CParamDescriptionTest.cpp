#include "params/CParamDescription.h"
#include "params/CParamValueFormatter.h"

#include "CCountingListener.h"

#include <gtest/gtest.h>

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
} // namespace

TEST(CParamDescription, DefaultFormatterFollowsTheKind)
{
    for (const auto& [kind, expected] :
        { std::pair { 0, "0" }, { 1, "0" }, { 2, "0.25" }, { 3, "0" }, { 7, "0.25" } }) {
        CParamDescription description("p", kind, 0.0f, 1.0f, 0.0f, nullptr, nullptr, nullptr, false);
        EXPECT_EQ(FormatValue(description, 0.25f), expected) << "kind " << kind;
    }
}

TEST(CParamDescription, KeepsCopiesOfItsTextsAndNotifiesOncePerChange)
{
    std::string name = "Cutoff";
    CParamDescription description(name.c_str(), 2, 20.0f, 20000.0f, 1000.0f, "Hz", "c", nullptr, false);
    name = "Changed";
    EXPECT_STREQ(description.GetName(), "Cutoff");
    CCountingListener listener(description.GetNotifier());
    const float nan = std::numeric_limits<float>::quiet_NaN();
    description.SetMin(20.0f);
    description.SetKind(2);
    EXPECT_EQ(listener.count, 0);
    description.SetName(description.GetName()); // texts always notify
    description.SetComment(nullptr);
    EXPECT_STREQ(description.GetName(), "Cutoff");
    EXPECT_EQ(description.GetComment(), nullptr);
    description.SetMax(nan);
    description.SetMax(nan);
    EXPECT_EQ(listener.count, 4);
    description.SetDefault(500.0f);
    description.SetKind(1);
    EXPECT_EQ(listener.count, 6);
    EXPECT_EQ(FormatValue(description, 0.5f), "0.50") << "the formatter made for kind 2 stays";
}

TEST(CParamDescription, CopyFromGivesAnIndependentFormatterAndNotifiesOnce)
{
    auto source = std::make_unique<CParamDescription>(
        "Gain", 2, -1.0f, 2.0f, 0.5f, "dB", "Level", new CParamValueFormatter("%.1f", false, "{value} {unit}"), true);
    CParamDescription copy("Cutoff", 1, 20.0f, 20000.0f, 1000.0f, "Hz", nullptr, nullptr, false);
    CCountingListener listener(copy.GetNotifier());
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
    EXPECT_EQ(FormatValue(copy, 1.25f), "1.2 dB");
}

TEST(CParamDescription, BorrowedFormatterIsLeftAlone)
{
    CParamValueFormatter formatter("%.3f", false, "{value}");
    {
        CParamDescription description("p", 2, 0.0f, 1.0f, 0.0f, nullptr, nullptr, &formatter, false);
        EXPECT_EQ(FormatValue(description, 0.5f), "0.500");
    }
    // Still usable: the description did not destroy it (ASan would report it).
    CParamDescription other("p", 2, 0.0f, 1.0f, 0.0f, nullptr, nullptr, &formatter, false);
    EXPECT_EQ(FormatValue(other, 0.25f), "0.250");
}
