#include "params/CParamValueFormatter.h"

#include "params/IParamDescription.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {
// The formatting buffer; a longer number is cut to fit it.
constexpr size_t g_numberBufferSize = 512;

const char* UnitPrefix(int group)
{
    switch (group) {
    case -3:
        return "n";
    case -2:
        return "\xB5";
    case -1:
        return "m";
    case 1:
        return "k";
    case 2:
        return "M";
    case 3:
        return "G";
    case 4:
        return "T";
    default:
        return "";
    }
}

// Skips a width or precision. More than three digits fail: such numbers would
// only be cut to the buffer, and printf fails outright on widths beyond int.
bool SkipDigits(const char*& p)
{
    int digits = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        ++digits;
    }
    return digits <= 3;
}

void AppendText(CGUIString& destination, const char* text)
{
    destination.Append(text ? text : "");
}
} // namespace

CParamValueFormatter::CParamValueFormatter(const char* numberFormat, bool useUnitPrefixes, const char* textTemplate)
    : m_template(textTemplate)
    , m_numberFormat(numberFormat)
    , m_useUnitPrefixes(useUnitPrefixes)
    , m_numberFormatValid(IsValidNumberFormat(m_numberFormat.GetText()))
{
}

bool CParamValueFormatter::IsValidNumberFormat(const char* format)
{
    // The format reaches snprintf with a single double argument: anything but
    // exactly one floating-point conversion would read arguments that are not
    // there. Widths and precisions given as '*' would, too.
    int conversions = 0;
    for (const char* p = format; *p; ++p) {
        if (*p != '%') {
            continue;
        }
        if (p[1] == '%') {
            ++p;
            continue;
        }
        ++p;
        while (*p && std::strchr("-+ #0", *p)) {
            ++p;
        }
        if (!SkipDigits(p) || (*p == '.' && !SkipDigits(++p))) {
            return false;
        }
        if (*p == 'l') {
            ++p;
        }
        if (!*p || !std::strchr("fFeEgGaA", *p)) {
            return false;
        }
        ++conversions;
    }
    return conversions == 1;
}

void CParamValueFormatter::FormatNumber(float value, CGUIString& destination) const
{
    const char* prefix = "";
    if (m_useUnitPrefixes && value > 0.0f && std::isfinite(value)) {
        const int group = static_cast<int>(std::log10(static_cast<double>(value))) / 3;
        prefix = UnitPrefix(group);
        if (*prefix) {
            value = static_cast<float>(value * std::pow(10.0, -3.0 * group));
        }
    }
    if (m_numberFormatValid) {
        char number[g_numberBufferSize];
        if (std::snprintf(number, sizeof number, m_numberFormat.GetText(), static_cast<double>(value)) >= 0) {
            number[sizeof number - 1] = '\0';
            destination.Append(number);
        }
    }
    destination.Append(prefix);
}

void CParamValueFormatter::FormatText(float value, IParamDescription& description, char** out)
{
    if (!out) {
        return;
    }
    const char* const text = m_template.GetText();
    const int32_t length = m_template.GetLength();
    CGUIString result;
    CGUIString piece;
    int32_t start = 0;
    int32_t brace = m_template.Find("{", start);
    while (brace >= 0) {
        m_template.Substring(start, brace - 1, piece);
        result.Append(piece);
        if (text[brace + 1] == '{') {
            result.Append("{");
            start = brace + 2;
            brace = m_template.Find("{", start);
            continue;
        }
        const int32_t close = m_template.Find("}", brace + 1);
        if (close < 0) {
            // An unclosed brace is plain text: carry on from the next brace
            // with the text before it still pending.
            m_template.Substring(brace, brace, piece);
            result.Append(piece);
            start = brace + 1;
            brace = m_template.Find("{", start);
            continue;
        }
        CGUIString token;
        m_template.Substring(brace, close, token);
        if (token.Equals("{value}")) {
            FormatNumber(value, result);
        } else if (token.Equals("{unit}")) {
            AppendText(result, description.GetUnit());
        } else if (token.Equals("{min}")) {
            FormatNumber(description.GetMin(), result);
        } else if (token.Equals("{max}")) {
            FormatNumber(description.GetMax(), result);
        } else if (token.Equals("{default}")) {
            FormatNumber(description.GetDefault(), result);
        } else if (token.Equals("{comment}")) {
            AppendText(result, description.GetComment());
        } else if (token.Equals("{name}")) {
            AppendText(result, description.GetName());
        } else {
            result.Append(token);
        }
        start = close + 1;
        brace = m_template.Find("{", start);
    }
    m_template.Substring(start, length - 1, piece);
    result.Append(piece);

    *out = nullptr;
    if (!result.IsEmpty()) {
        const int32_t size = result.GetLength() + 1;
        *out = new char[static_cast<size_t>(size)];
        std::memcpy(*out, result.GetText(), static_cast<size_t>(size));
    }
}
