#pragma once

#include "foundation/CGUIString.h"
#include "params/IParamValueFormatter.h"

// Formats values through a template such as "{value} {unit}". Placeholders
// are "{value}", "{min}", "{max}", "{default}" (numbers), "{unit}",
// "{name}" and "{comment}" (texts of the description, nothing for null).
// "{{" prints one brace; unknown placeholders, and a brace without a closing
// one, print as they are.
//
// Numbers go through a printf format for one double ("%.2f"), optionally
// scaled to a metric prefix (n, µ as the byte 0xB5, m, k, M, G, T) chosen by
// the value's power of ten. The format may hold text around exactly one
// floating-point conversion (flags, width, precision, f F e E g G a A) and
// "%%"; any other format prints no number. A number longer than 511
// characters is cut there.
class CParamValueFormatter final : public IParamValueFormatter {
public:
    CParamValueFormatter(const char* numberFormat, bool useUnitPrefixes, const char* textTemplate);

    void FormatText(float value, IParamDescription& description, char** out) override;
    IParamValueFormatter* Clone() const override { return new CParamValueFormatter(*this); }

    // Appends value, formatted with its unit prefix, to destination.
    void FormatNumber(float value, CGUIString& destination) const;

    static bool IsValidNumberFormat(const char* format);

private:
    CGUIString m_template;
    CGUIString m_numberFormat;
    bool m_useUnitPrefixes;
    bool m_numberFormatValid;
};
