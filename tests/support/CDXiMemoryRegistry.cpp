#include "CDXiMemoryRegistry.h"

#include "app/DXiRegistryCodes.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string_view>

using namespace DXiRegistryCodes;

namespace {
const char* Text(const char* text)
{
    return text ? text : "(null)";
}

// One step of a copy or tree delete, if one is left; steps below 0 never run out.
bool TakeStep(int& steps)
{
    return steps < 0 || (steps > 0 && --steps >= 0);
}

struct Value {
    uint32_t type = 0;
    std::vector<uint8_t> data;
};

// A name into a caller's buffer of *length characters with its terminator.
int32_t ReadName(const std::string& name, char* buffer, uint32_t* length)
{
    if (name.size() >= *length) {
        return kMoreData;
    }
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    *length = static_cast<uint32_t>(name.size());
    return kSuccess;
}

int32_t ReadValue(const Value& value, uint32_t* type, uint8_t* data, uint32_t* size)
{
    const bool fits = value.data.size() <= *size;
    std::copy_n(value.data.begin(), fits ? value.data.size() : 0, data);
    *type = value.type;
    *size = static_cast<uint32_t>(value.data.size());
    return fits ? kSuccess : kMoreData;
}
} // namespace

struct CDXiMemoryRegistry::Node {
    std::map<std::string, Value> values;
    std::map<std::string, std::shared_ptr<Node>> children;
    Node* parent = nullptr;
    bool deleted = false;
    // Enumeration by index walks the map once per change, not once per call.
    std::vector<const std::string*> childOrder;

    std::shared_ptr<Node>& Child(const std::string& name)
    {
        auto& child = children[name];
        if (!child) {
            child = std::make_shared<Node>();
            child->parent = this;
            childOrder.clear();
        }
        return child;
    }
    const std::string* ChildName(std::size_t index)
    {
        if (childOrder.empty()) {
            for (const auto& child : children) {
                childOrder.push_back(&child.first);
            }
        }
        return index < childOrder.size() ? childOrder[index] : nullptr;
    }
    // Renames the key under its parent; an empty name takes it out.
    void MoveTo(const std::string& name)
    {
        auto entry = parent->children.extract(std::find_if(parent->children.begin(), parent->children.end(),
            [this](const auto& child) { return child.second.get() == this; }));
        parent->childOrder.clear();
        if (!name.empty()) {
            entry.key() = name;
            parent->children.insert(std::move(entry));
        }
    }
    // Values first, then each sub-key with everything under it; false when the steps ran out on the way.
    bool CopyFrom(const Node& source, int& steps)
    {
        for (const auto& [name, value] : source.values) {
            if (!TakeStep(steps)) {
                return false;
            }
            values[name] = value;
        }
        for (const auto& [name, child] : source.children) {
            if (!TakeStep(steps) || !Child(name)->CopyFrom(*child, steps)) {
                return false;
            }
        }
        return true;
    }
    // Bottom-up, as a tree delete goes; false when the steps ran out first.
    bool Delete(int& steps)
    {
        while (!children.empty()) {
            if (!std::shared_ptr<Node>(children.begin()->second)->Delete(steps)) {
                return false;
            }
        }
        deleted = TakeStep(steps);
        if (deleted) {
            MoveTo("");
        }
        return deleted;
    }
    void Dump(std::ostringstream& out, const std::string& indent) const
    {
        for (const auto& [name, value] : values) {
            out << indent << name << " = " << value.type << ':';
            for (uint8_t byte : value.data) {
                out << ' ' << int { byte };
            }
            out << '\n';
        }
        for (const auto& [name, child] : children) {
            out << indent << name << "\\\n";
            child->Dump(out, indent + "  ");
        }
    }
    // The key at path below node (created where missing when asked to), or null. A trailing backslash names the
    // same key.
    static std::shared_ptr<Node> Walk(std::shared_ptr<Node> node, const char* path, bool create = false)
    {
        for (std::string_view rest = path ? path : ""; node && !rest.empty();) {
            const std::string part(rest.substr(0, rest.find('\\')));
            rest.remove_prefix(std::min(part.size() + 1, rest.size()));
            const auto child = node->children.find(part);
            node = create ? node->Child(part) : child != node->children.end() ? child->second : nullptr;
        }
        return node;
    }
};

CDXiMemoryRegistry::CDXiMemoryRegistry()
    : m_root(std::make_shared<Node>())
{
    Restart();
}

template <typename... Arguments> int32_t CDXiMemoryRegistry::Count(const char* operation, const Arguments&... arguments)
{
    if (m_calls) {
        std::ostringstream call;
        ((call << operation) << ... << (' ' + std::string(arguments)));
        m_calls->push_back(call.str());
    }
    m_steps = -1;
    for (auto fault = m_faults.begin(); fault != m_faults.end(); ++fault) {
        if ((fault->operation.empty() || fault->operation == operation) && --fault->remaining <= 0) {
            const Fault hit = *fault;
            if (!hit.lasting) {
                m_faults.erase(fault);
            }
            m_steps = hit.remaining == 0 ? hit.steps : 0;
            return hit.code;
        }
    }
    return kSuccess;
}

int32_t CDXiMemoryRegistry::Find(Key key, uint32_t neededAccess, const char* subKey, std::shared_ptr<Node>& node) const
{
    const auto handle = m_handles.find(key);
    if (handle == m_handles.end()) {
        return kInvalidHandle;
    }
    if (handle->second.node->deleted) {
        return kKeyDeleted;
    }
    if ((handle->second.access & neededAccess) != neededAccess) {
        return kAccessDenied;
    }
    node = Node::Walk(handle->second.node, subKey);
    return node ? kSuccess : kFileNotFound;
}

IDXiRegistry::Key CDXiMemoryRegistry::AddHandle(std::shared_ptr<Node> node, uint32_t access, const char* name)
{
    const Key key = reinterpret_cast<Key>(m_nextHandle += 4);
    m_handles[key] = { std::move(node), access, name ? name : "" };
    return key;
}

int32_t CDXiMemoryRegistry::OpenKey(Key parent, const char* subKey, uint32_t access, Key* key)
{
    std::shared_ptr<Node> node;
    char mask[16];
    std::snprintf(mask, sizeof(mask), "0x%X", access);
    int32_t result = Count("Open", Text(subKey), mask);
    if (result == kSuccess && (result = Find(parent, 0, subKey, node)) == kSuccess) {
        *key = AddHandle(node, access, subKey);
    }
    return result;
}

int32_t CDXiMemoryRegistry::EnumKey(Key key, uint32_t index, char* name, uint32_t* nameLength)
{
    std::shared_ptr<Node> node;
    int32_t result = Count("Enum", std::to_string(index));
    if (result == kSuccess && (result = Find(key, kEnumerateSubKeys, nullptr, node)) == kSuccess) {
        const std::string* childName = node->ChildName(index);
        result = childName ? ReadName(*childName, name, nameLength) : kNoMoreItems;
    }
    return result;
}

int32_t CDXiMemoryRegistry::EnumValue(
    Key key, uint32_t index, char* name, uint32_t* nameLength, uint32_t* type, uint8_t* data, uint32_t* size)
{
    std::shared_ptr<Node> node;
    int32_t result = Count("EnumValue", std::to_string(index));
    if (result == kSuccess && (result = Find(key, kQueryValue, nullptr, node)) == kSuccess) {
        if (index >= node->values.size()) {
            return kNoMoreItems;
        }
        const auto& [valueName, value] = *std::next(node->values.begin(), index);
        result = ReadName(valueName, name, nameLength);
        return result == kSuccess ? ReadValue(value, type, data, size) : result;
    }
    return result;
}

int32_t CDXiMemoryRegistry::QueryValue(Key key, const char* valueName, uint32_t* type, uint8_t* data, uint32_t* size)
{
    std::shared_ptr<Node> node;
    int32_t result = Count("Query", Text(valueName));
    if (result == kSuccess && (result = Find(key, kQueryValue, nullptr, node)) == kSuccess) {
        const auto value = node->values.find(valueName ? valueName : "");
        result = value == node->values.end() ? kFileNotFound : ReadValue(value->second, type, data, size);
    }
    return result;
}

int32_t CDXiMemoryRegistry::CreateKey(Key parent, const char* subKey, Key* key)
{
    std::shared_ptr<Node> node;
    int32_t result = Count("Create", Text(subKey));
    if (result == kSuccess && (result = Find(parent, kCreateSubKey, nullptr, node)) == kSuccess) {
        *key = AddHandle(Node::Walk(node, subKey, true), kAllAccess, subKey);
    }
    return result;
}

int32_t CDXiMemoryRegistry::CloseKey(Key key)
{
    const auto handle = m_handles.find(key);
    const bool known = handle != m_handles.end() && key != GetClassesRoot();
    // Even a failing close lets the handle go, as RegCloseKey does.
    const int32_t fault = Count("Close", known ? handle->second.name.c_str() : "");
    if (known) {
        m_handles.erase(handle);
    }
    return fault ? fault : known ? kSuccess : kInvalidHandle;
}

int32_t CDXiMemoryRegistry::CopyKey(Key source, const char* subKey, Key destination)
{
    std::shared_ptr<Node> from, to;
    const int32_t fault = Count("Copy", Text(subKey));
    if (fault && m_steps == 0) {
        return fault;
    }
    int32_t result = Find(source, kQueryValue | kEnumerateSubKeys, subKey, from);
    if (result == kSuccess && (result = Find(destination, kSetValue | kCreateSubKey, nullptr, to)) == kSuccess) {
        to->CopyFrom(*from, m_steps);
    }
    return fault ? fault : result;
}

int32_t CDXiMemoryRegistry::DeleteKey(Key parent, const char* subKey)
{
    std::shared_ptr<Node> node;
    const int32_t fault = Count("Delete", Text(subKey));
    if (fault && m_steps == 0) {
        return fault;
    }
    const int32_t result = Find(parent, 0, subKey, node);
    if (result == kSuccess && node->parent && !deletionsIgnored) {
        node->Delete(m_steps);
    }
    return fault ? fault : result;
}

int32_t CDXiMemoryRegistry::RenameKey(Key key, const char* subKey, const char* newName)
{
    std::shared_ptr<Node> node;
    int32_t result = Count("Rename", Text(subKey), Text(newName));
    if (result == kSuccess && !renameSupported) {
        return kCallNotImplemented;
    }
    if (result == kSuccess && (result = Find(key, kSetValue | kCreateSubKey, subKey, node)) == kSuccess) {
        if (!node->parent || node->parent->children.count(newName) != 0) {
            return kAccessDenied;
        }
        node->MoveTo(newName);
    }
    return result;
}

bool CDXiMemoryRegistry::GetSystemMessage(int32_t code, CGUIString& text)
{
    if (code != kFileNotFound && code != kAccessDenied) {
        return false;
    }
    text.Assign(code == kFileNotFound ? "The system cannot find the file specified.\r\n" : "Access is denied.\r\n");
    return true;
}

void CDXiMemoryRegistry::AddKey(const std::string& path)
{
    Node::Walk(m_root, path.c_str(), true);
}

void CDXiMemoryRegistry::SetValue(
    const std::string& path, const std::string& name, uint32_t type, std::vector<uint8_t> data)
{
    Node::Walk(m_root, path.c_str(), true)->values[name] = { type, std::move(data) };
}

std::vector<std::string> CDXiMemoryRegistry::GetSubKeyNames(const std::string& path) const
{
    std::vector<std::string> names;
    if (const auto node = Node::Walk(m_root, path.c_str())) {
        for (const auto& child : node->children) {
            names.push_back(child.first);
        }
    }
    return names;
}

std::string CDXiMemoryRegistry::DumpTree(const std::string& path) const
{
    std::ostringstream out;
    if (const auto node = Node::Walk(m_root, path.c_str())) {
        node->Dump(out, "");
    }
    return out.str();
}

void CDXiMemoryRegistry::Restart()
{
    m_handles = { { GetClassesRoot(), { m_root, kAllAccess, "HKEY_CLASSES_ROOT" } } };
    m_faults.clear();
}
