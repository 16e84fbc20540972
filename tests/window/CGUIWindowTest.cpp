#include "WindowTestSupport.h"
#include "runtime/GUIModule.h"
#include "window/CGUIChildWindowIterator.h"
#include "window/CenterWindow.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>
#include <thread>

namespace {
struct CThreadRecorder : IGUIListener {
    void OnNotify() override
    {
        ++calls;
        thread = GetCurrentThreadId();
    }
    std::atomic<int> calls { 0 };
    std::atomic<DWORD> thread { 0 };
};

CGUIRect UpdateRectOf(const IGUIWindow& window)
{
    RECT update {};
    GetUpdateRect(window.GetHandle(), &update, FALSE);
    return { update.left, update.top, update.right - update.left, update.bottom - update.top };
}

// What the lookup answers for s_watched when WM_DESTROY reaches it.
HWND s_watched = nullptr;
CGUIWindow* s_lookupAtDestroy = nullptr;

LRESULT CALLBACK WatchDestroy(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (call->message == WM_DESTROY && call->hwnd == s_watched) {
        s_lookupAtDestroy = CGUIWindow::FromHandle(call->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
} // namespace

// The caches describe the window as it must be created again: its outer size
// and its top-left in the parent (on the screen for an owned pop-up); setting
// the same values again makes no native call.
TEST(CGUIWindow, CachesKeepTheOuterRectangleBeforeDuringAndAfterTheWindow)
{
    CTestWindow owner, parent, child;
    ASSERT_TRUE(owner.CreateDialog(nullptr, 0));
    owner.SetPosition(CGUIPoint { 200, 150 });
    ASSERT_TRUE(parent.CreateDialog(&owner, 0));
    parent.SetSize(CGUISize { 320, 240 });
    parent.SetPosition(CGUIPoint { 30, 60 });
    parent.Offset(30, -10);
    RECT bounds {};
    GetWindowRect(parent.GetHandle(), &bounds);
    EXPECT_EQ(bounds.left, 60);
    EXPECT_EQ(bounds.bottom, 50 + 240);
    child.SetSize(CGUISize { 40, 30 });
    child.SetPosition(CGUIPoint { 7, 9 });
    child.Offset(3, 1);
    EXPECT_EQ(child.RegisterHotKey(MOD_CONTROL, VK_F11), 0);
    ASSERT_TRUE(child.CreateChild(parent.GetHandle(), false, false));
    EXPECT_EQ(child.GetPositionInParent(), (CGUIPoint { 10, 10 }));

    for (CTestWindow* window : { &parent, &child }) {
        const CGUISize size = window->GetSize();
        const CGUIPoint position = window->GetPosition();
        window->positionChanges = 0;
        window->SetSize(size);
        window->SetPosition(position);
        EXPECT_EQ(window->positionChanges, 0);
    }
    parent.Destroy();
    EXPECT_FALSE(child.IsCreated());
    EXPECT_EQ(parent.GetSize(), (CGUISize { 320, 240 }));
    EXPECT_EQ(parent.GetPosition(), (CGUIPoint { 60, 50 }));
    EXPECT_EQ(child.GetSize(), (CGUISize { 40, 30 }));
    EXPECT_EQ(child.GetPosition(), (CGUIPoint { 10, 10 }));
}

TEST(CGUIWindow, ShowAndEnableFromAWorkerRunNativelyOnTheWindowsThread)
{
    // Also when the thread's invoker window was destroyed from outside: the
    // change is then made through the window manager, not dropped.
    for (const bool invokerWindowDestroyed : { false, true }) {
        SCOPED_TRACE(invokerWindowDestroyed ? "invoker window destroyed" : "invoker window there");
        CTestWindow window;
        ASSERT_TRUE(window.CreateDialog(nullptr, 0));
        if (invokerWindowDestroyed) {
            DestroyWindow(static_cast<CGUIThreadInvoker*>(window.GetThreadInvoker())->GetHandle());
        }
        CThreadRecorder visibility, enabled;
        window.GetVisibilityNotifier().AddListener(&visibility);
        window.GetEnabledNotifier().AddListener(&enabled);
        std::atomic<DWORD> workerId { 0 };
        std::thread worker([&] {
            window.SetVisible(true);
            window.SetVisible(true);
            window.GetEnabling()->SetEnabled(false);
            window.GetEnabling()->SetEnabled(false);
            workerId = GetCurrentThreadId();
        });
        EXPECT_TRUE(PumpUntil([&] { return workerId != 0; }));
        worker.join();
        EXPECT_TRUE(window.IsWindowVisible());
        EXPECT_EQ(window.showMessages, 1);
        EXPECT_EQ(window.showThread, GetCurrentThreadId());
        EXPECT_EQ(visibility.calls, 1);
        EXPECT_EQ(visibility.thread, workerId);
        EXPECT_FALSE(IsWindowEnabled(window.GetHandle()));
        EXPECT_EQ(window.enableThread, GetCurrentThreadId());
        EXPECT_EQ(enabled.calls, 1);
        EXPECT_EQ(enabled.thread, workerId);

        // A native change updates the flag and notifies once.
        EnableWindow(window.GetHandle(), TRUE);
        EnableWindow(window.GetHandle(), TRUE);
        EXPECT_TRUE(window.IsEnabled());
        EXPECT_EQ(enabled.calls, 2);
    }
}

TEST(CGUIWindow, HotKeysGetAtomsOfTheirOwnAndAreReleasedAtDestruction)
{
    auto window = std::make_unique<CTestWindow>();
    ASSERT_TRUE(window->CreateDialog(nullptr, 0));
    const UINT keys = MOD_CONTROL | MOD_ALT | MOD_SHIFT;
    const int32_t first = window->RegisterHotKey(keys, VK_F9);
    char name[64] = {}, expected[64] = {};
    ASSERT_NE(GlobalGetAtomNameA(static_cast<ATOM>(first), name, sizeof(name)), 0u);
    int counter = 0;
    ASSERT_EQ(std::sscanf(name, "_%*[0-9A-F]::%d::", &counter), 1) << name;
    std::snprintf(expected, sizeof(expected), "_%llX::%d::%llX_",
        static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(GetModuleInstance())), counter,
        static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(static_cast<CGUIWindow*>(window.get()))));
    EXPECT_STREQ(name, expected);
    EXPECT_NE(window->RegisterHotKey(keys, VK_F10), first);

    // The same key again is refused while the first window holds it.
    CTestWindow other;
    ASSERT_TRUE(other.CreateDialog(nullptr, 0));
    EXPECT_EQ(other.RegisterHotKey(keys, VK_F9), 0);
    window.reset();
    EXPECT_EQ(GlobalFindAtomA(name), 0);
    const int32_t again = other.RegisterHotKey(keys, VK_F9);
    EXPECT_NE(again, 0);
    other.UnregisterHotKey(again);
    EXPECT_NE(other.RegisterHotKey(keys, VK_F9), 0);
}

TEST(CGUIWindow, LookupFindsOnlyLiveFrameworkWindows)
{
    EXPECT_EQ(CGUIWindow::FromHandle(nullptr), nullptr);
    const CPlainWindow plain;
    EXPECT_EQ(CGUIWindow::FromHandle(plain.Get()), nullptr);
    auto window = std::make_unique<CTestWindow>();
    ASSERT_TRUE(window->CreateDialog(nullptr, 0));
    s_watched = window->GetHandle();
    EXPECT_EQ(CGUIWindow::FromHandle(s_watched), window.get());

    // Deleted on its thread: the lookup is gone before the native window is.
    const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchDestroy, nullptr, GetCurrentThreadId());
    s_lookupAtDestroy = window.get();
    window.reset();
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(s_lookupAtDestroy, nullptr);
    EXPECT_FALSE(IsWindow(s_watched));

    // Deleted on another thread, where the native window cannot be destroyed:
    // the window lives on, its object is no longer found.
    window = std::make_unique<CTestWindow>();
    ASSERT_TRUE(window->CreateDialog(nullptr, 0));
    const HWND survivor = window->GetHandle();
    std::thread([&] { window.reset(); }).join();
    EXPECT_TRUE(IsWindow(survivor));
    EXPECT_EQ(CGUIWindow::FromHandle(survivor), nullptr);
    DestroyWindow(survivor);
}

TEST(CGUIWindow, InvalidationReachesParentsAndChildren)
{
    // Clipping children keeps the platform from invalidating them along with
    // their parent: what reaches a child here was passed on by Invalidate.
    const CPlainWindow shown(DefWindowProcA, true);
    CTestWindow top, middle, inner, beside, hidden;
    top.SetVisible(true);
    top.SetSize(CGUISize { 200, 200 });
    ASSERT_TRUE(top.CreateChild(shown.Get(), true, false));
    const struct {
        CTestWindow& window;
        CTestWindow& parent;
        CGUIRect area;
    } children[] = { { middle, top, { 20, 30, 100, 100 } }, { inner, middle, { 10, 10, 30, 30 } },
        { beside, top, { 150, 150, 20, 20 } }, { hidden, top, { 0, 0, 200, 200 } } };
    for (const auto& c : children) {
        c.window.SetVisible(&c.window != &hidden);
        c.window.SetPosition({ c.area.x, c.area.y });
        c.window.SetSize({ c.area.width, c.area.height });
        ASSERT_TRUE(c.window.CreateChild(c.parent.GetHandle(), true, false));
    }
    const auto validateAll = [&] {
        PumpPending();
        for (const IGUIWindow* window : { &top, &middle, &inner, &beside, &hidden }) {
            ValidateRect(window->GetHandle(), nullptr);
        }
    };
    validateAll();
    const CGUIRect area { 2, 3, 5, 4 };
    inner.InvalidateWithParents(&area);
    EXPECT_EQ(UpdateRectOf(inner), area);
    EXPECT_EQ(UpdateRectOf(middle), (CGUIRect { 12, 13, 5, 4 }));
    EXPECT_EQ(UpdateRectOf(top), (CGUIRect { 32, 43, 5, 4 }));
    EXPECT_FALSE(GetUpdateRect(beside.GetHandle(), nullptr, FALSE));

    validateAll();
    const CGUIRect corner { 0, 0, 40, 45 };
    top.Invalidate(&corner, true);
    EXPECT_EQ(UpdateRectOf(middle), (CGUIRect { 0, 0, 20, 15 }));
    EXPECT_EQ(UpdateRectOf(inner), (CGUIRect { 0, 0, 10, 5 }));
    EXPECT_FALSE(GetUpdateRect(beside.GetHandle(), nullptr, FALSE));
    EXPECT_FALSE(GetUpdateRect(hidden.GetHandle(), nullptr, FALSE));

    validateAll();
    top.Invalidate(nullptr, false);
    EXPECT_TRUE(GetUpdateRect(top.GetHandle(), nullptr, FALSE));
    EXPECT_FALSE(GetUpdateRect(middle.GetHandle(), nullptr, FALSE));

    // A rectangle reaching past the 32-bit range is cut, not wrapped around.
    validateAll();
    const CGUIRect huge { 5, 5, INT32_MAX, INT32_MAX };
    top.Invalidate(&huge, true);
    EXPECT_EQ(UpdateRectOf(top), (CGUIRect { 5, 5, 195, 195 }));
    EXPECT_EQ(UpdateRectOf(middle), (CGUIRect { 0, 0, 100, 100 }));
}

TEST(CGUIWindow, ChildrenTextFocusCaptureAndHitTest)
{
    CTestWindow parent, child, second;
    parent.SetVisible(true);
    child.SetVisible(true);
    child.SetSize(CGUISize { 10, 10 });
    ASSERT_TRUE(parent.CreateDialog(nullptr, 0));
    child.SetText("Name");
    ASSERT_TRUE(child.CreateChild(parent.GetHandle(), false, false));
    CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, parent.GetHandle(), nullptr, nullptr, nullptr);
    ASSERT_TRUE(second.CreateChild(parent.GetHandle(), false, false));
    // The iterator skips windows without an object.
    std::unique_ptr<IGUIWindowIterator> children(parent.CreateChildIterator());
    std::set<IGUIWindow*> found;
    while (IGUIWindow* window = children->Next()) {
        found.insert(window);
        EXPECT_EQ(window->GetParentWindow(), &parent);
    }
    EXPECT_EQ(found, (std::set<IGUIWindow*> { &child, &second }));

    EXPECT_STREQ(child.GetText(), "Name");
    child.SetText("Close");
    child.SetText(nullptr);
    EXPECT_STREQ(child.GetText(), "Close");
    child.SetFocus(true);
    parent.SetFocus(false);
    EXPECT_TRUE(child.HasFocus());
    child.SetFocus(false);
    EXPECT_FALSE(child.HasFocus());
    EXPECT_TRUE(child.HitTest(CGUIPoint { 0, 0 }));
    EXPECT_FALSE(child.HitTest(CGUIPoint { 10, 0 }));
    EXPECT_FALSE(child.HitTest(CGUIPoint { -1, 5 }));

    // Releasing the capture leaves another window's capture alone.
    child.SetCapture();
    EXPECT_EQ(second.GetCaptureWindow(), &child);
    second.ReleaseCapture();
    EXPECT_TRUE(child.HasCapture());
    child.ReleaseCapture();
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(CenterWindow, CentresOnTheOwnerOrTheScreenNeverBelowZero)
{
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    CTestWindow owner;
    ASSERT_TRUE(owner.CreateDialog(nullptr, 0));
    owner.SetPosition(CGUIPoint { 100, 80 });
    owner.SetSize(CGUISize { 400, 300 });
    const struct {
        bool owned;
        CGUISize size;
        CGUIPoint expected;
    } cases[] = {
        { false, { 201, 101 }, { (screenWidth - 201) / 2, (screenHeight - 101) / 2 } },
        { false, { screenWidth + 100, screenHeight + 100 }, { 0, 0 } },
        { true, { 201, 100 }, { 199, 180 } }, // (400 - 201) / 2 truncates to 99
        { true, { 600, 500 }, { 0, 0 } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size.width);
        CTestWindow window;
        ASSERT_TRUE(window.CreateDialog(c.owned ? &owner : nullptr, 0));
        window.SetPosition(CGUIPoint { 50, 50 });
        window.SetSize(c.size);
        CenterWindow(window);
        EXPECT_EQ(window.GetScreenPosition(), c.expected);
    }
}
