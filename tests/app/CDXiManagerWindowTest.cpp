#include "app/CDXiManagerWindow.h"
#include "CDXiMemoryRegistry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

// Every window of this thread, top-level (hidden helpers included) and child.
std::vector<HWND> ThreadWindows()
{
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
    for (size_t topLevel = windows.size(); topLevel-- > 0;) {
        EnumChildWindows(windows[topLevel], CollectWindow, reinterpret_cast<LPARAM>(&windows));
    }
    return windows;
}

bool IsCheckBox(HWND hwnd)
{
    char className[16] = {};
    GetClassNameA(hwnd, className, sizeof(className));
    return std::string(className) == "Button" && (GetWindowLongPtrA(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX;
}

// Refuses to create the check boxes beyond this many, as the platform does once the process has used up its
// window quota.
int s_checkBoxesAllowed = 0;

LRESULT CALLBACK RefuseCheckBoxes(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA* create = reinterpret_cast<const CBT_CREATEWNDA*>(lParam)->lpcs;
        if ((create->style & BS_TYPEMASK) == BS_AUTOCHECKBOX && !IS_INTRESOURCE(create->lpszClass)
            && lstrcmpiA(create->lpszClass, "Button") == 0 && s_checkBoxesAllowed-- <= 0) {
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Opens the window with this many check boxes allowed and closes it again; the check boxes it had.
size_t OpenAndClose(CDXiMemoryRegistry& registry, int checkBoxesAllowed)
{
    s_checkBoxesAllowed = checkBoxesAllowed;
    const HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseCheckBoxes, nullptr, GetCurrentThreadId());
    EXPECT_NE(hook, nullptr);
    CDXiManagerWindow window(registry);
    EXPECT_TRUE(window.CreateDialog(nullptr, 1));
    UnhookWindowsHookEx(hook);
    const std::vector<HWND> windows = ThreadWindows();
    const size_t checkBoxes = std::count_if(windows.begin(), windows.end(), IsCheckBox);
    window.Destroy();
    EXPECT_TRUE(window.GetPlugins().empty());
    EXPECT_EQ(registry.GetOpenHandleCount(), 0);
    return checkBoxes;
}
} // namespace

// Rows whose windows cannot be created are reported once; opening and closing leaves no window or object behind.
TEST(ManagerWindowTest, RefusedRowsAreReportedAndNothingIsLeftBehind)
{
    CDXiMemoryRegistry registry;
    registry.SetString("MfxSoftSynths\\{A}", "Description", "Piano");
    registry.SetString("MfxSoftSynths\\_Disabled_{B}", "Description", "Bass");
    registry.SetString("MfxSoftSynths\\{C}", "Description", "Strings");
    // The first use creates the process-wide classes, fonts and loaders.
    EXPECT_EQ(OpenAndClose(registry, 3), 3u);
    const size_t windows = ThreadWindows().size();
    const DWORD userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    const DWORD gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(OpenAndClose(registry, i == 0 ? 1 : 3), i == 0 ? 1u : 3u);
    }
    EXPECT_EQ(registry.GetErrorBoxes(),
        std::vector<std::string> { "Not all DXi plug-ins could be listed. Close other programs and try again:\n"
                                   "2 of 3 DXi plug-ins are missing from the list." });
    EXPECT_EQ(ThreadWindows().size(), windows);
    // Wine reports 0 for both counts; Windows counts every object.
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), userObjects);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiObjects);
}
