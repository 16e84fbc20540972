#include "params/CArchiveGroup.h"

const CArchiveGroup::Value* CArchiveGroup::Find(const char* name) const
{
    for (const auto& [entryName, value] : m_values) {
        if (entryName == name) {
            return &value;
        }
    }
    return nullptr;
}

const CArchiveGroup* CArchiveGroup::FindGroup(const char* name) const
{
    const Value* value = Find(name);
    const auto* group = value ? std::get_if<std::unique_ptr<CArchiveGroup>>(value) : nullptr;
    return group ? group->get() : nullptr;
}

CArchiveGroup::Value& CArchiveGroup::Set(const char* name, Value value)
{
    for (auto& [entryName, stored] : m_values) {
        if (entryName == name) {
            stored = std::move(value);
            return stored;
        }
    }
    return m_values.emplace_back(name, std::move(value)).second;
}

bool CArchiveGroup::Equals(const CArchiveGroup& other) const
{
    if (m_values.size() != other.m_values.size()) {
        return false;
    }
    for (size_t i = 0; i < m_values.size(); ++i) {
        const auto& [name, value] = m_values[i];
        const auto& [otherName, otherValue] = other.m_values[i];
        if (name != otherName || value.index() != otherValue.index()) {
            return false;
        }
        const auto* group = std::get_if<std::unique_ptr<CArchiveGroup>>(&value);
        if (group ? !(*group)->Equals(*std::get<std::unique_ptr<CArchiveGroup>>(otherValue)) : value != otherValue) {
            return false;
        }
    }
    return true;
}
