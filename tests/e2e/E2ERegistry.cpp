#include "E2ERegistry.h"

#include "RegistryDump.h"

#include <gtest/gtest.h>

#include <shlwapi.h>
#include <windows.h>

namespace {
constexpr const char* kPluginRoot = "MfxSoftSynths";
constexpr const char* kBackupPath = "Software\\DXiManagerEndToEndBackup";

// Under Wine the A functions take sub-key paths of at most 260 characters, so
// instrument keys with long names are reached from the opened root.
HKEY OpenPluginRoot()
{
    HKEY root = nullptr;
    return RegOpenKeyExA(HKEY_CLASSES_ROOT, kPluginRoot, 0, KEY_ALL_ACCESS, &root) == ERROR_SUCCESS ? root : nullptr;
}

// Keeps the prefix's own instruments aside while the tests rewrite the root.
class CPluginRootBackup : public testing::Environment {
public:
    void SetUp() override
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, kBackupPath);
        HKEY root = nullptr;
        m_hadRoot = RegOpenKeyExA(HKEY_CLASSES_ROOT, kPluginRoot, 0, KEY_READ, &root) == ERROR_SUCCESS;
        if (!m_hadRoot) {
            return;
        }
        HKEY backup = nullptr;
        ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, kBackupPath, &backup), ERROR_SUCCESS);
        EXPECT_EQ(SHCopyKeyA(root, nullptr, backup, 0), ERROR_SUCCESS);
        RegCloseKey(backup);
        RegCloseKey(root);
    }
    void TearDown() override
    {
        EXPECT_TRUE(DeletePluginRoot());
        if (!m_hadRoot) {
            return;
        }
        HKEY backup = nullptr;
        HKEY root = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kBackupPath, 0, KEY_READ, &backup), ERROR_SUCCESS);
        ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, kPluginRoot, &root), ERROR_SUCCESS);
        EXPECT_EQ(SHCopyKeyA(backup, nullptr, root, 0), ERROR_SUCCESS);
        RegCloseKey(root);
        RegCloseKey(backup);
        EXPECT_EQ(SHDeleteKeyA(HKEY_CURRENT_USER, kBackupPath), ERROR_SUCCESS);
    }

private:
    bool m_hadRoot = false;
};

testing::Environment* const gPluginRootBackup = testing::AddGlobalTestEnvironment(new CPluginRootBackup);
} // namespace

bool DeletePluginRoot()
{
    const LSTATUS deleted = SHDeleteKeyA(HKEY_CLASSES_ROOT, kPluginRoot);
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

bool ResetPluginRoot()
{
    HKEY root = nullptr;
    if (!DeletePluginRoot() || RegCreateKeyA(HKEY_CLASSES_ROOT, kPluginRoot, &root) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(root);
    return true;
}

bool AddInstrument(const std::string& keyName, const std::string& description)
{
    const HKEY root = OpenPluginRoot();
    const bool added = root && AddTestInstrument(root, keyName, description);
    RegCloseKey(root);
    return added;
}

std::string DumpInstrument(const std::string& keyName)
{
    const HKEY root = OpenPluginRoot();
    const std::string dump = DumpRegistryKey(root, keyName);
    RegCloseKey(root);
    return dump;
}

std::vector<std::string> ListInstruments()
{
    const HKEY root = OpenPluginRoot();
    std::vector<std::string> names = ListSubKeys(root);
    RegCloseKey(root);
    return names;
}
