#include "app/CDXiRegistryKey.h"

#include "app/DXiRegistryCodes.h"

int32_t CDXiRegistryKey::Open(IDXiRegistry::Key parent, const char* subKey, uint32_t access)
{
    Close();
    IDXiRegistry::Key key = nullptr;
    const int32_t result = m_registry.OpenKey(parent, subKey, access, &key);
    if (result == DXiRegistryCodes::kSuccess) {
        m_key = key;
    }
    return result;
}

int32_t CDXiRegistryKey::Create(IDXiRegistry::Key parent, const char* subKey)
{
    Close();
    IDXiRegistry::Key key = nullptr;
    const int32_t result = m_registry.CreateKey(parent, subKey, &key);
    if (result == DXiRegistryCodes::kSuccess) {
        m_key = key;
    }
    return result;
}

void CDXiRegistryKey::Close()
{
    if (m_key) {
        m_registry.CloseKey(m_key);
        m_key = nullptr;
    }
}
