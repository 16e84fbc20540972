#include "params/CGUIParamValueMapping.h"

#include <cmath>

CGUIParamValueMapping::CGUIParamValueMapping(IParam& parameter)
    : CGUIValueMapping(parameter.GetDescription())
    , m_parameter(&parameter)
    , m_valueListener(*this, &CGUIParamValueMapping::RefreshPosition)
    , m_openedRelay(m_changeOpened, &CGUINotifier::Notify)
    , m_closedRelay(m_changeClosed, &CGUINotifier::Notify)
{
    Attach();
    RefreshPosition();
}

CGUIParamValueMapping::~CGUIParamValueMapping()
{
    Detach();
}

void CGUIParamValueMapping::Attach()
{
    m_parameter->GetValueNotifier().AddListener(&m_valueListener);
    m_parameter->GetChangeOpenedNotifier().AddListener(&m_openedRelay);
    m_parameter->GetChangeClosedNotifier().AddListener(&m_closedRelay);
}

void CGUIParamValueMapping::Detach()
{
    m_parameter->GetValueNotifier().RemoveListener(&m_valueListener);
    m_parameter->GetChangeOpenedNotifier().RemoveListener(&m_openedRelay);
    m_parameter->GetChangeClosedNotifier().RemoveListener(&m_closedRelay);
}

void CGUIParamValueMapping::SetParameter(IParam& parameter)
{
    Detach();
    m_parameter = &parameter;
    Attach();
    BindDescription(parameter.GetDescription());
}

void CGUIParamValueMapping::SetPosition(float position)
{
    if (std::isnan(position)) {
        return;
    }
    m_parameter->SetValue(ValueFromPosition(std::fmin(std::fmax(position, 0.0f), 1.0f)));
}

void CGUIParamValueMapping::RecomputeRange()
{
    CGUIValueMapping::RecomputeRange();
    RefreshPosition();
}

void CGUIParamValueMapping::RefreshPosition()
{
    const float position = PositionFromValue(m_parameter->GetValue(), true);
    // A NaN value keeps the last position rather than notifying forever.
    if (position != m_position && !std::isnan(position)) {
        m_position = position;
        m_positionChanged.Notify();
    }
}
