#include "app/CDXiPluginStore.h"

#include "app/AppendRegistryError.h"
#include "app/CDXiRegistryKey.h"
#include "app/DXiRegistryCodes.h"
#include "app/FindKeyContainment.h"

#include <cstddef>
#include <string>
#include <unordered_set>

namespace {
constexpr uint32_t kNameBufferSize = 260;
constexpr uint32_t kDescriptionBufferSize = 1024;
} // namespace

void CDXiPluginStore::ScanPlugins(std::vector<CDXiPlugin>& plugins)
{
    // A registry view may report a deletion as done while still listing the
    // key; a rescan that finds no fewer keys ends the loop.
    std::size_t previousCount = SIZE_MAX;
    while (ReadPlugins(plugins) && plugins.size() < previousCount && RemoveDuplicateDisabledKeys(plugins)) {
        previousCount = plugins.size();
    }
}

bool CDXiPluginStore::ReadPlugins(std::vector<CDXiPlugin>& plugins)
{
    std::vector<CDXiPlugin>().swap(plugins);
    CGUIString error;
    CDXiRegistryKey root(m_registry);
    const int32_t opened = root.Open(m_registry.GetClassesRoot(), kPluginRootPath, DXiRegistryCodes::kEnumerateSubKeys);
    AppendRegistryError(m_registry, error, opened, "HKEY_CLASSES_ROOT");
    if (root.IsOpen()) {
        char name[kNameBufferSize];
        for (uint32_t index = 0;; ++index) {
            uint32_t length = kNameBufferSize;
            if (m_registry.EnumKey(root.Get(), index, name, &length) != DXiRegistryCodes::kSuccess) {
                break;
            }
            CDXiPlugin plugin(m_registry, name);
            ReadDescription(root.Get(), plugin);
            plugins.push_back(plugin);
        }
        root.Close();
    }
    if (!AppendRegistryError(m_registry, error, opened, nullptr)) {
        ShowRegistryError(m_registry, kReadErrorPrefix, error);
        return false;
    }
    return true;
}

void CDXiPluginStore::ReadDescription(IDXiRegistry::Key root, CDXiPlugin& plugin)
{
    CDXiRegistryKey key(m_registry);
    if (key.Open(root, plugin.GetKeyName().GetText(), DXiRegistryCodes::kQueryValue) != DXiRegistryCodes::kSuccess) {
        return;
    }
    uint8_t buffer[kDescriptionBufferSize];
    uint32_t type = DXiRegistryCodes::kTypeString;
    uint32_t size = kDescriptionBufferSize;
    // Whatever the value's type, its bytes are shown as text up to the last,
    // which becomes the terminator.
    if (m_registry.QueryValue(key.Get(), "Description", &type, buffer, &size) == DXiRegistryCodes::kSuccess && size > 0
        && size <= kDescriptionBufferSize) {
        buffer[size - 1] = 0;
        plugin.SetDisplayName(reinterpret_cast<const char*>(buffer));
    }
}

bool CDXiPluginStore::RemoveDuplicateDisabledKeys(const std::vector<CDXiPlugin>& plugins)
{
    std::unordered_set<std::string> listed;
    for (const CDXiPlugin& plugin : plugins) {
        listed.insert(plugin.GetKeyName().GetText());
    }

    bool rescan = false;
    for (const CDXiPlugin& plugin : plugins) {
        // Only a marker in front comes from a rename; cutting ten characters
        // off any other name would match an unrelated instrument.
        if (plugin.IsMidiEnabled() || !plugin.HasLeadingMarker()) {
            continue;
        }
        const CGUIString enabledName = plugin.GetEnabledKeyName();
        if (listed.count(enabledName.GetText()) == 0) {
            continue;
        }
        CDXiRegistryKey root(m_registry);
        if (root.Open(m_registry.GetClassesRoot(), kPluginRootPath, DXiRegistryCodes::kAllAccess)
            != DXiRegistryCodes::kSuccess) {
            continue;
        }
        const char* duplicate
            = ChooseDuplicateToDelete(root.Get(), plugin.GetKeyName().GetText(), enabledName.GetText());
        // Any key gone makes the list stale, whatever happens to the others.
        if (duplicate && m_registry.DeleteKey(root.Get(), duplicate) == DXiRegistryCodes::kSuccess) {
            rescan = true;
        }
    }
    return rescan;
}

const char* CDXiPluginStore::ChooseDuplicateToDelete(
    IDXiRegistry::Key root, const char* disabledName, const char* enabledName)
{
    const uint32_t access = DXiRegistryCodes::kQueryValue | DXiRegistryCodes::kEnumerateSubKeys;
    CDXiRegistryKey disabled(m_registry);
    CDXiRegistryKey enabled(m_registry);
    if (disabled.Open(root, disabledName, access) != DXiRegistryCodes::kSuccess
        || enabled.Open(root, enabledName, access) != DXiRegistryCodes::kSuccess) {
        return nullptr;
    }
    // A switch interrupted while it copied, or while it deleted the old key,
    // leaves a part of the instrument under one name and all of it under the
    // other. Deciding by the name alone would delete the complete one.
    const KeyContainment enabledInDisabled = FindKeyContainment(m_registry, disabled.Get(), enabled.Get());
    const KeyContainment disabledInEnabled = FindKeyContainment(m_registry, enabled.Get(), disabled.Get());
    if (enabledInDisabled == KeyContainment::Unreadable || disabledInEnabled == KeyContainment::Unreadable) {
        return nullptr;
    }
    const bool enabledIsRemnant
        = enabledInDisabled == KeyContainment::Contained && disabledInEnabled == KeyContainment::NotContained;
    return enabledIsRemnant ? enabledName : disabledName;
}
