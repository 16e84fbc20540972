// Started by the registry tests: registers window classes, one of them past
// the class registry, and ends normally; an exit handler that runs after the
// registry is destroyed checks what is still registered. The exit code counts
// the faults.
#include "runtime/CGUIWindowClassRegistry.h"
#include "runtime/GUIModule.h"

#include <cstdio>
#include <cstdlib>

namespace {
const char* const kClasses[] = { "ExitHelperOwn", "ExitHelperSecond", "ExitHelperForeign" };

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
    for (const char* name : kClasses) {
        WNDCLASSA found {};
        const bool foreign = name == kClasses[2];
        if ((GetClassInfoA(GetModuleInstance(), name, &found) != FALSE) != foreign) {
            std::printf("%s: registered %d\n", name, !foreign);
            ++faults;
        }
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
    const WNDCLASSA foreign = Describe(kClasses[2]);
    CGUIWindowClassRegistry& registry = CGUIWindowClassRegistry::GetInstance();
    const bool registered = RegisterClassA(&foreign) != 0 && registry.RegisterClass(Describe(kClasses[0]))
        && registry.RegisterClass(Describe(kClasses[1]));
    return registered ? 0 : 100;
}
