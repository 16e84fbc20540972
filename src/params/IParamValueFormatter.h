#pragma once

class IParamDescription;

// Turns parameter values into text.
class IParamValueFormatter {
public:
    // Expands the formatter's template for value, reading the bounds, unit,
    // name and comment from description. *out receives a new text (new[]),
    // owned by the caller, or null when the text is empty.
    virtual void FormatText(float value, IParamDescription& description, char** out) = 0;
    // A new heap copy with the same settings, owned by the caller.
    virtual IParamValueFormatter* Clone() const = 0;
    virtual ~IParamValueFormatter() = default;
};
