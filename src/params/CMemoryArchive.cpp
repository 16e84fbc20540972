#include "params/CMemoryArchive.h"

#include "params/IPersistentObject.h"

#include <cstring>

namespace {
// Runs body with current pointing at group, one level deeper, and restores
// both afterwards.
template <class Group, class Body> bool Descend(Group*& current, int& depth, Group* group, Body body)
{
    Group* const outer = current;
    current = group;
    ++depth;
    const bool ok = body();
    --depth;
    current = outer;
    return ok;
}
} // namespace

template <class T> bool CMemoryArchive::WriteScalar(const char* name, const T* value)
{
    if (!name || !value) {
        return false;
    }
    m_writeGroup->Set(name, *value);
    return true;
}

template <class T> bool CMemoryArchive::ReadScalar(const char* name, T* value) const
{
    if (!name || !value) {
        return false;
    }
    const CArchiveGroup::Value* stored = m_readGroup->Find(name);
    const T* typed = stored ? std::get_if<T>(stored) : nullptr;
    if (!typed) {
        return false;
    }
    *value = *typed;
    return true;
}

bool CMemoryArchive::WriteObject(const char* name, ISaveable* object)
{
    if (!name || !object || m_depth >= s_maxDepth) {
        return false;
    }
    CArchiveGroup::Value& value = m_writeGroup->Set(name, std::make_unique<CArchiveGroup>());
    CArchiveGroup* group = std::get<std::unique_ptr<CArchiveGroup>>(value).get();
    return Descend(m_writeGroup, m_depth, group, [&] { return object->Save(*this); });
}

bool CMemoryArchive::WriteBytes(const char* name, const void* data, int32_t size)
{
    if (!name || size < 0 || (!data && size > 0)) {
        return false;
    }
    const char* bytes = static_cast<const char*>(data);
    m_writeGroup->Set(name, CArchiveGroup::Bytes(bytes, bytes + size));
    return true;
}

bool CMemoryArchive::WriteString(const char* name, const char* text)
{
    if (!name || !text) {
        return false;
    }
    m_writeGroup->Set(name, std::string(text));
    return true;
}

bool CMemoryArchive::WriteDouble(const char* name, const double* value)
{
    return WriteScalar(name, value);
}

bool CMemoryArchive::WriteFloat(const char* name, const float* value)
{
    return WriteScalar(name, value);
}

bool CMemoryArchive::WriteInt(const char* name, const int32_t* value)
{
    return WriteScalar(name, value);
}

bool CMemoryArchive::WriteBool(const char* name, const bool* value)
{
    return WriteScalar(name, value);
}

bool CMemoryArchive::ReadObject(const char* name, ILoadable* object)
{
    if (!name || !object) {
        return false;
    }
    const CArchiveGroup* group = m_readGroup->FindGroup(name);
    if (!group || m_depth >= s_maxDepth) {
        return false;
    }
    return Descend(m_readGroup, m_depth, group, [&] { return object->Load(*this); });
}

bool CMemoryArchive::ReadBytes(const char* name, char** data, int32_t* size)
{
    if (!name || !data || !size) {
        return false;
    }
    const CArchiveGroup::Value* stored = m_readGroup->Find(name);
    const auto* bytes = stored ? std::get_if<CArchiveGroup::Bytes>(stored) : nullptr;
    if (!bytes) {
        return false;
    }
    char* copy = nullptr;
    if (!bytes->empty()) {
        copy = new char[bytes->size()];
        std::memcpy(copy, bytes->data(), bytes->size());
    }
    *data = copy;
    *size = static_cast<int32_t>(bytes->size());
    return true;
}

bool CMemoryArchive::ReadString(const char* name, char** text)
{
    if (!name || !text) {
        return false;
    }
    const CArchiveGroup::Value* stored = m_readGroup->Find(name);
    const auto* string = stored ? std::get_if<std::string>(stored) : nullptr;
    if (!string) {
        return false;
    }
    char* copy = new char[string->size() + 1];
    std::memcpy(copy, string->c_str(), string->size() + 1);
    *text = copy;
    return true;
}

bool CMemoryArchive::ReadDouble(const char* name, double* value)
{
    return ReadScalar(name, value);
}

bool CMemoryArchive::ReadFloat(const char* name, float* value)
{
    return ReadScalar(name, value);
}

bool CMemoryArchive::ReadInt(const char* name, int32_t* value)
{
    return ReadScalar(name, value);
}

bool CMemoryArchive::ReadBool(const char* name, bool* value)
{
    return ReadScalar(name, value);
}
