#pragma once

#include "params/CBiquadResponse.h"

// Magnitude response of the biquad as a linear amplitude ratio.
class CBiquadGain final : public CBiquadResponse {
public:
    static constexpr const char* s_classId = "{F5A5C4CC-51D6-49ec-A269-A3B2B1E8037E}";

    // |N| / |D|; 0 above the Nyquist frequency, +inf or NaN when |D| is 0.
    float Evaluate(float x) const override;
    IParamFunction* Clone() const override { return new CBiquadGain(*this); }
    const char* GetClassId() const override { return s_classId; }
};
