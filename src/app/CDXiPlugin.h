#pragma once

#include "app/IDXiMidiEnabledValue.h"
#include "app/IDXiRegistry.h"
#include "foundation/CGUINotifier.h"
#include "foundation/CGUIString.h"

class CDXiRegistryKey;

// One registered instrument: a sub-key of the plug-in root. Its MIDI
// capability is off while the key name contains "_Disabled_"; switching
// renames the key in the registry: in one step where the registry can, else
// by a copy followed by the deletion of the old key.
class CDXiPlugin : public IDXiMidiEnabledEditor {
public:
    static constexpr const char* kDisabledMarker = "_Disabled_";
    static constexpr int32_t kDisabledMarkerLength = 10;

    // Key name and display name both start as keyName. The registry must
    // outlive the entry and its copies.
    CDXiPlugin(IDXiRegistry& registry, const char* keyName);
    CDXiPlugin(const CDXiPlugin& other) = default;
    CDXiPlugin& operator=(const CDXiPlugin& other) = default;

    // True unless the key name contains the marker (case-sensitive, anywhere).
    bool IsMidiEnabled() const override;
    // The store itself never fires it.
    CGUINotifier& GetChangeNotifier() override { return m_changeNotifier; }
    // Renames the key: to "_Disabled_" + name when switching off, to the name
    // without a leading marker when switching on. Same state: nothing happens.
    // Failures are shown in an error box and leave the entry unchanged.
    void SetMidiEnabled(bool enable) override;

    // The key name without its first ten characters when disabled, else the
    // key name itself.
    CGUIString GetEnabledKeyName() const;
    // True when the name starts with the marker, i.e. a rename made it.
    bool HasLeadingMarker() const;

    const CGUIString& GetKeyName() const { return m_keyName; }
    const CGUIString& GetDisplayName() const { return m_displayName; }
    void SetDisplayName(const char* text) { m_displayName.Assign(text); }

private:
    // The name the key gets by switching; empty when it cannot be switched.
    CGUIString GetTargetKeyName(bool enable) const;
    // Renames the key to target. True when the whole instrument now lives
    // under target; every failure shows an error box.
    bool RenameKey(const CGUIString& target);
    // Where the registry cannot rename: copies the open key to target under
    // root, then deletes the old one. Closes every key it is given.
    bool CopyThenDeleteKey(CDXiRegistryKey& root, CDXiRegistryKey& key, const CGUIString& target, CGUIString& error);

    CGUINotifier m_changeNotifier;
    IDXiRegistry* m_registry;
    CGUIString m_displayName;
    CGUIString m_keyName;
};
