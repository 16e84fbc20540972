#pragma once

class CGUINotifier;
class IParamDescription;
class IParamFunction;

// Converts between a parameter's values and a control's normalised position
// (0 to 1) through a response curve, steps, zoom and pan.
class IGUIValueMapping {
public:
    // The description whose range and kind the mapping follows.
    virtual IParamDescription* GetDescription() const = 0;
    // Borrowed functions, which must outlive the mapping; null means the
    // identity. Notifies a mapping change.
    virtual void SetCurveFunctions(IParamFunction* positionToValue, IParamFunction* valueToPosition) = 0;
    // One of the 13 curves (0 "Log3" ... 6 "Linear" ... 12 "Exp3"); any other
    // identifier is linear. Notifies a mapping change.
    virtual void SetCurve(int curve) = 0;
    // Logarithmic ranges need a positive minimum and maximum.
    virtual void SetLogarithmic(bool logarithmic) = 0;
    // Zooms below 1.0 are stored as 1.0.
    virtual void SetZoom(float zoom) = 0;
    virtual float GetZoom() const = 0;
    virtual void SetPan(float pan) = 0;
    virtual float GetPan() const = 0;
    virtual void SetStepsIgnoreZoom(bool ignore) = 0;
    virtual bool GetStepsIgnoreZoom() const = 0;
    // Positions are quantised to count steps, -1 meaning continuous. A
    // non-continuous kind limits count to its natural step count (2 for
    // two-state kinds, max - min + 1 for integers); 0 is stored as 1.
    virtual void SetStepCount(int count) = 0;
    // The steps within the visible (zoomed) part of the position range.
    virtual int GetVisibleStepCount() const = 0;
    // The steps over the whole range, -1.0 when continuous.
    virtual float GetFullStepCount() const = 0;
    // Back to the kind's natural step count.
    virtual void ResetStepCount() = 0;
    // A value as a fraction of the range (linear or logarithmic); 0 for a
    // logarithmic range whose minimum is 0.
    virtual float NormalizeValue(float value) const = 0;
    // The position at which value shows; clamp limits it to [0, 1].
    virtual float PositionFromValue(float value, bool clamp) const = 0;
    // The value that position selects, snapped or rounded by the kind.
    virtual float ValueFromPosition(float position) const = 0;
    // Fires on every change of curve, steps, logarithmic flag, inversion,
    // pan, zoom and range.
    virtual CGUINotifier& GetMappingNotifier() = 0;
    virtual CGUINotifier& GetZoomNotifier() = 0;
    virtual ~IGUIValueMapping() = default;
};

// A mapping whose direction can be reversed (maximum at position 0).
class IGUIInvertible {
public:
    virtual void SetInverted(bool inverted) = 0;
    virtual bool IsInverted() const = 0;
    virtual CGUINotifier& GetInversionNotifier() = 0;
    virtual ~IGUIInvertible() = default;
};
