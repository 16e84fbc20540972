#pragma once

#include "params/IFactory.h"

#include <map>
#include <string>

// The process-wide map from (class identifier, interface identifier) to the
// factory that makes that pair. Identifiers compare byte by byte, case
// included. Every parameter function class of this library is registered
// during static initialisation, in every program that reaches the registry.
// Entries are never removed; the registry does not own the factories.
// Registration is meant for static initialisation only: there is no lock.
class CFactoryRegistry final : public IFactory {
public:
    static CFactoryRegistry& GetInstance();

    // True when the pair was new and is now served by factory; false when it
    // was registered already (the first factory stays) or factory is null.
    [[nodiscard]] bool Register(const char* classId, const char* interfaceId, IFactory* factory);

    void* CreateInstance(const char* classId) override;
    // Null for an unregistered pair; otherwise what its factory makes.
    void* CreateInstance(const char* classId, const char* interfaceId) override;

    CFactoryRegistry(const CFactoryRegistry&) = delete;
    CFactoryRegistry& operator=(const CFactoryRegistry&) = delete;

private:
    CFactoryRegistry() = default;
    static std::string MakeKey(const char* classId, const char* interfaceId);

    std::map<std::string, IFactory*> m_factories;
};
