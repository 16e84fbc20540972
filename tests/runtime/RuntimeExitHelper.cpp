// Started by the registry tests: registers window classes through the class
// registry and ends normally; an exit handler that runs after the registry is
// destroyed checks what is still registered. The exit code counts the faults.
#include "runtime/CGUIWindowClassRegistry.h"
#include "runtime/GUIModule.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {
const char* const kOwnClasses[] = { "ExitHelperFirst", "ExitHelperSecond" };
const char kForeignClass[] = "ExitHelperForeign";

bool Exists(const char* name)
{
    WNDCLASSA found {};
    return GetClassInfoA(GetModuleInstance(), name, &found) != FALSE;
}

WNDCLASSA Describe(const char* name)
{
    WNDCLASSA description {};
    description.lpfnWndProc = DefWindowProcA;
    description.hInstance = GetModuleInstance();
    description.lpszClassName = name;
    return description;
}

void CheckAfterRegistry()
{
    int faults = 0;
    for (const char* name : kOwnClasses) {
        if (Exists(name)) {
            std::printf("still registered: %s\n", name);
            ++faults;
        }
    }
    if (!Exists(kForeignClass)) {
        std::printf("unregistered a class it did not register\n");
        ++faults;
    }
    std::fflush(stdout);
    _exit(faults);
}
} // namespace

int main()
{
    // Exit handlers run in reverse order of registration, and the registry
    // (created below) is destroyed like one registered at its creation: this
    // check runs after the registry is gone.
    std::atexit(CheckAfterRegistry);

    const WNDCLASSA foreign = Describe(kForeignClass);
    int faults = RegisterClassA(&foreign) != 0 ? 0 : 1;
    CGUIWindowClassRegistry& registry = CGUIWindowClassRegistry::GetInstance();
    for (const char* name : kOwnClasses) {
        faults += registry.RegisterClass(Describe(name)) ? 0 : 1;
        faults += registry.RegisterClass(Describe(name)) ? 1 : 0;
    }
    faults += registry.RegisterClass(foreign) ? 1 : 0;
    faults += registry.GetCount() == 2 ? 0 : 1;
    if (faults != 0) {
        _exit(100 + faults);
    }
    return 0;
}
