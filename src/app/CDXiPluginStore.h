#pragma once

#include "app/CDXiPlugin.h"
#include "app/IDXiRegistry.h"

#include <vector>

// Reads the registered instruments from the plug-in root into a list of
// entries, in the registry's enumeration order, and removes one key of every
// instrument registered under both names.
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

    // For every disabled entry whose enabled name is also listed, deletes the
    // remnant of an interrupted switch when one key is a strict part of the
    // other (the complete registration stays, whichever its name), else the
    // disabled key; nothing when their content cannot be read. Returns
    // whether any deletion succeeded, which asks for a new scan.
    bool RemoveDuplicateDisabledKeys(const std::vector<CDXiPlugin>& plugins);

private:
    // One pass over the root; false after the read error was shown.
    bool ReadPlugins(std::vector<CDXiPlugin>& plugins);
    // The "Description" text of the instrument's key, when it has one.
    void ReadDescription(IDXiRegistry::Key root, CDXiPlugin& plugin);
    // Which of the two keys under root to delete; null to keep both.
    const char* ChooseDuplicateToDelete(IDXiRegistry::Key root, const char* disabledName, const char* enabledName);

    IDXiRegistry& m_registry;
};
