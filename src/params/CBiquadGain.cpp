#include "params/CBiquadGain.h"

#include <cmath>

float CBiquadGain::Evaluate(float x) const
{
    Angles a {};
    if (!ComputeAngles(x, a)) {
        return 0.0f;
    }
    const Coefficients& c = GetCoefficients();
    const double nRe = c.b0 + c.b1 * a.c1 + c.b2 * a.c2;
    const double nIm = c.b1 * a.s1 + c.b2 * a.s2;
    // The feedback terms are subtracted: the coefficients are those of a filter
    // that adds a1 y[n-1] + a2 y[n-2].
    const double dRe = 1.0 - c.a1 * a.c1 - c.a2 * a.c2;
    const double dIm = -c.a1 * a.s1 - c.a2 * a.s2;
    return static_cast<float>(std::sqrt(nRe * nRe + nIm * nIm) / std::sqrt(dRe * dRe + dIm * dIm));
}
