#include "app/CBoolMemberParam.h"

CBoolMemberParam::CBoolMemberParam(IDXiMidiEnabledEditor& value)
    : m_value(value)
    , m_description("", 2, 0.0f, 0.0f, 0.0f, "", "", nullptr, false)
{
}

float CBoolMemberParam::GetValue() const
{
    return m_value.IsMidiEnabled() ? 1.0f : 0.0f;
}

void CBoolMemberParam::SetValue(float value)
{
    m_value.SetMidiEnabled(value != 0.0f);
    m_valueChanged.Notify();
}

void CBoolMemberParam::OpenChange()
{
    if (!m_changeOpen) {
        m_changeOpen = true;
        m_changeOpened.Notify();
    }
}

void CBoolMemberParam::CloseChange()
{
    if (m_changeOpen) {
        m_changeOpen = false;
        m_changeClosed.Notify();
    }
}
