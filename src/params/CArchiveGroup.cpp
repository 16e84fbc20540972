#include "CArchiveGroup.h"

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
