#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

// One group of the in-memory archive: named values in the order they were
// first written, each a nested group, bytes, a string, a double, a float, a
// 32-bit integer or a bool. Names are unique within the group.
class CArchiveGroup {
public:
    using Bytes = std::vector<char>;
    using Value = std::variant<std::unique_ptr<CArchiveGroup>, Bytes, std::string, double, float, int32_t, bool>;

    int32_t GetCount() const { return static_cast<int32_t>(m_values.size()); }
    // Name and value of the index-th entry; index must be below GetCount().
    const std::string& GetName(int32_t index) const { return m_values[static_cast<size_t>(index)].first; }
    const Value& GetValue(int32_t index) const { return m_values[static_cast<size_t>(index)].second; }

    // The value stored under name, or null.
    const Value* Find(const char* name) const;
    // The nested group stored under name, or null when name is missing or
    // holds another type.
    const CArchiveGroup* FindGroup(const char* name) const;
    // Same names, types and values in the same order, nested groups included.
    bool Equals(const CArchiveGroup& other) const;

    // Stores value under name, replacing a previous value in its place.
    Value& Set(const char* name, Value value);

private:
    std::vector<std::pair<std::string, Value>> m_values;
};
