#pragma once

#include "CDXiPlugin.h"
#include "IDXiRegistry.h"

#include <vector>

// Reads the registered instruments from the plug-in root into a list of
// entries, in the registry's enumeration order, and removes disabled keys
// that duplicate an enabled one.
class CDXiPluginStore {
public:
    explicit CDXiPluginStore(IDXiRegistry& registry)
        : m_registry(registry)
    {
    }

    // Rebuilds plugins from the registry. When the root cannot be read the
    // list stays empty and the read error is shown. After duplicates were
    // deleted the list is read again, for as long as that shrinks it.
    void ScanPlugins(std::vector<CDXiPlugin>& plugins);

    // Deletes the key of every disabled entry whose enabled name is also
    // listed. Returns whether the last attempted deletion succeeded, which
    // asks for a new scan.
    bool RemoveDuplicateDisabledKeys(const std::vector<CDXiPlugin>& plugins);

private:
    // One pass over the root; false after the read error was shown.
    bool ReadPlugins(std::vector<CDXiPlugin>& plugins);
    // The "Description" text of the instrument's key, when it has one.
    void ReadDescription(IDXiRegistry::Key root, CDXiPlugin& plugin);

    IDXiRegistry& m_registry;
};
