#include "runtime/GUIModule.h"

#include <cstdint>

namespace {
const char s_moduleMarker = 0;

HINSTANCE QueryModuleInstance()
{
    MEMORY_BASIC_INFORMATION info {};
    if (VirtualQuery(&s_moduleMarker, &info, sizeof(info)) == 0) {
        return GetModuleHandleA(nullptr);
    }
    return static_cast<HINSTANCE>(info.AllocationBase);
}
} // namespace

HINSTANCE GetModuleInstance()
{
    static const HINSTANCE instance = QueryModuleInstance();
    return instance;
}

CGUIString MakeModuleClassName(const char* suffix)
{
    CGUIString name;
    // 20 digits and a sign for any 64-bit value, the suffixes used are below 30.
    name.Resize(51, false);
    name.Format("%lld%s", static_cast<long long>(reinterpret_cast<intptr_t>(GetModuleInstance())), suffix);
    return name;
}
