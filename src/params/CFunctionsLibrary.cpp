#include "params/CFunctionsLibrary.h"

#include <cmath>

namespace {
// B^x is taken as e^(x ln B); the factor 1/m is the single-precision constant
// (0.1f, 0.01f, 0.001f) promoted to double, so results match stored curves.
float NormExpOf(float x, double base, float factor)
{
    return static_cast<float>((std::exp(x * std::log(base)) - 1.0) * static_cast<double>(factor));
}

float NormLogOf(float x, double base)
{
    return static_cast<float>(std::log(1.0 + (base - 1.0) * x) / std::log(base));
}

constexpr double g_log10Of2 = 0.30102999566398119521;
} // namespace

const char* const CFunctionsLibrary::s_curveLabels[s_curveLabelCount] = { "Log3", "Log2", "Log1", "Log0", "Square Root",
    "Log", "Linear", "Exp", "Square", "Exp0", "Exp1", "Exp2", "Exp3" };

const char* const CFunctionsLibrary::s_speedLabels[s_curveLabelCount] = { "Fast 5", "Fast 4", "Fast 3", "Fast 2",
    "Fast 1", "Fast", "Linear", "Slow", "Slow 1", "Slow 2", "Slow 3", "Slow 4", "Slow 5" };

float CFunctionsLibrary::Identity(float x)
{
    return x;
}

float CFunctionsLibrary::Square(float x)
{
    return static_cast<float>(static_cast<double>(x) * x);
}

float CFunctionsLibrary::SquareRoot(float x)
{
    return static_cast<float>(std::sqrt(static_cast<double>(x)));
}

float CFunctionsLibrary::Exp(float x)
{
    return static_cast<float>(std::exp(static_cast<double>(x)));
}

float CFunctionsLibrary::Log(float x)
{
    return static_cast<float>(std::log(static_cast<double>(x)));
}

float CFunctionsLibrary::NormExp(float x)
{
    return NormExpOf(x, 2.0, 1.0f);
}

float CFunctionsLibrary::NormLog(float x)
{
    return NormLogOf(x, 2.0);
}

float CFunctionsLibrary::NormExp1(float x)
{
    return NormExpOf(x, 11.0, 0.1f);
}

float CFunctionsLibrary::NormLog1(float x)
{
    return NormLogOf(x, 11.0);
}

float CFunctionsLibrary::NormExp2(float x)
{
    return NormExpOf(x, 101.0, 0.01f);
}

float CFunctionsLibrary::NormLog2(float x)
{
    return NormLogOf(x, 101.0);
}

float CFunctionsLibrary::NormExp3(float x)
{
    return NormExpOf(x, 1001.0, 0.001f);
}

float CFunctionsLibrary::NormLog3(float x)
{
    return NormLogOf(x, 1001.0);
}

float CFunctionsLibrary::TodB(float x)
{
    return static_cast<float>(std::log2(static_cast<double>(x)) * g_log10Of2 * 20.0);
}

float CFunctionsLibrary::FromdB(float x)
{
    // 0.05f, not 0.05: FromdB(20) is 10^1.0000000149..., as stored data expects.
    return static_cast<float>(std::pow(10.0, static_cast<double>(x) * static_cast<double>(0.05f)));
}
