#include "params/CBiquadGain.h"
#include "params/CBiquadPhaseShift.h"
#include "params/CMemoryArchive.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {
constexpr double g_sampleRate = 48000.0;

template <class T>
T Make(double b0, double b1, double b2, double a1, double a2, double invSampleRate = 1.0 / g_sampleRate)
{
    T function;
    function.SetCoefficients({ b0, b1, b2, a1, a2, invSampleRate });
    return function;
}
} // namespace

TEST(CBiquad, PassThroughUpToNyquistAndZeroAbove)
{
    const auto gain = Make<CBiquadGain>(1, 0, 0, 0, 0);
    const auto phase = Make<CBiquadPhaseShift>(1, 0, 0, 0, 0);
    for (float hz : { 0.0f, 1000.0f, 12000.0f, 24000.0f }) {
        SCOPED_TRACE(hz);
        EXPECT_FLOAT_EQ(gain.Evaluate(hz), 1.0f);
        EXPECT_FLOAT_EQ(phase.Evaluate(hz), 0.0f);
    }
    for (float hz : { 24001.0f, 1e6f, std::numeric_limits<float>::infinity() }) {
        SCOPED_TRACE(hz);
        EXPECT_EQ(gain.Evaluate(hz), 0.0f);
        EXPECT_EQ(phase.Evaluate(hz), 0.0f);
    }
    EXPECT_TRUE(std::isnan(gain.Evaluate(std::numeric_limits<float>::quiet_NaN())));
}

TEST(CBiquad, TwoTapAverageAtQuarterRate)
{
    const float quarter = static_cast<float>(g_sampleRate / 4);
    EXPECT_NEAR(Make<CBiquadGain>(0.5, 0.5, 0, 0, 0).Evaluate(quarter), 0.70711f, 1e-5f);
    EXPECT_NEAR(Make<CBiquadPhaseShift>(0.5, 0.5, 0, 0, 0).Evaluate(quarter), 0.125f, 1e-6f);
}

TEST(CBiquad, FeedbackSignsDifferBetweenGainAndPhase)
{
    EXPECT_FLOAT_EQ(Make<CBiquadGain>(1, 0, 0, 0.5, 0).Evaluate(0.0f), 2.0f);
    EXPECT_EQ(Make<CBiquadPhaseShift>(1, 0, 0, 0.5, 0).Evaluate(0.0f), 0.0f);
    const float quarter = static_cast<float>(g_sampleRate / 4);
    // Gain: D = 1 - 0.5i; phase: D = 1 + 0.5i, so P = -atan(0.5) / 2pi.
    EXPECT_NEAR(Make<CBiquadGain>(1, 0, 0, 0.5, 0).Evaluate(quarter), 1.0 / std::sqrt(1.25), 1e-6);
    EXPECT_NEAR(Make<CBiquadPhaseShift>(1, 0, 0, 0.5, 0).Evaluate(quarter), -0.0737918f, 1e-6f);
}

TEST(CBiquad, ZeroSampleTimeEvaluatesAtDc)
{
    EXPECT_FLOAT_EQ(Make<CBiquadGain>(1, 2, 3, 0.25, 0.25, 0.0).Evaluate(5000.0f), 12.0f);
    EXPECT_EQ(CBiquadGain().Evaluate(100.0f), 0.0f);
    EXPECT_EQ(CBiquadPhaseShift().Evaluate(100.0f), 0.0f);
}

TEST(CBiquad, SavesSixNamedDoublesInOrderAndClonesSaveTheSame)
{
    auto gain = Make<CBiquadGain>(0.1, 0.2, 0.3, 0.4, 0.5, 0.25);
    const std::unique_ptr<IParamFunction> clone(gain.Clone());
    const char* const names[]
        = { "inputCoeff0", "inputCoeff1", "inputCoeff2", "outputCoeff1", "outputCoeff2", "invSampleRate" };
    const double values[] = { 0.1, 0.2, 0.3, 0.4, 0.5, 0.25 };
    for (ISaveable* saveable : { static_cast<ISaveable*>(&gain), static_cast<ISaveable*>(clone.get()) }) {
        CMemoryArchive archive;
        ASSERT_TRUE(saveable->Save(archive));
        const CArchiveGroup& root = archive.GetRoot();
        ASSERT_EQ(root.GetCount(), 6);
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(root.GetName(i), names[i]);
            EXPECT_EQ(std::get<double>(root.GetValue(i)), values[i]);
        }
    }
}

TEST(CBiquad, LoadAttemptsEveryFieldAndReportsAMissingOne)
{
    CMemoryArchive archive;
    ASSERT_TRUE(Make<CBiquadPhaseShift>(1, 2, 3, 4, 5, 6).Save(archive));
    CBiquadGain loaded;
    ASSERT_TRUE(loaded.Load(archive));
    EXPECT_EQ(loaded.GetCoefficients().a2, 5.0);
    EXPECT_EQ(loaded.GetCoefficients().invSampleRate, 6.0);

    CMemoryArchive partial;
    const double b0 = 7.0;
    const double rate = 8.0;
    ASSERT_TRUE(partial.WriteDouble("inputCoeff0", &b0));
    ASSERT_TRUE(partial.WriteDouble("invSampleRate", &rate));
    CBiquadGain other;
    EXPECT_FALSE(other.Load(partial));
    EXPECT_EQ(other.GetCoefficients().b0, 7.0);
    EXPECT_EQ(other.GetCoefficients().invSampleRate, 8.0);
}
