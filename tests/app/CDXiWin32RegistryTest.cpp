#include "CCollectingRegistry.h"
#include "RegistryDump.h"
#include "app/CDXiPluginStore.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {
// A name and a description in Windows-1252: e acute, Y diaeresis, euro sign,
// en dash, a grave.
const std::string kAnsiName = "{Cl\xE9mbalo \x9F\x80}";

class Win32RegistryTest : public testing::Test {
protected:
    // A scratch key of this test process stands in for HKEY_CLASSES_ROOT.
    void SetUp() override
    {
        m_scratchPath = "Software\\DXiManagerTests\\" + std::to_string(GetCurrentProcessId());
        ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, m_scratchPath.c_str(), &m_scratch), ERROR_SUCCESS);
        ASSERT_EQ(RegCreateKeyA(m_scratch, "MfxSoftSynths", &m_pluginRoot), ERROR_SUCCESS);
    }
    void TearDown() override
    {
        RegCloseKey(m_pluginRoot);
        RegCloseKey(m_scratch);
        EXPECT_EQ(SHDeleteKeyA(HKEY_CURRENT_USER, m_scratchPath.c_str()), ERROR_SUCCESS);
    }

    HKEY CreateKey(HKEY parent, const std::string& path)
    {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyA(parent, path.c_str(), &key), ERROR_SUCCESS);
        return key;
    }
    void SetValue(HKEY key, const char* name, DWORD type, const std::vector<BYTE>& data)
    {
        EXPECT_EQ(RegSetValueExA(key, name, 0, type, data.data(), static_cast<DWORD>(data.size())), ERROR_SUCCESS);
    }
    // An instrument with values of every type and three levels of sub-keys.
    void AddInstrument(const std::string& name)
    {
        HKEY key = CreateKey(m_pluginRoot, name);
        SetValue(key, "Description", REG_SZ, { 'O', 'r', 'g', 'u', 'e', ' ', 0x96, ' ', 0xE0, 0 });
        SetValue(key, "HelpFilePath", REG_SZ, { 0 });
        SetValue(key, nullptr, REG_SZ, { 'd', 'e', 'f', 0 });
        SetValue(key, "Path", REG_EXPAND_SZ, { '%', 'X', '%', 0 });
        SetValue(key, "Blob", REG_BINARY, { 0, 1, 2, 255, 128 });
        SetValue(key, "Flags", REG_DWORD, { 4, 3, 2, 1 });
        SetValue(key, "Big", REG_QWORD, { 1, 2, 3, 4, 5, 6, 7, 8 });
        SetValue(key, "List", REG_MULTI_SZ, { 'a', 0, 'b', 'c', 0, 0 });
        SetValue(key, "Nothing", REG_NONE, {});
        HKEY deep = CreateKey(key, "Programs\\Bank A\\Patch 1");
        SetValue(deep, "Level", REG_DWORD, { 9, 0, 0, 0 });
        RegCloseKey(deep);
        RegCloseKey(CreateKey(key, "Empty"));
        RegCloseKey(key);
    }
    std::string DumpInstrument(const std::string& name)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(m_pluginRoot, name.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return "missing";
        }
        const std::string dump = DumpRegistryKey(key);
        RegCloseKey(key);
        return dump;
    }
    std::vector<std::string> InstrumentKeys()
    {
        std::vector<std::string> names;
        char name[300];
        DWORD length = sizeof(name);
        for (DWORD index = 0;
             RegEnumKeyExA(m_pluginRoot, index, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
             ++index, length = sizeof(name)) {
            names.emplace_back(name);
        }
        return names;
    }

    std::string m_scratchPath;
    HKEY m_scratch = nullptr;
    HKEY m_pluginRoot = nullptr;
};
} // namespace

TEST_F(Win32RegistryTest, ThousandRoundTripsPreserveTheKeyByteForByte)
{
    constexpr int kRoundTrips = 1000;
    AddInstrument(kAnsiName);
    const std::string content = DumpInstrument(kAnsiName);
    ASSERT_NE(content.find("Patch 1"), std::string::npos);
    {
        // Names and descriptions pass as the code page's bytes.
        CCollectingRegistry registry(m_scratch);
        std::vector<CDXiPlugin> plugins;
        CDXiPluginStore(registry).ScanPlugins(plugins);
        ASSERT_EQ(plugins.size(), 1u);
        EXPECT_EQ(plugins[0].GetKeyName().GetText(), kAnsiName);
        EXPECT_STREQ(plugins[0].GetDisplayName().GetText(), "Orgue \x96 \xE0");
    }
    // Alone under its parent, a key is renamed soundly by Wine as well.
    for (const auto rename : { CCollectingRegistry::Rename::Forced, CCollectingRegistry::Rename::Missing }) {
        const bool renamed = rename == CCollectingRegistry::Rename::Forced;
        SCOPED_TRACE(renamed ? "by rename" : "by copy");
        CCollectingRegistry registry(m_scratch, rename);
        CDXiPlugin plugin(registry, kAnsiName.c_str());
        for (int i = 0; i < kRoundTrips; ++i) {
            plugin.SetMidiEnabled(false);
            plugin.SetMidiEnabled(true);
            ASSERT_EQ(InstrumentKeys(), std::vector<std::string> { kAnsiName }) << "round trip " << i;
            ASSERT_EQ(DumpInstrument(kAnsiName), content) << "round trip " << i;
        }
        EXPECT_EQ(registry.renames, renamed ? 2 * kRoundTrips : 0);
        EXPECT_TRUE(registry.errorBoxes.empty());
    }
}

TEST_F(Win32RegistryTest, KilledSwitchesLeaveEveryInstrumentWholeOnce)
{
    constexpr int kKills = 200;
    std::map<std::string, std::string> contents;
    for (const std::string& name : { std::string("{Organ}"), std::string("{Bass}"), kAnsiName }) {
        AddInstrument(name);
        contents[name] = DumpInstrument(name);
    }
    char program[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
    ASSERT_TRUE(length > 0 && length < MAX_PATH);
    std::string child(program, length);
    child = child.substr(0, child.find_last_of('\\') + 1) + "store_switch_child.exe";
    const std::string readyName = "DXiManagerTests.Ready." + std::to_string(GetCurrentProcessId());
    const HANDLE ready = CreateEventA(nullptr, FALSE, FALSE, readyName.c_str());
    ASSERT_NE(ready, nullptr);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::mt19937 random(20261206);

    for (int kill = 0; kill < kKills; ++kill) {
        std::string commandLine = "\"" + child + "\" " + m_scratchPath + " " + readyName;
        STARTUPINFOA startup {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process {};
        ASSERT_TRUE(CreateProcessA(
            child.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
        ASSERT_EQ(WaitForSingleObject(ready, 30000), WAIT_OBJECT_0) << "the child never started switching";
        LARGE_INTEGER start, now;
        QueryPerformanceCounter(&start);
        const LONGLONG wait = frequency.QuadPart * static_cast<LONGLONG>(random() % 20000) / 1000000;
        do {
            QueryPerformanceCounter(&now);
        } while (now.QuadPart - start.QuadPart < wait);
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);

        CCollectingRegistry registry(m_scratch);
        std::vector<CDXiPlugin> plugins;
        CDXiPluginStore(registry).ScanPlugins(plugins);
        EXPECT_EQ(plugins.size(), contents.size()) << "kill " << kill;
        std::set<std::string> found;
        for (const std::string& key : InstrumentKeys()) {
            const std::string name = key.rfind("_Disabled_", 0) == 0 ? key.substr(10) : key;
            ASSERT_TRUE(found.insert(name).second) << "kill " << kill << ": registered twice: " << name;
            ASSERT_EQ(DumpInstrument(key), contents[name]) << "kill " << kill << ": " << key;
        }
        ASSERT_EQ(found.size(), contents.size()) << "kill " << kill;
        EXPECT_TRUE(registry.errorBoxes.empty());
    }
    CloseHandle(ready);
}
