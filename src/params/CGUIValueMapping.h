#pragma once

#include "foundation/CGUINotifier.h"
#include "foundation/TMemberListener.h"
#include "params/IGUIValueMapping.h"

#include <cstdint>

// The mapping between a described parameter's values and control positions.
// It listens to the description and recomputes its range (and adapts its
// step count to the kind) on every change there; it must not outlive the
// description. Curve functions are shared statics, never owned.
class CGUIValueMapping : public IGUIValueMapping, public IGUIInvertible {
public:
    static constexpr int s_curveCount = 13;

    explicit CGUIValueMapping(IParamDescription& description);
    CGUIValueMapping(const CGUIValueMapping&) = delete;
    CGUIValueMapping& operator=(const CGUIValueMapping&) = delete;
    ~CGUIValueMapping() override;

    // The shared functions of a curve (both the identity for an unknown
    // identifier). Curve k and curve 12 - k exchange the two.
    static IParamFunction* GetCurvePositionToValue(int curve);
    static IParamFunction* GetCurveValueToPosition(int curve);

    IParamDescription* GetDescription() const override { return m_description; }
    void SetCurveFunctions(IParamFunction* positionToValue, IParamFunction* valueToPosition) override;
    void SetCurve(int curve) override;
    void SetLogarithmic(bool logarithmic) override;
    bool IsLogarithmic() const { return m_logarithmic; }
    void SetZoom(float zoom) override;
    float GetZoom() const override { return m_zoom; }
    void SetPan(float pan) override;
    float GetPan() const override { return m_pan; }
    void SetStepsIgnoreZoom(bool ignore) override;
    bool GetStepsIgnoreZoom() const override { return m_stepsIgnoreZoom; }
    void SetStepCount(int count) override;
    int GetStepCount() const { return m_stepCount; }
    int GetVisibleStepCount() const override;
    float GetFullStepCount() const override;
    void ResetStepCount() override;
    float NormalizeValue(float value) const override;
    float PositionFromValue(float value, bool clamp) const override;
    float ValueFromPosition(float position) const override;
    CGUINotifier& GetMappingNotifier() override { return m_mappingChanged; }
    CGUINotifier& GetZoomNotifier() override { return m_zoomChanged; }

    void SetInverted(bool inverted) override;
    bool IsInverted() const override { return m_inverted; }
    CGUINotifier& GetInversionNotifier() override { return m_inversionChanged; }

protected:
    // Follows another description from now on and recomputes the range.
    void BindDescription(IParamDescription& description);
    // Adapts the step count to the description's kind, caches its range and
    // notifies a mapping change.
    virtual void RecomputeRange();

private:
    int32_t NaturalStepCount() const;

    int32_t m_stepCount = -1;
    bool m_inverted = false;
    bool m_logarithmic = false;
    IParamDescription* m_description;
    CGUINotifier m_inversionChanged;
    CGUINotifier m_zoomChanged;
    CGUINotifier m_mappingChanged;
    IParamFunction* m_positionToValue;
    IParamFunction* m_valueToPosition;
    float m_zoom = 1.0f;
    float m_pan = 0.0f;
    float m_min = 0.0f;
    float m_max = 0.0f;
    float m_invRange = 0.0f; // 1 / (max - min), 0 for an empty range
    float m_invLogRange = 0.0f; // 1 / ln(max / min), 0 when undefined or empty
    float m_ratio = 1.0f; // max / min; 1 when min is 0, so that min * ratio^u stays 0
    float m_offset = 0.0f; // (zoom - 1) * pan
    float m_invZoom = 1.0f;
    TMemberListener<CGUIValueMapping> m_descriptionListener;
    bool m_stepsIgnoreZoom = true;
};
