#include "params/CBiquadGain.h"
#include "params/CBiquadPhaseShift.h"
#include "params/CMemoryArchive.h"
#include "params/TParamFunction.h"
#include "params/TStaticFactory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {
using L = CFunctionsLibrary;
constexpr float g_nan = std::numeric_limits<float>::quiet_NaN();
constexpr float g_inf = std::numeric_limits<float>::infinity();

template <class T> T Make(const CBiquadResponse::Coefficients& coefficients)
{
    T function;
    function.SetCoefficients(coefficients);
    return function;
}
} // namespace

// Normalised pairs fix 0 and 1 and invert each other; the values at 1/2 are
// (sqrt(B) - 1) / m with the single-precision factor, and ln(1 + m / 2) / ln B.
TEST(CFunctionsLibrary, NormalisedPairs)
{
    const struct {
        L::Function exp, log;
        float expAtHalf, logAtHalf;
    } pairs[] = { { &L::NormExp, &L::NormLog, 0.41421357f, 0.58496249f },
        { &L::NormExp1, &L::NormLog1, 0.23166248f, 0.74722171f },
        { &L::NormExp2, &L::NormLog2, 0.090498753f, 0.85194433f },
        { &L::NormExp3, &L::NormLog3, 0.030638585f, 0.89981574f } };
    for (const auto& pair : pairs) {
        SCOPED_TRACE(pair.expAtHalf);
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

// Exact where the result is exact, to float precision otherwise; IEEE
// results out of the domain.
TEST(CFunctionsLibrary, Values)
{
    const struct {
        L::Function function;
        float x, expected;
    } cases[] = { { &L::TodB, 1.0f, 0.0f }, { &L::TodB, 0.5f, -6.0206f }, { &L::TodB, 10.0f, 20.0f },
        { &L::TodB, 0.0f, -g_inf }, { &L::TodB, -1.0f, g_nan }, { &L::FromdB, 0.0f, 1.0f },
        { &L::FromdB, -6.0f, 0.501187f },
        // The single-precision 0.05 shows at large inputs: 10^10.000000149.
        { &L::FromdB, 200.0f, 10000003072.0f }, { &L::Square, -3.0f, 9.0f }, { &L::SquareRoot, 2.25f, 1.5f },
        { &L::SquareRoot, -1.0f, g_nan }, { &L::Exp, 1.0f, 2.7182817f }, { &L::Exp, 100.0f, g_inf },
        { &L::Log, 2.7182817f, 1.0f }, { &L::Log, 0.0f, -g_inf }, { &L::Log, -1.0f, g_nan },
        { &L::Identity, -g_inf, -g_inf }, { &L::NormLog, -1.0f, -g_inf }, { &L::NormLog, -1.5f, g_nan },
        { &L::NormLog1, -0.2f, g_nan }, { &L::NormExp3, 100.0f, g_inf }, { &L::NormExp2, g_nan, g_nan } };
    for (const auto& c : cases) {
        const float actual = c.function(c.x);
        SCOPED_TRACE(testing::Message() << "f(" << c.x << ") = " << actual);
        if (std::isnan(c.expected) || std::isinf(c.expected)) {
            EXPECT_TRUE(std::isnan(c.expected) ? std::isnan(actual) : actual == c.expected);
        } else {
            EXPECT_FLOAT_EQ(actual, c.expected);
        }
    }
}

// At 48 kHz unless said otherwise; above Nyquist both give 0.
TEST(CBiquad, GainAndPhaseResponses)
{
    const CBiquadResponse::Coefficients pass { 1, 0, 0, 0, 0, 1.0 / 48000 };
    const CBiquadResponse::Coefficients average { 0.5, 0.5, 0, 0, 0, 1.0 / 48000 };
    const CBiquadResponse::Coefficients feedback { 1, 0, 0, 0.5, 0, 1.0 / 48000 };
    const struct {
        const char* name;
        CBiquadResponse::Coefficients coefficients;
        float hz, gain, phase;
    } cases[] = {
        { "pass at DC", pass, 0.0f, 1.0f, 0.0f },
        { "pass at Nyquist", pass, 24000.0f, 1.0f, 0.0f },
        { "above Nyquist", pass, 24001.0f, 0.0f, 0.0f },
        { "infinite frequency", pass, g_inf, 0.0f, 0.0f },
        { "average at a quarter", average, 12000.0f, 0.70711f, 0.125f },
        // Gain: D = 1 - 0.5i; phase: D = 1 + 0.5i, so P = -atan(0.5) / 2pi.
        { "feedback at DC", feedback, 0.0f, 2.0f, 0.0f },
        { "feedback at a quarter", feedback, 12000.0f, 0.894427f, -0.0737918f },
        // N = e^(iw) + e^(2iw) at w = pi/3; D = 1 -+ (e^(iw) + e^(2iw)) / 2.
        { "second order at a sixth", { 0, 1, 1, 0.5, 0.5, 1.0 / 48000 }, 8000.0f, 1.3093073f, 0.1364072f },
        { "no sample time is DC", { 1, 2, 3, 0.25, 0.25, 0.0 }, 5000.0f, 12.0f, 0.0f },
        { "default is silent", {}, 100.0f, 0.0f, 0.0f },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(Make<CBiquadGain>(c.coefficients).Evaluate(c.hz), c.gain, 1e-5f);
        EXPECT_NEAR(Make<CBiquadPhaseShift>(c.coefficients).Evaluate(c.hz), c.phase, 1e-6f);
    }
    EXPECT_TRUE(std::isnan(Make<CBiquadGain>(pass).Evaluate(g_nan)));
}

TEST(CBiquad, SavesSixNamedDoublesAndLoadAttemptsEveryOne)
{
    CMemoryArchive archive;
    const double values[] = { 0.1, 0.2, 0.3, 0.4, 0.5, 0.25 };
    ASSERT_TRUE(Make<CBiquadGain>({ values[0], values[1], values[2], values[3], values[4], values[5] }).Save(archive));
    const char* const names[]
        = { "inputCoeff0", "inputCoeff1", "inputCoeff2", "outputCoeff1", "outputCoeff2", "invSampleRate" };
    ASSERT_EQ(archive.GetRoot().GetCount(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(archive.GetRoot().GetName(i), names[i]);
        EXPECT_EQ(std::get<double>(archive.GetRoot().GetValue(i)), values[i]);
    }
    CBiquadPhaseShift loaded;
    ASSERT_TRUE(loaded.Load(archive));
    EXPECT_EQ(loaded.GetCoefficients().a2, 0.5);
    EXPECT_EQ(loaded.GetCoefficients().invSampleRate, 0.25);
    CMemoryArchive partial;
    const double b0 = 7.0, rate = 8.0;
    ASSERT_TRUE(partial.WriteDouble("inputCoeff0", &b0) && partial.WriteDouble("invSampleRate", &rate));
    EXPECT_FALSE(loaded.Load(partial));
    EXPECT_EQ(loaded.GetCoefficients().b0, 7.0);
    EXPECT_EQ(loaded.GetCoefficients().invSampleRate, 8.0);
}

// Registration at startup and the refusal of a second factory for a pair are
// proven by RegistrationProofTest.
TEST(CFactoryRegistry, CreatesByExactIdentifiersOnly)
{
    using CSquare = TParamFunction<&CFunctionsLibrary::Square>;
    auto& square = TStaticFactory<CSquare, IParamFunction>::GetInstance();
    const char* const function = IParamFunction::s_interfaceId;
    const struct {
        IFactory* factory; // null: the registry
        const char *classId, *interfaceId;
        bool created;
    } cases[] = { { nullptr, CSquare::s_classId, function, true },
        { nullptr, "{f31a0ddb-1670-420a-aa0b-4aed41271dbc}", function, false },
        { nullptr, "F31A0DDB-1670-420a-AA0B-4AED41271DBC", function, false },
        { nullptr, CSquare::s_classId, CBiquadGain::s_classId, false }, { nullptr, nullptr, function, false },
        { &square, CSquare::s_classId, function, true }, { &square, CSquare::s_classId, CSquare::s_classId, false },
        { &square, CBiquadGain::s_classId, function, false }, { &square, CSquare::s_classId, nullptr, false } };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.factory ? "factory " : "registry ") << (c.classId ? c.classId : "null")
                                        << " as " << (c.interfaceId ? c.interfaceId : "null"));
        IFactory& factory = c.factory ? *c.factory : CFactoryRegistry::GetInstance();
        const std::unique_ptr<IParamFunction> created(
            static_cast<IParamFunction*>(factory.CreateInstance(c.classId, c.interfaceId)));
        ASSERT_EQ(created != nullptr, c.created);
        EXPECT_TRUE(!created || created->Evaluate(-3.0f) == 9.0f);
    }
    EXPECT_EQ(square.CreateInstance(CSquare::s_classId), nullptr) << "the factory makes its interface, not its class";
    const std::unique_ptr<CBiquadGain> gain(
        static_cast<CBiquadGain*>(CFactoryRegistry::GetInstance().CreateInstance(CBiquadGain::s_classId)));
    ASSERT_NE(gain, nullptr);
    EXPECT_STREQ(gain->GetClassId(), CBiquadGain::s_classId);
}
