#include "app/CDXiPlugin.h"

#include "app/AppendRegistryError.h"
#include "app/CDXiRegistryKey.h"
#include "app/DXiRegistryCodes.h"

CDXiPlugin::CDXiPlugin(IDXiRegistry& registry, const char* keyName)
    : m_registry(&registry)
    , m_displayName(keyName)
    , m_keyName(keyName)
{
}

bool CDXiPlugin::IsMidiEnabled() const
{
    return m_keyName.IsEmpty() || m_keyName.Find(kDisabledMarker, 0) < 0;
}

bool CDXiPlugin::HasLeadingMarker() const
{
    return m_keyName.Find(kDisabledMarker, 0) == 0;
}

CGUIString CDXiPlugin::GetEnabledKeyName() const
{
    CGUIString name;
    if (IsMidiEnabled()) {
        name = m_keyName;
    } else {
        m_keyName.Substring(kDisabledMarkerLength, m_keyName.GetLength() - 1, name);
    }
    return name;
}

CGUIString CDXiPlugin::GetTargetKeyName(bool enable) const
{
    if (!enable) {
        CGUIString target(kDisabledMarker);
        target.Append(m_keyName);
        return target;
    }
    // Only a marker that a rename put in front can be taken off again.
    if (!HasLeadingMarker()) {
        return m_keyName;
    }
    CGUIString target;
    m_keyName.Substring(kDisabledMarkerLength, m_keyName.GetLength() - 1, target);
    return target;
}

void CDXiPlugin::SetMidiEnabled(bool enable)
{
    if (enable == IsMidiEnabled()) {
        return;
    }
    const CGUIString target = GetTargetKeyName(enable);
    // A key named just "_Disabled_" would be renamed onto the plug-in root
    // itself: the copy and deletes would then work on every instrument.
    if (target.IsEmpty() || target.Equals(m_keyName)) {
        ShowRegistryError(*m_registry, kEditErrorPrefix, CGUIString());
        return;
    }
    if (RenameKey(target)) {
        m_keyName = target;
    }
}

bool CDXiPlugin::RenameKey(const CGUIString& target)
{
    IDXiRegistry& registry = *m_registry;
    CGUIString error;
    CDXiRegistryKey root(registry);
    CDXiRegistryKey key(registry);
    const uint32_t rootAccess = DXiRegistryCodes::kCreateSubKey | DXiRegistryCodes::kEnumerateSubKeys;
    if (!AppendRegistryError(
            registry, error, root.Open(registry.GetClassesRoot(), kPluginRootPath, rootAccess), "HKEY_CLASSES_ROOT")
        || !AppendRegistryError(registry, error,
            key.Open(root.Get(), m_keyName.GetText(), DXiRegistryCodes::kAllAccess), m_keyName.GetText())) {
        key.Close();
        root.Close();
        ShowRegistryError(registry, kEditErrorPrefix, error);
        return false;
    }
    // A key left under the target name by an earlier failed attempt goes first.
    registry.DeleteKey(root.Get(), target.GetText());
    // One rename moves values, sub-keys and security together: whenever it
    // is interrupted, the instrument is whole under one of its two names.
    if (registry.RenameKey(key.Get(), nullptr, target.GetText()) == DXiRegistryCodes::kSuccess) {
        key.Close();
        root.Close();
        return true;
    }
    return CopyThenDeleteKey(root, key, target, error);
}

bool CDXiPlugin::CopyThenDeleteKey(
    CDXiRegistryKey& root, CDXiRegistryKey& key, const CGUIString& target, CGUIString& error)
{
    IDXiRegistry& registry = *m_registry;
    CDXiRegistryKey copy(registry);
    const auto fail = [&] {
        key.Close();
        copy.Close();
        root.Close();
        ShowRegistryError(registry, kEditErrorPrefix, error);
        return false;
    };
    if (!AppendRegistryError(registry, error, copy.Create(root.Get(), target.GetText()), target.GetText())) {
        return fail();
    }
    if (!AppendRegistryError(registry, error, registry.CopyKey(key.Get(), nullptr, copy.Get()), nullptr)) {
        // A partial copy must not survive: beside the whole original it would
        // pass for a duplicate.
        key.Close();
        copy.Close();
        registry.DeleteKey(root.Get(), target.GetText());
        return fail();
    }

    // The copy is complete: only now may the old key go. Should this be
    // interrupted, the scan finds a part beside the whole and keeps the whole.
    key.Close();
    const int32_t deleted = registry.DeleteKey(root.Get(), m_keyName.GetText());
    copy.Close();
    root.Close();
    if (deleted != DXiRegistryCodes::kSuccess) {
        // The instrument is whole under the new name, which the entry follows,
        // but the old key is (at least partly) still there and hosts may still
        // see the instrument as before: that is no success to keep quiet about.
        AppendRegistryError(registry, error, deleted, m_keyName.GetText());
        ShowRegistryError(registry, kEditErrorPrefix, error);
    }
    return true;
}
