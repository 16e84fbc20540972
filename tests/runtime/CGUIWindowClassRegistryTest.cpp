#include "runtime/CGUIWindowClassRegistry.h"
#include "runtime/GUIModule.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {
std::string UniqueClassName(const char* stem)
{
    static int counter = 0;
    return std::string(stem) + "_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
}

WNDCLASSA Describe(const char* name)
{
    WNDCLASSA description {};
    description.lpfnWndProc = DefWindowProcA;
    description.hInstance = GetModuleInstance();
    description.lpszClassName = name;
    return description;
}

std::string DirectoryOfThisProgram()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path);
    return text.substr(0, text.find_last_of("\\/") + 1);
}
} // namespace

TEST(CGUIWindowClassRegistry, SecondRegistrationOfANameIsRefusedAndKeepsOneEntry)
{
    CGUIWindowClassRegistry& registry = CGUIWindowClassRegistry::GetInstance();
    const std::string name = UniqueClassName("RegistryTwice");
    const int32_t before = registry.GetCount();

    EXPECT_TRUE(registry.RegisterClass(Describe(name.c_str())));
    EXPECT_TRUE(registry.IsRegistered(name.c_str()));
    EXPECT_EQ(registry.GetCount(), before + 1);

    EXPECT_FALSE(registry.RegisterClass(Describe(name.c_str())));
    // Class names compare without case, natively and in the registry.
    std::string upper = name;
    for (char& c : upper) {
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    }
    EXPECT_FALSE(registry.RegisterClass(Describe(upper.c_str())));
    EXPECT_TRUE(registry.IsRegistered(upper.c_str()));
    EXPECT_EQ(registry.GetCount(), before + 1);

    WNDCLASSA found {};
    EXPECT_TRUE(GetClassInfoA(GetModuleInstance(), name.c_str(), &found));
}

TEST(CGUIWindowClassRegistry, RefusesClassesWithoutATextName)
{
    CGUIWindowClassRegistry& registry = CGUIWindowClassRegistry::GetInstance();
    const int32_t before = registry.GetCount();
    EXPECT_FALSE(registry.RegisterClass(Describe(nullptr)));
    EXPECT_FALSE(registry.RegisterClass(Describe(MAKEINTATOM(0xC123))));
    EXPECT_FALSE(registry.IsRegistered(nullptr));
    EXPECT_EQ(registry.GetCount(), before);
}

TEST(CGUIWindowClassRegistry, AClassThatExistedBeforeIsNotTakenOver)
{
    CGUIWindowClassRegistry& registry = CGUIWindowClassRegistry::GetInstance();
    const std::string name = UniqueClassName("RegistryForeign");
    const WNDCLASSA description = Describe(name.c_str());
    ASSERT_NE(RegisterClassA(&description), 0);
    EXPECT_FALSE(registry.RegisterClass(description));
    EXPECT_FALSE(registry.IsRegistered(name.c_str()));
    EXPECT_TRUE(UnregisterClassA(name.c_str(), GetModuleInstance()));
}

TEST(CGUIWindowClassRegistry, ConcurrentRegistrationsOfOneNameLeaveOneEntry)
{
    CGUIWindowClassRegistry& registry = CGUIWindowClassRegistry::GetInstance();
    const std::string name = UniqueClassName("RegistryRace");
    const int32_t before = registry.GetCount();
    std::vector<std::thread> threads;
    std::vector<int> results(8, 0);
    for (size_t t = 0; t < results.size(); ++t) {
        threads.emplace_back([&, t] { results[t] = registry.RegisterClass(Describe(name.c_str())) ? 1 : 0; });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    int successes = 0;
    for (int result : results) {
        successes += result;
    }
    EXPECT_EQ(successes, 1);
    EXPECT_EQ(registry.GetCount(), before + 1);
}

// The helper program registers classes through the registry, lets the process
// end normally and checks, after the registry is gone, that exactly the
// registry's classes were unregistered; its exit code is the number of faults.
TEST(CGUIWindowClassRegistry, UnregistersItsClassesAtProcessExit)
{
    std::string command = "\"" + DirectoryOfThisProgram() + "runtime_exit_helper.exe\"";
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
