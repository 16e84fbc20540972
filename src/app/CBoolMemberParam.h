#pragma once

#include "app/IDXiMidiEnabledValue.h"
#include "foundation/CGUINotifier.h"
#include "params/CParamDescription.h"
#include "params/IParam.h"

// Presents an instrument's MIDI-enabled value as a two-state parameter with
// the values 0 and 1, so that a check box can edit it through a value
// mapping. Assigning a value switches the instrument (which may fail and
// leave it as it was) and then notifies, so listeners read back the outcome.
class CBoolMemberParam final : public IParam {
public:
    // value must outlive the parameter.
    explicit CBoolMemberParam(IDXiMidiEnabledEditor& value);

    IParamDescription& GetDescription() override { return m_description; }
    IParamDescriptionEditor& GetDescriptionEditor() { return m_description; }
    // 1 when MIDI is enabled, else 0.
    float GetValue() const override;
    // Switches to value != 0, then fires the value notifier whatever came of it.
    void SetValue(float value) override;
    void OpenChange() override;
    void CloseChange() override;
    bool IsChangeOpen() const override { return m_changeOpen; }
    CGUINotifier& GetValueNotifier() override { return m_valueChanged; }
    CGUINotifier& GetChangeOpenedNotifier() override { return m_changeOpened; }
    CGUINotifier& GetChangeClosedNotifier() override { return m_changeClosed; }

private:
    IDXiMidiEnabledEditor& m_value;
    CParamDescription m_description;
    CGUINotifier m_valueChanged;
    CGUINotifier m_changeOpened;
    CGUINotifier m_changeClosed;
    bool m_changeOpen = false;
};
