#pragma once

class CGUINotifier;
class IParamDescription;

// A parameter: a value with its description. Edits may be bracketed by
// opening and closing a change, so that observers can group them.
class IParam {
public:
    virtual IParamDescription& GetDescription() = 0;
    virtual float GetValue() const = 0;
    // Assigns value and then fires the value notifier.
    virtual void SetValue(float value) = 0;
    // Opening an open change, or closing a closed one, does nothing.
    virtual void OpenChange() = 0;
    virtual void CloseChange() = 0;
    virtual bool IsChangeOpen() const = 0;
    virtual CGUINotifier& GetValueNotifier() = 0;
    virtual CGUINotifier& GetChangeOpenedNotifier() = 0;
    virtual CGUINotifier& GetChangeClosedNotifier() = 0;
    virtual ~IParam() = default;
};
