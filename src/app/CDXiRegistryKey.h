#pragma once

#include "app/IDXiRegistry.h"

// Owns one open registry key and closes it exactly once: explicitly, where
// the order of closing matters, or when it goes out of scope.
class CDXiRegistryKey {
public:
    explicit CDXiRegistryKey(IDXiRegistry& registry)
        : m_registry(registry)
    {
    }
    CDXiRegistryKey(const CDXiRegistryKey&) = delete;
    CDXiRegistryKey& operator=(const CDXiRegistryKey&) = delete;
    ~CDXiRegistryKey() { Close(); }

    // Both keep the key only on success and return the registry's result.
    [[nodiscard]] int32_t Open(IDXiRegistry::Key parent, const char* subKey, uint32_t access);
    [[nodiscard]] int32_t Create(IDXiRegistry::Key parent, const char* subKey);
    void Close();

    IDXiRegistry::Key Get() const { return m_key; }
    bool IsOpen() const { return m_key != nullptr; }

private:
    IDXiRegistry& m_registry;
    IDXiRegistry::Key m_key = nullptr;
};
