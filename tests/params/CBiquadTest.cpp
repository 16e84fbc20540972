#include "params/CBiquadGain.h"
#include "params/CBiquadPhaseShift.h"
#include "params/CMemoryArchive.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {
constexpr float g_inf = std::numeric_limits<float>::infinity();

template <class T> T Make(const CBiquadResponse::Coefficients& coefficients)
{
    T function;
    function.SetCoefficients(coefficients);
    return function;
}
} // namespace

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
        { "no sample time is DC", { 1, 2, 3, 0.25, 0.25, 0.0 }, 5000.0f, 12.0f, 0.0f },
        { "default is silent", {}, 100.0f, 0.0f, 0.0f },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(Make<CBiquadGain>(c.coefficients).Evaluate(c.hz), c.gain, 1e-5f);
        EXPECT_NEAR(Make<CBiquadPhaseShift>(c.coefficients).Evaluate(c.hz), c.phase, 1e-6f);
    }
    EXPECT_TRUE(std::isnan(Make<CBiquadGain>(pass).Evaluate(std::numeric_limits<float>::quiet_NaN())));
}

TEST(CBiquad, SavesSixNamedDoublesAndLoadReportsAMissingOne)
{
    auto gain = Make<CBiquadGain>({ 0.1, 0.2, 0.3, 0.4, 0.5, 0.25 });
    const std::unique_ptr<IParamFunction> clone(gain.Clone());
    const char* const names[]
        = { "inputCoeff0", "inputCoeff1", "inputCoeff2", "outputCoeff1", "outputCoeff2", "invSampleRate" };
    CMemoryArchive archive;
    ASSERT_TRUE(clone->Save(archive));
    const CArchiveGroup& root = archive.GetRoot();
    ASSERT_EQ(root.GetCount(), 6);
    const double values[] = { 0.1, 0.2, 0.3, 0.4, 0.5, 0.25 };
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(root.GetName(i), names[i]);
        EXPECT_EQ(std::get<double>(root.GetValue(i)), values[i]);
    }
    CBiquadPhaseShift loaded;
    ASSERT_TRUE(loaded.Load(archive));
    EXPECT_EQ(loaded.GetCoefficients().a2, 0.5);
    EXPECT_EQ(loaded.GetCoefficients().invSampleRate, 0.25);

    // Every field is attempted.
    CMemoryArchive partial;
    const double b0 = 7.0, rate = 8.0;
    ASSERT_TRUE(partial.WriteDouble("inputCoeff0", &b0) && partial.WriteDouble("invSampleRate", &rate));
    EXPECT_FALSE(loaded.Load(partial));
    EXPECT_EQ(loaded.GetCoefficients().b0, 7.0);
    EXPECT_EQ(loaded.GetCoefficients().invSampleRate, 8.0);
}
