#pragma once

#include "params/CGUIValueMapping.h"
#include "params/IParam.h"

// The value mapping of one parameter: follows the parameter's description,
// keeps the position of its current value and relays its change brackets.
// The parameter must outlive the mapping (or be replaced before it goes).
class CGUIParamValueMapping final : public CGUIValueMapping {
public:
    explicit CGUIParamValueMapping(IParam& parameter);
    ~CGUIParamValueMapping() override;

    IParam& GetParameter() const { return *m_parameter; }
    // Follows parameter (and its description) from now on.
    void SetParameter(IParam& parameter);

    // Position of the parameter's value, as of the last refresh.
    float GetPosition() const { return m_position; }
    // Assigns the value at position (limited to [0, 1]; NaN is ignored) to
    // the parameter; the position follows through the parameter's notifier.
    void SetPosition(float position);

    // Fires when the stored position changes.
    CGUINotifier& GetPositionNotifier() { return m_positionChanged; }
    // Relay the parameter's change brackets.
    CGUINotifier& GetChangeOpenedNotifier() { return m_changeOpened; }
    CGUINotifier& GetChangeClosedNotifier() { return m_changeClosed; }

protected:
    void RecomputeRange() override;

private:
    void Attach();
    void Detach();
    void RefreshPosition();

    IParam* m_parameter;
    float m_position = 0.0f;
    CGUINotifier m_positionChanged;
    CGUINotifier m_changeOpened;
    CGUINotifier m_changeClosed;
    TMemberListener<CGUIParamValueMapping> m_valueListener;
    TMemberListener<CGUINotifier> m_openedRelay;
    TMemberListener<CGUINotifier> m_closedRelay;
};
