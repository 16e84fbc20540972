#include "runtime/CGUIWindowClassRegistry.h"
#include "runtime/GUIModule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

namespace {
WNDCLASSA Describe(const char* name)
{
    WNDCLASSA description {};
    description.lpfnWndProc = DefWindowProcA;
    description.hInstance = GetModuleInstance();
    description.lpszClassName = name;
    return description;
}
} // namespace

TEST(CGUIWindowClassRegistry, RegistersEachTextNameOnceAmongConcurrentCallersAndNoForeignClass)
{
    CGUIWindowClassRegistry& registry = CGUIWindowClassRegistry::GetInstance();
    const int32_t before = registry.GetCount();
    std::vector<std::thread> threads;
    std::vector<int> results(8, 0);
    for (size_t t = 0; t < results.size(); ++t) {
        threads.emplace_back([&, t] { results[t] = registry.RegisterClass(Describe("RegistryRace")) ? 1 : 0; });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(std::count(results.begin(), results.end(), 1), 1);
    // Class names compare without case, natively and in the registry.
    EXPECT_FALSE(registry.RegisterClass(Describe("REGISTRYRACE")));
    EXPECT_TRUE(registry.IsRegistered("REGISTRYRACE"));
    WNDCLASSA found {};
    EXPECT_TRUE(GetClassInfoA(GetModuleInstance(), "RegistryRace", &found));

    EXPECT_FALSE(registry.RegisterClass(Describe(nullptr)));
    EXPECT_FALSE(registry.RegisterClass(Describe(MAKEINTATOM(0xC123))));
    EXPECT_FALSE(registry.IsRegistered(nullptr));
    const WNDCLASSA foreign = Describe("RegistryForeign");
    ASSERT_NE(RegisterClassA(&foreign), 0);
    EXPECT_FALSE(registry.RegisterClass(foreign));
    EXPECT_FALSE(registry.IsRegistered("RegistryForeign"));
    EXPECT_EQ(registry.GetCount(), before + 1);
    EXPECT_TRUE(UnregisterClassA("RegistryForeign", GetModuleInstance()));
}

// The helper program registers classes through the registry, lets the process
// end normally and checks, after the registry is gone, that exactly the
// registry's classes were unregistered; its exit code is the number of faults.
TEST(CGUIWindowClassRegistry, UnregistersItsClassesAtProcessExit)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string command(path);
    command = "\"" + command.substr(0, command.find_last_of("\\/") + 1) + "runtime_exit_helper.exe\"";
    STARTUPINFOA startup {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process {};
    ASSERT_TRUE(
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        << "cannot start " << command;
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    DWORD exitCode = 0xFFFFFFFF;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(exitCode, 0u);
}
