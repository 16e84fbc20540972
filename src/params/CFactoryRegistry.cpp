#include "params/CFactoryRegistry.h"

std::string CFactoryRegistry::MakeKey(const char* classId, const char* interfaceId)
{
    std::string key(classId);
    key += '-';
    key += interfaceId;
    return key;
}

bool CFactoryRegistry::Register(const char* classId, const char* interfaceId, IFactory* factory)
{
    if (!classId || !interfaceId || !factory) {
        return false;
    }
    return m_factories.emplace(MakeKey(classId, interfaceId), factory).second;
}

void* CFactoryRegistry::CreateInstance(const char* classId)
{
    return CreateInstance(classId, classId);
}

void* CFactoryRegistry::CreateInstance(const char* classId, const char* interfaceId)
{
    if (!classId || !interfaceId) {
        return nullptr;
    }
    const auto found = m_factories.find(MakeKey(classId, interfaceId));
    return found == m_factories.end() ? nullptr : found->second->CreateInstance(classId, interfaceId);
}
