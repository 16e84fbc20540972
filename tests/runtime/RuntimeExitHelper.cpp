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
    WNDCLASSA description {};
    description.lpfnWndProc = DefWindowProcA;
    description.hInstance = GetModuleInstance();
    CGUIWindowClassRegistry& registry = CGUIWindowClassRegistry::GetInstance();
    bool registered = true;
    for (const char* name : kClasses) {
        description.lpszClassName = name;
        registered = registered
            && (name == kClasses[2] ? RegisterClassA(&description) != 0 : registry.RegisterClass(description));
    }
    return registered ? 0 : 100;
}
