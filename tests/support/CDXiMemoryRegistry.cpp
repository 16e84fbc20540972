#include "CDXiMemoryRegistry.h"

#include "app/DXiRegistryCodes.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <sstream>

using namespace DXiRegistryCodes;

namespace {
// What the calls of a killed process get (they get nothing, in truth).
constexpr int32_t kProcessAborted = 1067;

const char* Text(const char* text)
{
    return text ? text : "";
}

std::string Hex(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%X", static_cast<unsigned>(value));
    return text;
}

// One step of a copy or tree delete; steps below 0 never run out.
bool TakeStep(int& steps)
{
    if (steps == 0) {
        return false;
    }
    steps -= steps > 0 ? 1 : 0;
    return true;
}

// A value into a caller's buffer of *size bytes, as both value reads do.
int32_t ReadValue(const CDXiMemoryRegistry::Value& value, uint32_t* type, uint8_t* data, uint32_t* size)
{
    const auto stored = static_cast<uint32_t>(value.data.size());
    *type = value.type;
    if (data && stored > *size) {
        *size = stored;
        return kMoreData;
    }
    if (data && stored > 0) {
        std::memcpy(data, value.data.data(), stored);
    }
    *size = stored;
    return kSuccess;
}

// Registry names compare without regard to ASCII letter case.
struct CaseLess {
    bool operator()(const std::string& left, const std::string& right) const
    {
        return std::lexicographical_compare(left.begin(), left.end(), right.begin(), right.end(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) < std::tolower(static_cast<unsigned char>(b));
        });
    }
};

std::vector<std::string> SplitPath(const char* path)
{
    std::vector<std::string> parts;
    std::string part;
    for (const char* c = path ? path : ""; *c; ++c) {
        if (*c == '\\') {
            parts.push_back(part);
            part.clear();
        } else {
            part += *c;
        }
    }
    // A trailing backslash names the same key.
    if (!part.empty()) {
        parts.push_back(part);
    }
    return parts;
}
} // namespace

struct CDXiMemoryRegistry::Node {
    std::map<std::string, Value, CaseLess> values;
    using Children = std::map<std::string, std::shared_ptr<Node>, CaseLess>;
    Children children;
    Node* parent = nullptr;
    bool deleted = false;
    // Enumeration by index walks the map once per change, not once per call.
    std::vector<const std::string*> childOrder;
    bool childOrderValid = false;

    std::shared_ptr<Node>& Child(const std::string& childName)
    {
        auto& child = children[childName];
        if (!child) {
            child = std::make_shared<Node>();
            child->parent = this;
            childOrderValid = false;
        }
        return child;
    }
    Children::iterator PlaceInParent() const
    {
        return std::find_if(parent->children.begin(), parent->children.end(),
            [this](const auto& child) { return child.second.get() == this; });
    }
    void EraseChild(Children::iterator child)
    {
        children.erase(child);
        childOrderValid = false;
    }
    const std::string* ChildName(std::size_t index)
    {
        if (!childOrderValid) {
            childOrder.clear();
            for (const auto& [childName, child] : children) {
                childOrder.push_back(&childName);
            }
            childOrderValid = true;
        }
        return index < childOrder.size() ? childOrder[index] : nullptr;
    }

    // Values first, then each sub-key with everything under it; false when
    // the steps ran out on the way.
    bool CopyContentFrom(const Node& source, int& steps)
    {
        for (const auto& [valueName, value] : source.values) {
            if (!TakeStep(steps)) {
                return false;
            }
            values[valueName] = value;
        }
        for (const auto& [childName, child] : source.children) {
            if (!TakeStep(steps) || !Child(childName)->CopyContentFrom(*child, steps)) {
                return false;
            }
        }
        return true;
    }
    // Bottom-up, as a tree delete goes; false when the steps ran out first.
    bool DeleteChildren(int& steps)
    {
        while (!children.empty()) {
            const auto child = children.begin();
            if (!child->second->DeleteChildren(steps) || !TakeStep(steps)) {
                return false;
            }
            child->second->deleted = true;
            EraseChild(child);
        }
        return true;
    }
    void Rename(const std::string& newName)
    {
        auto entry = parent->children.extract(PlaceInParent());
        entry.key() = newName;
        parent->children.insert(std::move(entry));
        parent->childOrderValid = false;
    }
    void Dump(std::ostringstream& out, const std::string& indent) const
    {
        for (const auto& [valueName, value] : values) {
            out << indent << "value " << valueName << " type " << value.type << " :";
            for (uint8_t byte : value.data) {
                out << ' ' << static_cast<int>(byte);
            }
            out << '\n';
        }
        for (const auto& [childName, child] : children) {
            out << indent << "key " << childName << '\n';
            child->Dump(out, indent + "  ");
        }
    }
};

CDXiMemoryRegistry::CDXiMemoryRegistry()
    : m_root(std::make_shared<Node>())
{
}

CDXiMemoryRegistry::~CDXiMemoryRegistry() = default;

IDXiRegistry::Key CDXiMemoryRegistry::GetClassesRoot() const
{
    return reinterpret_cast<Key>(static_cast<uintptr_t>(0x80000000u));
}

int32_t CDXiMemoryRegistry::Resolve(Key key, uint32_t neededAccess, std::shared_ptr<Node>& node) const
{
    if (key == GetClassesRoot()) {
        node = m_root;
        return kSuccess;
    }
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
    node = handle->second.node;
    return kSuccess;
}

int32_t CDXiMemoryRegistry::FindKey(
    Key parent, uint32_t neededAccess, const char* subKey, std::shared_ptr<Node>& node) const
{
    std::shared_ptr<Node> from;
    if (const int32_t result = Resolve(parent, neededAccess, from)) {
        return result;
    }
    return FindPath(from, subKey, node);
}

int32_t CDXiMemoryRegistry::FindPath(
    const std::shared_ptr<Node>& from, const char* path, std::shared_ptr<Node>& node) const
{
    std::shared_ptr<Node> current = from;
    for (const std::string& part : SplitPath(path)) {
        const auto child = current->children.find(part);
        if (part.empty() || child == current->children.end()) {
            return kFileNotFound;
        }
        current = child->second;
    }
    node = current;
    return kSuccess;
}

IDXiRegistry::Key CDXiMemoryRegistry::AddHandle(std::shared_ptr<Node> node, uint32_t access, const char* name)
{
    const Key key = reinterpret_cast<Key>(m_nextHandle);
    m_nextHandle += 4;
    m_handles[key] = { std::move(node), access, Text(name) };
    return key;
}

template <typename... Arguments>
int32_t CDXiMemoryRegistry::BeginPartialCall(Operation operation, int& steps, const Arguments&... arguments)
{
    if (m_recording) {
        std::ostringstream call;
        ((call << arguments << ' '), ...);
        std::string text = call.str();
        text.pop_back();
        m_calls.push_back(text);
    }
    steps = -1;
    ++m_callCount;
    if (m_stopAfter >= 0 && m_callCount > m_stopAfter) {
        steps = m_callCount == m_stopAfter + 1 ? m_stopSteps : 0;
        return kProcessAborted;
    }
    for (auto fault = m_faults.begin(); fault != m_faults.end(); ++fault) {
        if ((fault->operation == operation || fault->operation == Operation::Any) && --fault->remaining == 0) {
            const int32_t code = fault->code;
            steps = fault->steps;
            m_faults.erase(fault);
            return code;
        }
    }
    return kSuccess;
}

template <typename... Arguments>
int32_t CDXiMemoryRegistry::BeginCall(Operation operation, const Arguments&... arguments)
{
    int steps = 0;
    return BeginPartialCall(operation, steps, arguments...);
}

int32_t CDXiMemoryRegistry::OpenKey(Key parent, const char* subKey, uint32_t access, Key* key)
{
    if (const int32_t fault = BeginCall(Operation::Open, "Open", Text(subKey), Hex(access))) {
        return fault;
    }
    std::shared_ptr<Node> node;
    if (const int32_t result = FindKey(parent, 0, subKey, node)) {
        return result;
    }
    *key = AddHandle(node, access, subKey);
    return kSuccess;
}

int32_t CDXiMemoryRegistry::EnumKey(Key key, uint32_t index, char* name, uint32_t* nameLength)
{
    if (const int32_t fault = BeginCall(Operation::Enum, "Enum", index)) {
        return fault;
    }
    std::shared_ptr<Node> node;
    if (const int32_t result = Resolve(key, kEnumerateSubKeys, node)) {
        return result;
    }
    const std::string* childName = node->ChildName(index);
    if (!childName) {
        return kNoMoreItems;
    }
    if (childName->size() >= *nameLength) {
        return kMoreData;
    }
    std::memcpy(name, childName->c_str(), childName->size() + 1);
    *nameLength = static_cast<uint32_t>(childName->size());
    return kSuccess;
}

int32_t CDXiMemoryRegistry::QueryValue(Key key, const char* valueName, uint32_t* type, uint8_t* data, uint32_t* size)
{
    if (const int32_t fault = BeginCall(Operation::Query, "Query", Text(valueName))) {
        return fault;
    }
    std::shared_ptr<Node> node;
    if (const int32_t result = Resolve(key, kQueryValue, node)) {
        return result;
    }
    const auto value = node->values.find(valueName ? valueName : "");
    if (value == node->values.end()) {
        return kFileNotFound;
    }
    return ReadValue(value->second, type, data, size);
}

int32_t CDXiMemoryRegistry::CreateKey(Key parent, const char* subKey, Key* key)
{
    if (const int32_t fault = BeginCall(Operation::Create, "Create", Text(subKey))) {
        return fault;
    }
    std::shared_ptr<Node> node;
    if (const int32_t result = Resolve(parent, kCreateSubKey, node)) {
        return result;
    }
    for (const std::string& part : SplitPath(subKey)) {
        node = node->Child(part);
    }
    *key = AddHandle(node, kAllAccess, subKey);
    return kSuccess;
}

int32_t CDXiMemoryRegistry::CloseKey(Key key)
{
    const auto handle = m_handles.find(key);
    const bool known = handle != m_handles.end();
    // Even a failing close lets the handle go, as RegCloseKey does.
    const int32_t fault = BeginCall(Operation::Close, "Close", known ? handle->second.name : "");
    if (!known) {
        return fault ? fault : kInvalidHandle;
    }
    m_handles.erase(handle);
    return fault;
}

int32_t CDXiMemoryRegistry::CopyKey(Key source, const char* subKey, Key destination)
{
    int steps = 0;
    const int32_t fault = BeginPartialCall(Operation::Copy, steps, "Copy", subKey ? subKey : "(null)");
    if (fault && steps == 0) {
        return fault;
    }
    std::shared_ptr<Node> from, to;
    if (const int32_t result = Resolve(source, kQueryValue | kEnumerateSubKeys, from)) {
        return result;
    }
    if (const int32_t result = FindPath(from, subKey, from)) {
        return result;
    }
    if (const int32_t result = Resolve(destination, kSetValue | kCreateSubKey, to)) {
        return result;
    }
    to->CopyContentFrom(*from, steps);
    return fault;
}

int32_t CDXiMemoryRegistry::DeleteKey(Key parent, const char* subKey)
{
    int steps = 0;
    const int32_t fault = BeginPartialCall(Operation::Delete, steps, "Delete", Text(subKey));
    if (fault && steps == 0) {
        return fault;
    }
    std::shared_ptr<Node> node;
    if (const int32_t result = FindKey(parent, 0, subKey, node)) {
        return result;
    }
    if (!node->parent) {
        return kInvalidParameter;
    }
    if (!m_deletionsIgnored && node->DeleteChildren(steps) && TakeStep(steps)) {
        node->deleted = true;
        node->parent->EraseChild(node->PlaceInParent());
    }
    return fault;
}

int32_t CDXiMemoryRegistry::EnumValue(
    Key key, uint32_t index, char* name, uint32_t* nameLength, uint32_t* type, uint8_t* data, uint32_t* size)
{
    if (const int32_t fault = BeginCall(Operation::EnumValue, "EnumValue", index)) {
        return fault;
    }
    std::shared_ptr<Node> node;
    if (const int32_t result = Resolve(key, kQueryValue, node)) {
        return result;
    }
    if (index >= node->values.size()) {
        return kNoMoreItems;
    }
    const auto& [valueName, value] = *std::next(node->values.begin(), index);
    if (valueName.size() >= *nameLength) {
        return kMoreData;
    }
    const int32_t result = ReadValue(value, type, data, size);
    if (result == kSuccess) {
        std::memcpy(name, valueName.c_str(), valueName.size() + 1);
        *nameLength = static_cast<uint32_t>(valueName.size());
    }
    return result;
}

int32_t CDXiMemoryRegistry::RenameKey(Key key, const char* subKey, const char* newName)
{
    if (const int32_t fault = BeginCall(Operation::Rename, "Rename", subKey ? subKey : "(null)", Text(newName))) {
        return fault;
    }
    if (!m_renameSupported) {
        return kCallNotImplemented;
    }
    std::shared_ptr<Node> node;
    if (const int32_t result = FindKey(key, kSetValue | kCreateSubKey, subKey, node)) {
        return result;
    }
    if (!node->parent || node->parent->children.count(newName) != 0) {
        return kAccessDenied;
    }
    node->Rename(newName);
    return kSuccess;
}

bool CDXiMemoryRegistry::GetSystemMessage(int32_t code, CGUIString& text)
{
    const char* message = code == kFileNotFound ? "The system cannot find the file specified.\r\n"
        : code == kAccessDenied                 ? "Access is denied.\r\n"
                                                : nullptr;
    if (message) {
        text.Assign(message);
    }
    return message != nullptr;
}

void CDXiMemoryRegistry::ShowError(const char* text)
{
    m_errorBoxes.emplace_back(text);
}

std::shared_ptr<CDXiMemoryRegistry::Node> CDXiMemoryRegistry::MakePath(const std::string& path)
{
    std::shared_ptr<Node> node = m_root;
    for (const std::string& part : SplitPath(path.c_str())) {
        node = node->Child(part);
    }
    return node;
}

std::shared_ptr<CDXiMemoryRegistry::Node> CDXiMemoryRegistry::FindKey(const std::string& path) const
{
    std::shared_ptr<Node> node;
    return FindPath(m_root, path.c_str(), node) == kSuccess ? node : nullptr;
}

void CDXiMemoryRegistry::SetValue(
    const std::string& path, const std::string& name, uint32_t type, std::vector<uint8_t> data)
{
    MakePath(path)->values[name] = { type, std::move(data) };
}

void CDXiMemoryRegistry::SetString(const std::string& path, const std::string& name, const std::string& text)
{
    SetValue(path, name, kTypeString, std::vector<uint8_t>(text.c_str(), text.c_str() + text.size() + 1));
}

std::vector<std::string> CDXiMemoryRegistry::GetSubKeyNames(const std::string& path) const
{
    std::vector<std::string> names;
    if (const auto node = FindKey(path)) {
        for (const auto& [name, child] : node->children) {
            names.push_back(name);
        }
    }
    return names;
}

std::string CDXiMemoryRegistry::DumpTree(const std::string& path) const
{
    std::ostringstream out;
    if (const auto node = FindKey(path)) {
        node->Dump(out, "");
    }
    return out.str();
}

void CDXiMemoryRegistry::StopAfterCalls(int calls, int steps)
{
    m_stopAfter = m_callCount + calls;
    m_stopSteps = steps;
}

void CDXiMemoryRegistry::Restart()
{
    m_handles.clear();
    m_faults.clear();
    m_stopAfter = -1;
}
