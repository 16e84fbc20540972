#include "app/CDXiManagerWindow.h"
#include "CDXiMemoryRegistry.h"
#include "app/CGUIParamCheckBox.h"

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
size_t CountThreadWindows()
{
    std::vector<HWND> topLevel;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&topLevel));
    size_t count = topLevel.size();
    for (HWND hwnd : topLevel) {
        std::vector<HWND> children;
        EnumChildWindows(hwnd, CollectWindow, reinterpret_cast<LPARAM>(&children));
        count += children.size();
    }
    return count;
}

// How many check boxes the window's list holds.
size_t CountCheckBoxes(CDXiManagerWindow& window)
{
    std::vector<HWND> children;
    EnumChildWindows(window.GetScrollView().GetHandle(), CollectWindow, reinterpret_cast<LPARAM>(&children));
    return std::count_if(children.begin(), children.end(), [](HWND hwnd) {
        char className[16] = {};
        GetClassNameA(hwnd, className, sizeof(className));
        return std::string(className) == "Button";
    });
}

// Refuses to create every check box after the first, as the platform does
// once the process has used up its window quota.
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

class ManagerWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_registry.SetString("MfxSoftSynths\\{A}", "Description", "Piano");
        m_registry.SetString("MfxSoftSynths\\_Disabled_{B}", "Description", "Bass");
        m_registry.SetString("MfxSoftSynths\\{C}", "Description", "Strings");
    }
    void TearDown() override { EXPECT_EQ(m_registry.GetOpenHandleCount(), 0); }

    CDXiMemoryRegistry m_registry;
};
} // namespace

TEST_F(ManagerWindowTest, RowsWhoseWindowsCannotBeCreatedAreReportedOnce)
{
    s_checkBoxesAllowed = 1;
    const HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseCheckBoxes, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    CDXiManagerWindow window(m_registry);
    const bool created = window.CreateDialog(nullptr, 1);
    UnhookWindowsHookEx(hook);
    ASSERT_TRUE(created);
    EXPECT_EQ(CountCheckBoxes(window), 1u);
    ASSERT_EQ(m_registry.GetErrorBoxes().size(), 1u);
    EXPECT_EQ(m_registry.GetErrorBoxes()[0],
        "Not all DXi plug-ins could be listed. Close other programs and try again:\n"
        "2 of 3 DXi plug-ins are missing from the list.");
    window.Destroy();
}

TEST_F(ManagerWindowTest, RepeatedCreateAndDestroyLeavesNoWindowsOrObjectsBehind)
{
    const auto cycle = [&] {
        CDXiManagerWindow window(m_registry);
        ASSERT_TRUE(window.CreateDialog(nullptr, 1));
        window.Destroy();
        EXPECT_TRUE(window.GetPlugins().empty());
    };
    cycle(); // first use creates the process-wide classes, fonts and loaders
    const size_t windows = CountThreadWindows();
    const DWORD userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    const DWORD gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 10; ++i) {
        cycle();
    }
    EXPECT_EQ(CountThreadWindows(), windows);
    // Wine reports 0 for both counts; Windows counts every object.
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), userObjects);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiObjects);
}
