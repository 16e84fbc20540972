#pragma once

#include "params/IParamFunction.h"

// Common part of the biquad response functions: the coefficients of
// y[n] = b0 x[n] + b1 x[n-1] + b2 x[n-2] + a1 y[n-1] + a2 y[n-2] and the
// sample period, and their archive form. Evaluate maps a frequency in hertz
// to the response at that frequency; above the Nyquist frequency it gives 0.
class CBiquadResponse : public IParamFunction {
public:
    struct Coefficients {
        double b0 = 0.0;
        double b1 = 0.0;
        double b2 = 0.0;
        double a1 = 0.0;
        double a2 = 0.0;
        double invSampleRate = 0.0; // seconds per sample
    };

    const Coefficients& GetCoefficients() const { return m_coefficients; }
    // Not validated: any values are evaluated as they are.
    void SetCoefficients(const Coefficients& coefficients) { m_coefficients = coefficients; }

    // Writes or reads the six values as doubles named "inputCoeff0",
    // "inputCoeff1", "inputCoeff2", "outputCoeff1", "outputCoeff2",
    // "invSampleRate", in this order. Every value is attempted; the result is
    // true only when all six succeeded. A failed read leaves that field as it
    // was.
    [[nodiscard]] bool Save(IOutputArchive& archive) override;
    [[nodiscard]] bool Load(IInputArchive& archive) override;

protected:
    // The common first steps of Evaluate: the cosines and sines of w and 2w
    // at frequency x; false when x lies above the Nyquist frequency.
    struct Angles {
        double c1, s1, c2, s2;
    };
    bool ComputeAngles(float x, Angles& angles) const;

private:
    Coefficients m_coefficients;
};
