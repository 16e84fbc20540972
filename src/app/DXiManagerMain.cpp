#include "app/CDXiManagerWindow.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand)
{
    // An elevated program must not pick up a planted DLL from its own folder
    // or the current one: system DLLs loaded by name come from System32.
    SetDllDirectoryA("");
    if (const auto setDefaultDirectories = reinterpret_cast<BOOL(WINAPI*)(DWORD)>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")))) {
        setDefaultDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }

    CDXiManagerWindow window;
    window.SetQuitOnDestroy(true);
    if (!window.CreateDialog(nullptr, 1)) {
        return 1;
    }
    SetWindowTextA(window.GetHandle(), "Vedodir's DXi Manager");
    ShowWindow(window.GetHandle(), showCommand);
    UpdateWindow(window.GetHandle());

    MSG message;
    BOOL received;
    while ((received = GetMessageA(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // -1 is a failed GetMessageA, not a quit message.
    return received < 0 ? 1 : static_cast<int>(message.wParam);
}
