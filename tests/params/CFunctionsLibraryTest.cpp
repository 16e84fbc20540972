#include "params/CFunctionsLibrary.h"
#include "ParamTestSupport.h"
#include "params/CMemoryArchive.h"
#include "params/TParamFunction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {
using Function = CFunctionsLibrary::Function;

struct NormalisedPair {
    const char* name;
    Function exp;
    Function log;
    float expAtHalf; // (sqrt(B) - 1) / m with the single-precision factor
    float logAtHalf; // ln(1 + m / 2) / ln B
};

const NormalisedPair g_pairs[] = {
    { "B=2", &CFunctionsLibrary::NormExp, &CFunctionsLibrary::NormLog, 0.41421357f, 0.58496249f },
    { "B=11", &CFunctionsLibrary::NormExp1, &CFunctionsLibrary::NormLog1, 0.23166248f, 0.74722171f },
    { "B=101", &CFunctionsLibrary::NormExp2, &CFunctionsLibrary::NormLog2, 0.090498753f, 0.85194433f },
    { "B=1001", &CFunctionsLibrary::NormExp3, &CFunctionsLibrary::NormLog3, 0.030638585f, 0.89981574f },
};

constexpr float g_nan = std::numeric_limits<float>::quiet_NaN();
constexpr float g_inf = std::numeric_limits<float>::infinity();
} // namespace

TEST(CFunctionsLibrary, NormalisedPairsFixZeroOneAndHalf)
{
    for (const NormalisedPair& pair : g_pairs) {
        SCOPED_TRACE(pair.name);
        EXPECT_EQ(pair.exp(0.0f), 0.0f);
        EXPECT_EQ(pair.log(0.0f), 0.0f);
        EXPECT_FLOAT_EQ(pair.exp(1.0f), 1.0f);
        EXPECT_FLOAT_EQ(pair.log(1.0f), 1.0f);
        EXPECT_FLOAT_EQ(pair.exp(0.5f), pair.expAtHalf);
        EXPECT_FLOAT_EQ(pair.log(0.5f), pair.logAtHalf);
        for (float x = 0.0f; x <= 1.0f; x += 0.0625f) {
            EXPECT_NEAR(pair.log(pair.exp(x)), x, 1e-6f) << x;
            EXPECT_NEAR(pair.exp(pair.log(x)), x, 1e-6f) << x;
        }
    }
}

TEST(CFunctionsLibrary, LargerBasesBendFurtherFromTheDiagonal)
{
    for (size_t i = 1; i < std::size(g_pairs); ++i) {
        EXPECT_LT(g_pairs[i].exp(0.25f), g_pairs[i - 1].exp(0.25f));
        EXPECT_GT(g_pairs[i].log(0.25f), g_pairs[i - 1].log(0.25f));
    }
    EXPECT_LT(g_pairs[0].exp(0.25f), 0.25f);
    EXPECT_GT(g_pairs[0].log(0.25f), 0.25f);
}

TEST(CFunctionsLibrary, Decibels)
{
    EXPECT_EQ(CFunctionsLibrary::TodB(1.0f), 0.0f);
    EXPECT_FLOAT_EQ(CFunctionsLibrary::TodB(0.5f), -6.0206f);
    EXPECT_FLOAT_EQ(CFunctionsLibrary::TodB(10.0f), 20.0f);
    EXPECT_EQ(CFunctionsLibrary::FromdB(0.0f), 1.0f);
    EXPECT_FLOAT_EQ(CFunctionsLibrary::FromdB(-6.0f), 0.501187f);
    // The single-precision 0.05 shows at large inputs: 10^10.000000149.
    EXPECT_EQ(CFunctionsLibrary::FromdB(200.0f), 10000003072.0f);
    EXPECT_NEAR(CFunctionsLibrary::FromdB(CFunctionsLibrary::TodB(0.3f)), 0.3f, 1e-6f);
}

TEST(CFunctionsLibrary, PlainFunctions)
{
    EXPECT_EQ(CFunctionsLibrary::Square(-3.0f), 9.0f);
    EXPECT_EQ(CFunctionsLibrary::SquareRoot(2.25f), 1.5f);
    EXPECT_FLOAT_EQ(CFunctionsLibrary::Exp(1.0f), 2.7182817f);
    EXPECT_FLOAT_EQ(CFunctionsLibrary::Log(2.7182817f), 1.0f);
}

TEST(CFunctionsLibrary, OutOfDomainGivesIeeeResults)
{
    EXPECT_TRUE(std::isnan(CFunctionsLibrary::Identity(g_nan)));
    EXPECT_EQ(CFunctionsLibrary::Identity(-g_inf), -g_inf);
    EXPECT_TRUE(std::isnan(CFunctionsLibrary::SquareRoot(-1.0f)));
    EXPECT_TRUE(std::isnan(CFunctionsLibrary::Log(-1.0f)));
    EXPECT_TRUE(std::isnan(CFunctionsLibrary::TodB(-1.0f)));
    EXPECT_EQ(CFunctionsLibrary::Log(0.0f), -g_inf);
    EXPECT_EQ(CFunctionsLibrary::TodB(0.0f), -g_inf);
    EXPECT_EQ(CFunctionsLibrary::NormLog(-1.0f), -g_inf);
    EXPECT_TRUE(std::isnan(CFunctionsLibrary::NormLog(-1.5f)));
    EXPECT_TRUE(std::isnan(CFunctionsLibrary::NormLog1(-0.2f)));
    EXPECT_EQ(CFunctionsLibrary::Exp(100.0f), g_inf);
    EXPECT_EQ(CFunctionsLibrary::NormExp3(100.0f), g_inf);
    for (const NormalisedPair& pair : g_pairs) {
        EXPECT_TRUE(std::isnan(pair.exp(g_nan)));
        EXPECT_TRUE(std::isnan(pair.log(g_nan)));
    }
}

TEST(CFunctionsLibrary, LabelTables)
{
    EXPECT_STREQ(CFunctionsLibrary::s_curveLabels[0], "Log3");
    EXPECT_STREQ(CFunctionsLibrary::s_curveLabels[4], "Square Root");
    EXPECT_STREQ(CFunctionsLibrary::s_curveLabels[6], "Linear");
    EXPECT_STREQ(CFunctionsLibrary::s_curveLabels[12], "Exp3");
    EXPECT_STREQ(CFunctionsLibrary::s_speedLabels[0], "Fast 5");
    EXPECT_STREQ(CFunctionsLibrary::s_speedLabels[6], "Linear");
    EXPECT_STREQ(CFunctionsLibrary::s_speedLabels[12], "Slow 5");
}

TEST(TParamFunction, ClonesAreEqualAndSaveNothing)
{
    const float inputs[] = { -2.0f, 0.0f, 0.3f, 1.0f, 7.5f };
    for (const auto& function : MakeOneOfEachClass()) {
        SCOPED_TRACE(function->GetClassId());
        const std::unique_ptr<IParamFunction> clone(function->Clone());
        ASSERT_NE(clone, nullptr);
        EXPECT_NE(clone.get(), function.get());
        EXPECT_STREQ(clone->GetClassId(), function->GetClassId());
        for (float x : inputs) {
            const float expected = function->Evaluate(x);
            const float actual = clone->Evaluate(x);
            EXPECT_TRUE(expected == actual || (std::isnan(expected) && std::isnan(actual))) << x;
        }
    }
    TParamFunction<&CFunctionsLibrary::TodB> todB;
    CMemoryArchive archive;
    EXPECT_TRUE(todB.Save(archive));
    EXPECT_TRUE(todB.Load(archive));
    EXPECT_EQ(archive.GetRoot().GetCount(), 0);
}
