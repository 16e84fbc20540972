#include "params/CBiquadPhaseShift.h"

#include <cmath>

namespace {
// Angle of re + i im as a fraction of a full turn, in [0, 1); 0 for 0.
double Turns(double re, double im)
{
    const double r = std::sqrt(re * re + im * im);
    if (r == 0.0) {
        return 0.0;
    }
    const double p = std::acos(re / r) * 0.15915494309189535;
    return im < 0.0 ? 1.0 - p : p;
}
} // namespace

float CBiquadPhaseShift::Evaluate(float x) const
{
    Angles a {};
    if (!ComputeAngles(x, a)) {
        return 0.0f;
    }
    const Coefficients& c = GetCoefficients();
    const double numerator = Turns(c.b0 + c.b1 * a.c1 + c.b2 * a.c2, c.b1 * a.s1 + c.b2 * a.s2);
    const double denominator = Turns(1.0 + c.a1 * a.c1 + c.a2 * a.c2, c.a1 * a.s1 + c.a2 * a.s2);
    return static_cast<float>(numerator - denominator);
}
