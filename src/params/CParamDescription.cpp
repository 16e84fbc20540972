#include "params/CParamDescription.h"

#include "params/CParamValueFormatter.h"

#include <cstring>

CParamDescription::CParamDescription(const char* name, int kind, float min, float max, float defaultValue,
    const char* unit, const char* comment, IParamValueFormatter* formatter, bool ownsFormatter)
    : m_kind(kind)
    , m_name(CopyText(name))
    , m_unit(CopyText(unit))
    , m_comment(CopyText(comment))
    , m_min(min)
    , m_max(max)
    , m_default(defaultValue)
{
    if (formatter) {
        ReplaceFormatter(formatter, ownsFormatter);
    } else {
        ReplaceFormatter(MakeDefaultFormatter(kind), true);
    }
}

CParamDescription::~CParamDescription()
{
    ReplaceFormatter(nullptr, false);
}

IParamValueFormatter* CParamDescription::MakeDefaultFormatter(int kind)
{
    const bool whole = kind == kParamKindSwitch || kind == kParamKindInteger || kind == kParamKindToggle;
    return new CParamValueFormatter(whole ? "%.0f" : "%.2f", false, "{value}");
}

CParamDescription::Text CParamDescription::CopyText(const char* text)
{
    if (!text) {
        return nullptr;
    }
    const size_t size = std::strlen(text) + 1;
    Text copy(new char[size]);
    std::memcpy(copy.get(), text, size);
    return copy;
}

void CParamDescription::ReplaceFormatter(IParamValueFormatter* formatter, bool owns)
{
    if (m_ownsFormatter && m_formatter != formatter) {
        delete m_formatter;
    }
    m_formatter = formatter;
    m_ownsFormatter = owns;
}

void CParamDescription::SetKind(int kind)
{
    if (kind != m_kind) {
        m_kind = kind;
        m_changes.Notify();
    }
}

// The new copy is made before the old text goes, so a description's own text
// may be passed back to it.
void CParamDescription::SetName(const char* name)
{
    m_name = CopyText(name);
    m_changes.Notify();
}

void CParamDescription::SetUnit(const char* unit)
{
    m_unit = CopyText(unit);
    m_changes.Notify();
}

void CParamDescription::SetComment(const char* comment)
{
    m_comment = CopyText(comment);
    m_changes.Notify();
}

void CParamDescription::SetValue(float& field, float value)
{
    // Written as a negated equality so that a NaN always counts as a change.
    if (!(value == field)) {
        field = value;
        m_changes.Notify();
    }
}

void CParamDescription::SetMin(float value)
{
    SetValue(m_min, value);
}

void CParamDescription::SetDefault(float value)
{
    SetValue(m_default, value);
}

void CParamDescription::SetMax(float value)
{
    SetValue(m_max, value);
}

void CParamDescription::CopyFrom(IParamDescription& other)
{
    m_comment = CopyText(other.GetComment());
    m_default = other.GetDefault();
    m_max = other.GetMax();
    m_min = other.GetMin();
    m_name = CopyText(other.GetName());
    m_kind = other.GetKind();
    m_unit = CopyText(other.GetUnit());
    // Another implementation of the interface may have no formatter.
    const IParamValueFormatter* source = other.GetFormatter();
    ReplaceFormatter(source ? source->Clone() : MakeDefaultFormatter(m_kind), true);
    m_changes.Notify();
}
