#include "params/CGUIValueMapping.h"

#include "params/IParamDescription.h"
#include "params/TParamFunction.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {
template <CFunctionsLibrary::Function F> IParamFunction* SharedFunction()
{
    static TParamFunction<F> instance;
    return &instance;
}

using FunctionGetter = IParamFunction* (*)();

// Position to value, value to position.
const FunctionGetter g_curves[CGUIValueMapping::s_curveCount][2] = {
    { &SharedFunction<&CFunctionsLibrary::NormLog3>, &SharedFunction<&CFunctionsLibrary::NormExp3> },
    { &SharedFunction<&CFunctionsLibrary::NormLog2>, &SharedFunction<&CFunctionsLibrary::NormExp2> },
    { &SharedFunction<&CFunctionsLibrary::NormLog1>, &SharedFunction<&CFunctionsLibrary::NormExp1> },
    { &SharedFunction<&CFunctionsLibrary::Identity>, &SharedFunction<&CFunctionsLibrary::Identity> },
    { &SharedFunction<&CFunctionsLibrary::SquareRoot>, &SharedFunction<&CFunctionsLibrary::Square> },
    { &SharedFunction<&CFunctionsLibrary::NormLog>, &SharedFunction<&CFunctionsLibrary::NormExp> },
    { &SharedFunction<&CFunctionsLibrary::Identity>, &SharedFunction<&CFunctionsLibrary::Identity> },
    { &SharedFunction<&CFunctionsLibrary::NormExp>, &SharedFunction<&CFunctionsLibrary::NormLog> },
    { &SharedFunction<&CFunctionsLibrary::Square>, &SharedFunction<&CFunctionsLibrary::SquareRoot> },
    { &SharedFunction<&CFunctionsLibrary::Identity>, &SharedFunction<&CFunctionsLibrary::Identity> },
    { &SharedFunction<&CFunctionsLibrary::NormExp1>, &SharedFunction<&CFunctionsLibrary::NormLog1> },
    { &SharedFunction<&CFunctionsLibrary::NormExp2>, &SharedFunction<&CFunctionsLibrary::NormLog2> },
    { &SharedFunction<&CFunctionsLibrary::NormExp3>, &SharedFunction<&CFunctionsLibrary::NormLog3> },
};

IParamFunction* CurveFunction(int curve, int direction)
{
    if (curve < 0 || curve >= CGUIValueMapping::s_curveCount) {
        return SharedFunction<&CFunctionsLibrary::Identity>();
    }
    return g_curves[curve][direction]();
}

// Floors a step count computed in floating point into the int range; huge
// ranges and zooms saturate rather than overflow, NaN is continuous.
int32_t ToStepCount(double count)
{
    if (std::isnan(count)) {
        return -1;
    }
    return static_cast<int32_t>(
        std::clamp(std::floor(count), static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}
} // namespace

CGUIValueMapping::CGUIValueMapping(IParamDescription& description)
    : m_description(&description)
    , m_positionToValue(SharedFunction<&CFunctionsLibrary::Identity>())
    , m_valueToPosition(SharedFunction<&CFunctionsLibrary::Identity>())
    , m_descriptionListener(*this, &CGUIValueMapping::RecomputeRange)
{
    m_description->GetNotifier().AddListener(&m_descriptionListener);
    // Not virtual yet: a derived mapping completes its own part itself.
    CGUIValueMapping::RecomputeRange();
}

CGUIValueMapping::~CGUIValueMapping()
{
    m_description->GetNotifier().RemoveListener(&m_descriptionListener);
}

IParamFunction* CGUIValueMapping::GetCurvePositionToValue(int curve)
{
    return CurveFunction(curve, 0);
}

IParamFunction* CGUIValueMapping::GetCurveValueToPosition(int curve)
{
    return CurveFunction(curve, 1);
}

void CGUIValueMapping::BindDescription(IParamDescription& description)
{
    if (&description != m_description) {
        m_description->GetNotifier().RemoveListener(&m_descriptionListener);
        m_description = &description;
        m_description->GetNotifier().AddListener(&m_descriptionListener);
    }
    RecomputeRange();
}

int32_t CGUIValueMapping::NaturalStepCount() const
{
    switch (m_description->GetKind()) {
    case kParamKindSwitch:
    case kParamKindToggle:
        return 2;
    case kParamKindInteger:
        return std::max(ToStepCount(static_cast<double>(m_description->GetMax()) - m_description->GetMin() + 1.0), -1);
    default:
        return -1;
    }
}

void CGUIValueMapping::RecomputeRange()
{
    const int32_t natural = NaturalStepCount();
    const bool takeNatural = m_stepCount == -1 || (natural != -1 && natural < m_stepCount);
    SetStepCount(takeNatural ? natural : m_stepCount);

    m_min = m_description->GetMin();
    m_max = m_description->GetMax();
    m_invRange = m_max != m_min ? 1.0f / (m_max - m_min) : 0.0f;
    if (m_min != 0.0f) {
        m_ratio = m_max / m_min;
        m_invLogRange = m_ratio != 1.0f ? static_cast<float>(1.0 / std::log(static_cast<double>(m_ratio))) : 0.0f;
    } else {
        m_ratio = 1.0f;
        m_invLogRange = 0.0f;
    }
    m_mappingChanged.Notify();
}

void CGUIValueMapping::SetCurveFunctions(IParamFunction* positionToValue, IParamFunction* valueToPosition)
{
    IParamFunction* identity = SharedFunction<&CFunctionsLibrary::Identity>();
    m_positionToValue = positionToValue ? positionToValue : identity;
    m_valueToPosition = valueToPosition ? valueToPosition : identity;
    m_mappingChanged.Notify();
}

void CGUIValueMapping::SetCurve(int curve)
{
    SetCurveFunctions(GetCurvePositionToValue(curve), GetCurveValueToPosition(curve));
}

void CGUIValueMapping::SetLogarithmic(bool logarithmic)
{
    if (logarithmic != m_logarithmic) {
        m_logarithmic = logarithmic;
        m_mappingChanged.Notify();
    }
}

void CGUIValueMapping::SetZoom(float zoom)
{
    if (zoom == m_zoom) {
        return;
    }
    // Written so that NaN also falls back to 1.0.
    m_zoom = zoom >= 1.0f ? zoom : 1.0f;
    m_offset = (m_zoom - 1.0f) * m_pan;
    m_invZoom = 1.0f / m_zoom;
    m_zoomChanged.Notify();
    m_mappingChanged.Notify();
}

void CGUIValueMapping::SetPan(float pan)
{
    if (pan != m_pan) {
        m_pan = pan;
        m_offset = (m_zoom - 1.0f) * m_pan;
        m_mappingChanged.Notify();
    }
}

void CGUIValueMapping::SetStepsIgnoreZoom(bool ignore)
{
    if (ignore != m_stepsIgnoreZoom) {
        m_stepsIgnoreZoom = ignore;
        m_mappingChanged.Notify();
    }
}

void CGUIValueMapping::SetStepCount(int count)
{
    if (m_description->GetKind() != kParamKindContinuous) {
        const int32_t natural = NaturalStepCount();
        if (count < 0 || count > natural) {
            count = natural;
        }
    }
    const int32_t stored = count == 0 ? 1 : (count < 0 ? -1 : count);
    if (stored != m_stepCount) {
        m_stepCount = stored;
        m_mappingChanged.Notify();
    }
}

int CGUIValueMapping::GetVisibleStepCount() const
{
    if (m_stepsIgnoreZoom) {
        return m_stepCount;
    }
    return ToStepCount((m_stepCount - 1.0) * m_zoom + 1.0);
}

float CGUIValueMapping::GetFullStepCount() const
{
    if (m_stepCount < 0) {
        return -1.0f;
    }
    return static_cast<float>((GetVisibleStepCount() - 1.0) / m_zoom + 1.0);
}

void CGUIValueMapping::ResetStepCount()
{
    SetStepCount(NaturalStepCount());
}

float CGUIValueMapping::NormalizeValue(float value) const
{
    if (!m_logarithmic) {
        return (value - m_min) * m_invRange;
    }
    if (m_min == 0.0f) {
        return 0.0f;
    }
    return static_cast<float>(std::log(static_cast<double>(value) / m_min)) * m_invLogRange;
}

float CGUIValueMapping::PositionFromValue(float value, bool clamp) const
{
    const float normalized = NormalizeValue(value);
    float position = m_valueToPosition->Evaluate(normalized);
    if (m_inverted) {
        position = 1.0f - position;
    }
    if (m_stepCount != -1) {
        const int steps = GetVisibleStepCount();
        const float step = std::trunc(position * static_cast<float>(steps - 1) + 0.5f);
        position = steps > 1 ? step / static_cast<float>(steps - 1) : step;
    }
    position = position * m_zoom - m_offset;
    if (clamp) {
        position = std::clamp(position, 0.0f, 1.0f);
    }
    return position;
}

float CGUIValueMapping::ValueFromPosition(float position) const
{
    float t = (position + m_offset) * m_invZoom;
    const int steps = GetVisibleStepCount();
    if (steps > 1) {
        t = std::trunc(t * static_cast<float>(steps - 1) + 0.5f) / static_cast<float>(steps - 1);
    } else if (steps == 1) {
        t = 0.0f;
    }
    const float u = m_positionToValue->Evaluate(m_inverted ? 1.0f - t : t);
    const float value = m_logarithmic ? static_cast<float>(m_min * std::pow(static_cast<double>(m_ratio), u))
                                      : m_min + (m_max - m_min) * u;

    switch (m_description->GetKind()) {
    case kParamKindContinuous:
        return value;
    case kParamKindSwitch:
    case kParamKindToggle: {
        // The midpoint of the range decides: half the width alone would put
        // every value of a range that does not start at 0 above it.
        const float min = m_description->GetMin();
        const float max = m_description->GetMax();
        return value > min + (max - min) * 0.5f ? max : min;
    }
    default:
        return value > 0.0f ? std::trunc(value + 0.5f) : std::trunc(value - 0.5f);
    }
}

void CGUIValueMapping::SetInverted(bool inverted)
{
    if (inverted != m_inverted) {
        m_inverted = inverted;
        m_inversionChanged.Notify();
        m_mappingChanged.Notify();
    }
}
