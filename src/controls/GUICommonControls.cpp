#include "controls/GUICommonControls.h"

#include "window/CGUIActivationContext.h"

#include <commctrl.h>

#include <string>

namespace {
const char kLibraryName[] = "Comctl32.dll";

HMODULE LoadFromSystemDirectory()
{
    // LOAD_LIBRARY_SEARCH_SYSTEM32 is understood where AddDllDirectory exists
    // (Windows 8, Windows 7 with its update); elsewhere the full path does it.
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (kernel && GetProcAddress(kernel, "AddDllDirectory")) {
        if (const HMODULE library = LoadLibraryExA(kLibraryName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
            return library;
        }
    }
    char directory[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    const std::string path = std::string(directory, length) + "\\" + kLibraryName;
    return LoadLibraryA(path.c_str());
}

template <class TFunction> TFunction FindFunction(const char* name)
{
    const HMODULE library = GetCommonControlsLibrary();
    // Through void*: the looked-up address has the type the export was made with.
    return library ? reinterpret_cast<TFunction>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}
} // namespace

HMODULE GetCommonControlsLibrary()
{
    // Loaded inside the module's activation context, so that a manifest that
    // asks for another version of the library gets it.
    static const HMODULE library = [] {
        const CGUIActivationContext activation;
        return activation.IsActive() ? LoadFromSystemDirectory() : nullptr;
    }();
    return library;
}

bool InitCommonControlClasses(DWORD classes)
{
    using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    static const auto function = FindFunction<InitFunction>("InitCommonControlsEx");
    if (!function) {
        return false;
    }
    const CGUIActivationContext activation;
    if (!activation.IsActive()) {
        return false;
    }
    INITCOMMONCONTROLSEX description {};
    description.dwSize = sizeof(description);
    description.dwICC = classes;
    return function(&description) != FALSE;
}

bool InitCommonControlsOnce()
{
    using InitFunction = void(WINAPI*)();
    static const auto function = FindFunction<InitFunction>("InitCommonControls");
    if (!function) {
        return false;
    }
    const CGUIActivationContext activation;
    if (!activation.IsActive()) {
        return false;
    }
    function();
    return true;
}
