#include "params/CParamValueFormatter.h"
#include "params/CParamDescription.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>

namespace {
// The formatted text, "(null)" for a null result.
std::string Format(CParamValueFormatter& formatter, float value, IParamDescription& description)
{
    char* out = nullptr;
    formatter.FormatText(value, description, &out);
    const std::unique_ptr<char[]> text(out);
    return text ? std::string(text.get()) : std::string("(null)");
}

std::string FormatNumber(const char* format, bool prefixes, float value)
{
    CGUIString text;
    CParamValueFormatter(format, prefixes, "").FormatNumber(value, text);
    return text.GetText();
}

struct PrefixCase {
    float value;
    const char* expected;
};

class PrefixTest : public testing::TestWithParam<PrefixCase> { };
} // namespace

TEST_P(PrefixTest, ScalesToTheTruncatedThousandsGroup)
{
    EXPECT_EQ(FormatNumber("%.2f", true, GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(CParamValueFormatter, PrefixTest,
    testing::Values(PrefixCase { 1500.0f, "1.50k" }, PrefixCase { 999.0f, "999.00" }, PrefixCase { 0.0005f, "0.50m" },
        PrefixCase { 0.002f, "0.00" }, PrefixCase { 0.001f, "0.00" }, PrefixCase { -1500.0f, "-1500.00" },
        PrefixCase { 1125899906842624.0f, "1125899906842624.00" }, PrefixCase { 5e-7f, "0.50\xB5" },
        PrefixCase { 5e-10f, "0.50n" }, PrefixCase { 2.5e6f, "2.50M" }, PrefixCase { 5e9f, "5.00G" },
        PrefixCase { 7e12f, "7.00T" }, PrefixCase { 0.0f, "0.00" }));

TEST(CParamValueFormatter, ExpandsPlaceholders)
{
    CParamDescription gain("Gain", 2, -12.0f, 1500.0f, 0.25f, "dB", "Output level", nullptr, false);
    CParamValueFormatter formatter("%.1f", false, "{name}: {value} {unit}");
    EXPECT_EQ(Format(formatter, 3.5f, gain), "Gain: 3.5 dB");

    CParamValueFormatter prefixed("%.2f", true, "{min}/{max}/{default} ({comment})");
    EXPECT_EQ(Format(prefixed, 0.0f, gain), "-12.00/1.50k/0.25 (Output level)");

    CParamDescription bare(nullptr, 2, 0.0f, 1.0f, 0.0f, nullptr, nullptr, nullptr, false);
    CParamValueFormatter texts("%.0f", false, "[{name}|{unit}|{comment}]");
    EXPECT_EQ(Format(texts, 1.0f, bare), "[||]");
    EXPECT_EQ(FormatNumber("%.0f", false, 1500.0f), "1500");
}

TEST(CParamValueFormatter, BracesAndUnknownTokens)
{
    CParamDescription description("n", 2, 0.0f, 1.0f, 0.0f, "u", "c", nullptr, false);
    const struct {
        const char* textTemplate;
        const char* expected;
    } cases[] = {
        { "{{value}", "{value}" },
        { "a{{b", "a{b" },
        { "{foo}", "{foo}" },
        { "{value", "{value" },
        { "x{value{{y", "x{value{y" },
        { "{va{lue}", "{va{lue}" },
        { "{}{value}}", "{}0.50}" },
        { "{value}{unit}", "0.50u" },
        { "}", "}" },
        { "", "(null)" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.textTemplate);
        CParamValueFormatter formatter("%.2f", false, c.textTemplate);
        EXPECT_EQ(Format(formatter, 0.5f, description), c.expected);
    }
    CParamValueFormatter nothing("", false, "{value}");
    EXPECT_EQ(Format(nothing, 1.0f, description), "(null)");
}

TEST(CParamValueFormatter, NumberFormatsThatWouldMisreadArgumentsPrintNothing)
{
    for (const char* format :
        { "%s", "%d", "%n", "%f%f", "%*f", "%.*f", "%Lf", "%", "abc", "%5", "%hf", "%9999999999f", "%.1000f" }) {
        SCOPED_TRACE(format);
        EXPECT_FALSE(CParamValueFormatter::IsValidNumberFormat(format));
        EXPECT_EQ(FormatNumber(format, true, 1500.0f), "k");
    }
    EXPECT_EQ(FormatNumber("%%%+08.2f Hz%%", false, 3.5f), "%+0003.50 Hz%");
    EXPECT_EQ(FormatNumber("%lf", false, 0.5f), "0.500000");
    EXPECT_EQ(FormatNumber("%.3e", false, 1500.0f), "1.500e+03");
    EXPECT_EQ(FormatNumber("%g", false, 0.25f), "0.25");
}

TEST(CParamValueFormatter, LongNumbersAreCutAt511Characters)
{
    const std::string text = FormatNumber("%.999f", false, 1e30f);
    EXPECT_EQ(text.size(), 511u);
    EXPECT_EQ(text.substr(0, 4), "1000");
}

TEST(CParamValueFormatter, NonFiniteValuesGetNoPrefix)
{
    const std::string inf = FormatNumber("%.1f", true, std::numeric_limits<float>::infinity());
    EXPECT_NE(inf.find("inf"), std::string::npos);
    EXPECT_EQ(inf.find('T'), std::string::npos);
}

TEST(CParamValueFormatter, CloneKeepsTheSettings)
{
    CParamDescription description("n", 2, 0.0f, 1.0f, 0.0f, "Hz", nullptr, nullptr, false);
    CParamValueFormatter formatter("%.1f", true, "{value}{unit}");
    const std::unique_ptr<IParamValueFormatter> clone(formatter.Clone());
    char* out = nullptr;
    clone->FormatText(2500.0f, description, &out);
    EXPECT_STREQ(std::unique_ptr<char[]>(out).get(), "2.5kHz");
}
