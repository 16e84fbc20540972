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

    void AddInstrument(const std::string& name)
    {
        ASSERT_TRUE(AddTestInstrument(m_pluginRoot, name, "Orgue \x96 \xE0"));
    }
    std::string DumpInstrument(const std::string& name) { return DumpRegistryKey(m_pluginRoot, name); }
    std::vector<std::string> InstrumentKeys() { return ListSubKeys(m_pluginRoot); }

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
        // Under a loaded Wine a start now and then fails on its own; the test is about the kill.
        bool started = false;
        for (int attempt = 0; attempt < 3 && !started; ++attempt) {
            started = CreateProcessA(
                child.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
        }
        ASSERT_TRUE(started) << "kill " << kill << ": the child did not start, error " << GetLastError();
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
