#pragma once

// The library of mapping functions wrapped by TParamFunction. Every function
// takes and returns single precision and computes in double in between. There
// are no domain checks: outside a function's domain the IEEE result of the
// underlying operation comes back (NaN, -inf, +inf on overflow).
class CFunctionsLibrary {
public:
    using Function = float (*)(float);

    static float Identity(float x);
    static float Square(float x);
    static float SquareRoot(float x);
    static float Exp(float x);
    static float Log(float x);

    // Normalised pairs for base B with m = B - 1: NormExp gives (B^x - 1) / m,
    // NormLog gives ln(1 + m x) / ln B. Each pair maps 0 to 0 and 1 to 1, is
    // increasing, and its members are inverses of each other; on [0, 1] the
    // exponential member lies below the diagonal and the logarithmic one above.
    static float NormExp(float x); // B = 2
    static float NormLog(float x);
    static float NormExp1(float x); // B = 11
    static float NormLog1(float x);
    static float NormExp2(float x); // B = 101
    static float NormLog2(float x);
    static float NormExp3(float x); // B = 1001
    static float NormLog3(float x);

    // Amplitude ratio to decibels (20 log10 x) and back.
    static float TodB(float x);
    static float FromdB(float x);

    static constexpr int s_curveLabelCount = 13;
    // Labels of the control value mapping's curves, indexed by curve identifier.
    static const char* const s_curveLabels[s_curveLabelCount];
    // The same curves described by speed.
    static const char* const s_speedLabels[s_curveLabelCount];

    CFunctionsLibrary() = delete;
};
