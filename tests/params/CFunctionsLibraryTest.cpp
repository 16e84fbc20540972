#include "params/CFunctionsLibrary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {
using Function = CFunctionsLibrary::Function;
using L = CFunctionsLibrary;
constexpr float g_nan = std::numeric_limits<float>::quiet_NaN();
constexpr float g_inf = std::numeric_limits<float>::infinity();

struct NormalisedPair {
    const char* name;
    Function exp, log;
    float expAtHalf; // (sqrt(B) - 1) / m with the single-precision factor
    float logAtHalf; // ln(1 + m / 2) / ln B
};

const NormalisedPair g_pairs[] = {
    { "B=2", &L::NormExp, &L::NormLog, 0.41421357f, 0.58496249f },
    { "B=11", &L::NormExp1, &L::NormLog1, 0.23166248f, 0.74722171f },
    { "B=101", &L::NormExp2, &L::NormLog2, 0.090498753f, 0.85194433f },
    { "B=1001", &L::NormExp3, &L::NormLog3, 0.030638585f, 0.89981574f },
};
} // namespace

TEST(CFunctionsLibrary, NormalisedPairsFixZeroOneAndHalfAndInvertEachOther)
{
    for (const NormalisedPair& pair : g_pairs) {
        SCOPED_TRACE(pair.name);
        EXPECT_EQ(pair.exp(0.0f), 0.0f);
        EXPECT_EQ(pair.log(0.0f), 0.0f);
        EXPECT_FLOAT_EQ(pair.exp(1.0f), 1.0f);
        EXPECT_FLOAT_EQ(pair.log(1.0f), 1.0f);
        EXPECT_FLOAT_EQ(pair.exp(0.5f), pair.expAtHalf);
        EXPECT_FLOAT_EQ(pair.log(0.5f), pair.logAtHalf);
        EXPECT_TRUE(std::isnan(pair.exp(g_nan)) && std::isnan(pair.log(g_nan)));
        for (float x = 0.0f; x <= 1.0f; x += 0.0625f) {
            EXPECT_NEAR(pair.log(pair.exp(x)), x, 1e-6f) << x;
            EXPECT_NEAR(pair.exp(pair.log(x)), x, 1e-6f) << x;
        }
    }
}

// Exact where the result is exact, to float precision otherwise; IEEE
// results out of the domain.
TEST(CFunctionsLibrary, Values)
{
    const struct {
        const char* name;
        Function function;
        float x, expected;
    } cases[] = {
        { "TodB", &L::TodB, 1.0f, 0.0f },
        { "TodB", &L::TodB, 0.5f, -6.0206f },
        { "TodB", &L::TodB, 10.0f, 20.0f },
        { "TodB", &L::TodB, 0.0f, -g_inf },
        { "TodB", &L::TodB, -1.0f, g_nan },
        { "FromdB", &L::FromdB, 0.0f, 1.0f },
        { "FromdB", &L::FromdB, -6.0f, 0.501187f },
        // The single-precision 0.05 shows at large inputs: 10^10.000000149.
        { "FromdB", &L::FromdB, 200.0f, 10000003072.0f },
        { "Square", &L::Square, -3.0f, 9.0f },
        { "SquareRoot", &L::SquareRoot, 2.25f, 1.5f },
        { "SquareRoot", &L::SquareRoot, -1.0f, g_nan },
        { "Exp", &L::Exp, 1.0f, 2.7182817f },
        { "Exp", &L::Exp, 100.0f, g_inf },
        { "Log", &L::Log, 2.7182817f, 1.0f },
        { "Log", &L::Log, 0.0f, -g_inf },
        { "Log", &L::Log, -1.0f, g_nan },
        { "Identity", &L::Identity, g_nan, g_nan },
        { "Identity", &L::Identity, -g_inf, -g_inf },
        { "NormLog", &L::NormLog, -1.0f, -g_inf },
        { "NormLog", &L::NormLog, -1.5f, g_nan },
        { "NormLog1", &L::NormLog1, -0.2f, g_nan },
        { "NormExp3", &L::NormExp3, 100.0f, g_inf },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << "(" << c.x << ")");
        const float actual = c.function(c.x);
        if (std::isnan(c.expected) || std::isinf(c.expected)) {
            EXPECT_TRUE(std::isnan(c.expected) ? std::isnan(actual) : actual == c.expected) << actual;
        } else {
            EXPECT_FLOAT_EQ(actual, c.expected);
        }
    }
}

TEST(CFunctionsLibrary, LabelTables)
{
    const char* const* curves = L::s_curveLabels;
    const char* const* speeds = L::s_speedLabels;
    EXPECT_STREQ(curves[0], "Log3");
    EXPECT_STREQ(curves[4], "Square Root");
    EXPECT_STREQ(curves[6], "Linear");
    EXPECT_STREQ(curves[12], "Exp3");
    EXPECT_STREQ(speeds[0], "Fast 5");
    EXPECT_STREQ(speeds[6], "Linear");
    EXPECT_STREQ(speeds[12], "Slow 5");
}
