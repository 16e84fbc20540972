#include "CCollectingRegistry.h"
#include "RegistryDump.h"
#include "app/CDXiPluginStore.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <map>
#include <random>
#include <string>
#include <tuple>
#include <vector>

using Names = std::vector<std::string>;

namespace {
// A name and a description in Windows-1252: e acute, Y diaeresis, euro sign, en dash, a grave.
const std::string kAnsiName = "{Cl\xE9mbalo \x9F\x80}";
const std::string kAnsiDescription = "Orgue \x96 \xE0";

// A scratch key of this test process stands in for HKEY_CLASSES_ROOT.
class Win32RegistryTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, m_scratchPath.c_str(), &m_scratch), ERROR_SUCCESS);
        ASSERT_EQ(RegCreateKeyA(m_scratch, "MfxSoftSynths", &m_pluginRoot), ERROR_SUCCESS);
    }
    void TearDown() override
    {
        RegCloseKey(m_pluginRoot);
        RegCloseKey(m_scratch);
        EXPECT_EQ(SHDeleteKeyA(HKEY_CURRENT_USER, m_scratchPath.c_str()), ERROR_SUCCESS);
    }

    const std::string m_scratchPath = "Software\\DXiManagerTests\\" + std::to_string(GetCurrentProcessId());
    HKEY m_scratch = nullptr;
    HKEY m_pluginRoot = nullptr;
};
} // namespace

TEST_F(Win32RegistryTest, ThousandRoundTripsPreserveTheKeyByteForByte)
{
    constexpr int kRoundTrips = 1000;
    ASSERT_TRUE(AddTestInstrument(m_pluginRoot, kAnsiName, kAnsiDescription));
    const std::string content = DumpRegistryKey(m_pluginRoot, kAnsiName);
    ASSERT_NE(content.find("Patch 1"), std::string::npos);
    // Names and descriptions pass as the code page's bytes.
    CCollectingRegistry scanning(m_scratch);
    std::vector<CDXiPlugin> plugins;
    CDXiPluginStore(scanning).ScanPlugins(plugins);
    ASSERT_EQ(plugins.size(), 1u);
    EXPECT_EQ(std::tuple(std::string(plugins[0].GetKeyName().GetText()), plugins[0].GetDisplayName().GetText()),
        std::tuple(kAnsiName, kAnsiDescription));
    // Alone under its parent, a key is renamed soundly by Wine as well.
    for (const auto rename : { CCollectingRegistry::Rename::Forced, CCollectingRegistry::Rename::Missing }) {
        const bool renamed = rename == CCollectingRegistry::Rename::Forced;
        SCOPED_TRACE(renamed ? "by rename" : "by copy");
        CCollectingRegistry registry(m_scratch);
        registry.rename = rename;
        CDXiPlugin plugin(registry, kAnsiName.c_str());
        for (int i = 0; i < kRoundTrips; ++i) {
            plugin.SetMidiEnabled(false);
            plugin.SetMidiEnabled(true);
            ASSERT_EQ(std::tuple(ListSubKeys(m_pluginRoot), DumpRegistryKey(m_pluginRoot, kAnsiName)),
                std::tuple(Names { kAnsiName }, content))
                << "round trip " << i;
        }
        EXPECT_EQ(
            std::tuple(registry.renames, registry.errorBoxes), std::tuple(renamed ? 2 * kRoundTrips : 0, Names {}));
    }
}

TEST_F(Win32RegistryTest, KilledSwitchesLeaveEveryInstrumentWholeOnce)
{
    constexpr int kKills = 200;
    std::map<std::string, std::string> contents;
    for (const std::string& name : { std::string("{Organ}"), std::string("{Bass}"), kAnsiName }) {
        ASSERT_TRUE(AddTestInstrument(m_pluginRoot, name, kAnsiDescription));
        contents[name] = DumpRegistryKey(m_pluginRoot, name);
    }
    char program[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
    ASSERT_TRUE(length > 0 && length < MAX_PATH);
    std::string child(program, length);
    child = child.substr(0, child.find_last_of('\\') + 1) + "store_switch_child.exe";
    const std::string readyName = "DXiManagerTests.Ready." + std::to_string(GetCurrentProcessId());
    const HANDLE ready = CreateEventA(nullptr, FALSE, FALSE, readyName.c_str());
    ASSERT_NE(ready, nullptr);
    std::mt19937 random(20261206);

    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        std::string commandLine = "\"" + child + "\" " + m_scratchPath + " " + readyName;
        STARTUPINFOA startup {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process {};
        // Under a loaded Wine a start now and then fails on its own; the test is about the kill.
        bool started = false;
        for (int attempt = 0; attempt < 3 && !started; ++attempt) {
            started = CreateProcessA(
                child.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
        }
        ASSERT_TRUE(started) << "the child did not start, error " << GetLastError();
        ASSERT_EQ(WaitForSingleObject(ready, 30000), WAIT_OBJECT_0) << "the child never started switching";
        WaitForSingleObject(process.hProcess, random() % 20);
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);

        CCollectingRegistry registry(m_scratch);
        std::vector<CDXiPlugin> plugins;
        CDXiPluginStore(registry).ScanPlugins(plugins);
        const Names keys = ListSubKeys(m_pluginRoot);
        std::map<std::string, std::string> found;
        for (const std::string& key : keys) {
            found.emplace(key.rfind("_Disabled_", 0) == 0 ? key.substr(10) : key, DumpRegistryKey(m_pluginRoot, key));
        }
        ASSERT_EQ(std::tuple(plugins.size(), keys.size(), found, registry.errorBoxes),
            std::tuple(contents.size(), contents.size(), contents, Names {}));
    }
    CloseHandle(ready);
}
