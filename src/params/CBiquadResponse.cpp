#include "params/CBiquadResponse.h"

#include "params/IArchive.h"

#include <cmath>

namespace {
const char* const g_names[6]
    = { "inputCoeff0", "inputCoeff1", "inputCoeff2", "outputCoeff1", "outputCoeff2", "invSampleRate" };
}

bool CBiquadResponse::Save(IOutputArchive& archive)
{
    const Coefficients& c = m_coefficients;
    const double* const fields[6] = { &c.b0, &c.b1, &c.b2, &c.a1, &c.a2, &c.invSampleRate };
    bool ok = true;
    for (int i = 0; i < 6; ++i) {
        ok = archive.WriteDouble(g_names[i], fields[i]) && ok;
    }
    return ok;
}

bool CBiquadResponse::Load(IInputArchive& archive)
{
    Coefficients& c = m_coefficients;
    double* const fields[6] = { &c.b0, &c.b1, &c.b2, &c.a1, &c.a2, &c.invSampleRate };
    bool ok = true;
    for (int i = 0; i < 6; ++i) {
        ok = archive.ReadDouble(g_names[i], fields[i]) && ok;
    }
    return ok;
}

bool CBiquadResponse::ComputeAngles(float x, Angles& angles) const
{
    const double f = x * m_coefficients.invSampleRate;
    // NaN passes on and gives NaN; exactly 0.5 is still evaluated.
    if (f > 0.5) {
        return false;
    }
    const double w = 6.283185307179586 * f;
    angles = { std::cos(w), std::sin(w), std::cos(2.0 * w), std::sin(2.0 * w) };
    return true;
}
