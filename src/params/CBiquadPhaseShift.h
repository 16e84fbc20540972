#pragma once

#include "params/CBiquadResponse.h"

// Phase response of the biquad in turns (fractions of a full turn), in the
// open range (-1, 1), not wrapped. Unlike CBiquadGain it adds the feedback
// terms in the denominator; stored data and callers depend on that.
class CBiquadPhaseShift final : public CBiquadResponse {
public:
    static constexpr const char* s_classId = "{EAC674E4-4C25-46bd-8D83-F9BB83604BA7}";

    float Evaluate(float x) const override;
    IParamFunction* Clone() const override { return new CBiquadPhaseShift(*this); }
    const char* GetClassId() const override { return s_classId; }
};
