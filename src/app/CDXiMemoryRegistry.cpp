#include "CDXiMemoryRegistry.h"

#include "DXiRegistryCodes.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <sstream>

using namespace DXiRegistryCodes;

namespace {
constexpr std::size_t kMaxKeyNameLength = 255;

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
    std::map<std::string, std::shared_ptr<Node>, CaseLess> children;
    bool deleted = false;
    // Enumeration by index walks the map once per change, not once per call.
    std::vector<const std::string*> childOrder;
    bool childOrderValid = false;

    std::shared_ptr<Node>& Child(const std::string& childName)
    {
        auto& child = children[childName];
        if (!child) {
            child = std::make_shared<Node>();
            childOrderValid = false;
        }
        return child;
    }
    void EraseChild(std::map<std::string, std::shared_ptr<Node>, CaseLess>::iterator child)
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

    void MarkDeleted()
    {
        deleted = true;
        for (auto& [name, child] : children) {
            child->MarkDeleted();
        }
    }
    void CopyContentFrom(const Node& source, bool valuesOnly)
    {
        for (const auto& [valueName, value] : source.values) {
            values[valueName] = value;
        }
        if (valuesOnly) {
            return;
        }
        for (const auto& [childName, child] : source.children) {
            Child(childName)->CopyContentFrom(*child, false);
        }
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

IDXiRegistry::Key CDXiMemoryRegistry::AddHandle(std::shared_ptr<Node> node, uint32_t access)
{
    const Key key = reinterpret_cast<Key>(m_nextHandle);
    m_nextHandle += 4;
    m_handles[key] = { std::move(node), access };
    return key;
}

int32_t CDXiMemoryRegistry::TakeFault(Operation operation)
{
    for (auto fault = m_faults.begin(); fault != m_faults.end(); ++fault) {
        if (fault->operation == operation && --fault->remaining == 0) {
            const int32_t code = fault->code;
            m_faults.erase(fault);
            return code;
        }
    }
    return kSuccess;
}

void CDXiMemoryRegistry::Record(const std::string& call)
{
    if (m_recording) {
        m_calls.push_back(call);
    }
}

int32_t CDXiMemoryRegistry::OpenKey(Key parent, const char* subKey, uint32_t access, Key* key)
{
    Record(std::string("Open ") + (subKey ? subKey : "") + " " + std::to_string(access));
    if (const int32_t fault = TakeFault(Operation::Open)) {
        return fault;
    }
    std::shared_ptr<Node> from, node;
    if (const int32_t result = Resolve(parent, 0, from)) {
        return result;
    }
    if (const int32_t result = FindPath(from, subKey, node)) {
        return result;
    }
    *key = AddHandle(node, access);
    return kSuccess;
}

int32_t CDXiMemoryRegistry::EnumKey(Key key, uint32_t index, char* name, uint32_t* nameLength)
{
    Record("Enum " + std::to_string(index));
    if (const int32_t fault = TakeFault(Operation::Enum)) {
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
    Record(std::string("Query ") + (valueName ? valueName : ""));
    if (const int32_t fault = TakeFault(Operation::Query)) {
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
    const auto stored = static_cast<uint32_t>(value->second.data.size());
    *type = value->second.type;
    if (data && stored > *size) {
        *size = stored;
        return kMoreData;
    }
    if (data && stored > 0) {
        std::memcpy(data, value->second.data.data(), stored);
    }
    *size = stored;
    return kSuccess;
}

int32_t CDXiMemoryRegistry::CreateKey(Key parent, const char* subKey, Key* key)
{
    Record(std::string("Create ") + (subKey ? subKey : ""));
    if (const int32_t fault = TakeFault(Operation::Create)) {
        return fault;
    }
    std::shared_ptr<Node> node;
    if (const int32_t result = Resolve(parent, kCreateSubKey, node)) {
        return result;
    }
    const std::vector<std::string> parts = SplitPath(subKey);
    for (const std::string& part : parts) {
        if (part.empty() || part.size() > kMaxKeyNameLength) {
            return kInvalidParameter;
        }
    }
    for (const std::string& part : parts) {
        node = node->Child(part);
    }
    *key = AddHandle(node, kAllAccess);
    return kSuccess;
}

int32_t CDXiMemoryRegistry::CloseKey(Key key)
{
    Record("Close");
    if (const int32_t fault = TakeFault(Operation::Close)) {
        return fault;
    }
    return m_handles.erase(key) == 1 ? kSuccess : kInvalidHandle;
}

int32_t CDXiMemoryRegistry::CopyKey(Key source, const char* subKey, Key destination)
{
    Record(std::string("Copy ") + (subKey ? subKey : "(null)"));
    const int32_t fault = TakeFault(Operation::Copy);
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
    to->CopyContentFrom(*from, fault != kSuccess);
    return fault;
}

int32_t CDXiMemoryRegistry::DeleteKey(Key parent, const char* subKey)
{
    Record(std::string("Delete ") + (subKey ? subKey : ""));
    if (const int32_t fault = TakeFault(Operation::Delete)) {
        return fault;
    }
    std::shared_ptr<Node> from, node;
    if (const int32_t result = Resolve(parent, 0, from)) {
        return result;
    }
    std::vector<std::string> parts = SplitPath(subKey);
    if (parts.empty()) {
        return kInvalidParameter;
    }
    const std::string last = parts.back();
    parts.pop_back();
    for (const std::string& part : parts) {
        const auto child = from->children.find(part);
        if (child == from->children.end()) {
            return kFileNotFound;
        }
        from = child->second;
    }
    const auto child = from->children.find(last);
    if (child == from->children.end()) {
        return kFileNotFound;
    }
    if (!m_deletionsIgnored) {
        child->second->MarkDeleted();
        from->EraseChild(child);
    }
    return kSuccess;
}

bool CDXiMemoryRegistry::GetSystemMessage(int32_t code, CGUIString& text)
{
    static const std::map<int32_t, const char*> messages = {
        { kFileNotFound, "The system cannot find the file specified.\r\n" },
        { kAccessDenied, "Access is denied.\r\n" },
        { kInvalidHandle, "The handle is invalid.\r\n" },
        { kInvalidParameter, "The parameter is incorrect.\r\n" },
        { kMoreData, "More data is available.\r\n" },
        { kKeyDeleted, "Illegal operation attempted on a registry key that has been marked for deletion.\r\n" },
    };
    const auto message = messages.find(code);
    if (message == messages.end()) {
        return false;
    }
    text.Assign(message->second);
    return true;
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

void CDXiMemoryRegistry::AddKey(const std::string& path)
{
    MakePath(path);
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

bool CDXiMemoryRegistry::HasKey(const std::string& path) const
{
    return FindKey(path) != nullptr;
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

void CDXiMemoryRegistry::FailCall(Operation operation, int nth, int32_t code)
{
    m_faults.push_back({ operation, nth, code });
}
