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
    bool written = true;
    const auto check = [&](LSTATUS status, const char* what) {
        if (status != ERROR_SUCCESS) {
            ADD_FAILURE() << what << " failed with " << status << " for " << keyName;
            written = false;
        }
    };
    const auto setValue = [&](HKEY key, const char* name, DWORD type, const std::vector<BYTE>& data) {
        check(RegSetValueExA(key, name, 0, type, data.data(), static_cast<DWORD>(data.size())),
            name ? name : "(default)");
    };
    const auto setText = [&](HKEY key, const char* name, const std::string& text) {
        setValue(key, name, REG_SZ, std::vector<BYTE>(text.c_str(), text.c_str() + text.size() + 1));
    };

    HKEY root = OpenPluginRoot();
    HKEY key = nullptr;
    check(root ? RegCreateKeyA(root, keyName.c_str(), &key) : ERROR_FILE_NOT_FOUND, "RegCreateKeyA");
    RegCloseKey(root);
    if (!written) {
        return false;
    }
    if (!description.empty()) {
        setText(key, "Description", description);
    }
    setText(key, "HelpFilePath", "C:\\Program Files\\Instruments\\" + description + ".chm");
    setValue(key, "HelpFileTopic", REG_DWORD, { 0x2A, 0, 0, 0 });
    setText(key, nullptr, "default");
    setValue(key, "Path", REG_EXPAND_SZ, { '%', 'P', '%', 0 });
    setValue(key, "Blob", REG_BINARY, { 0, 1, 2, 255, 128 });
    setValue(key, "Big", REG_QWORD, { 1, 2, 3, 4, 5, 6, 7, 8 });
    setValue(key, "List", REG_MULTI_SZ, { 'a', 0, 'b', 'c', 0, 0 });
    setValue(key, "Nothing", REG_NONE, {});
    HKEY child = nullptr;
    check(RegCreateKeyA(key, "Empty", &child), "RegCreateKeyA Empty");
    RegCloseKey(child);
    check(RegCreateKeyA(key, "Programs\\Bank A\\Patch 1", &child), "RegCreateKeyA Programs");
    if (child) {
        setValue(child, "Level", REG_DWORD, { 9, 0, 0, 0 });
        setText(child, "Name", "Pad");
        RegCloseKey(child);
    }
    RegCloseKey(key);
    return written;
}

std::string DumpInstrument(const std::string& keyName)
{
    HKEY root = OpenPluginRoot();
    HKEY key = nullptr;
    const LSTATUS opened = root ? RegOpenKeyExA(root, keyName.c_str(), 0, KEY_READ, &key) : ERROR_FILE_NOT_FOUND;
    RegCloseKey(root);
    if (opened != ERROR_SUCCESS) {
        return "missing";
    }
    const std::string dump = DumpRegistryKey(key);
    RegCloseKey(key);
    return dump;
}

std::vector<std::string> ListInstruments()
{
    std::vector<std::string> names;
    HKEY root = OpenPluginRoot();
    if (!root) {
        return names;
    }
    char name[300];
    DWORD length = sizeof(name);
    for (DWORD index = 0;
         RegEnumKeyExA(root, index, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++index, length = sizeof(name)) {
        names.emplace_back(name, length);
    }
    RegCloseKey(root);
    return names;
}
