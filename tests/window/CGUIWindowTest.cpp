#include "GUITestSupport.h"
#include "TestWindow.h"
#include "runtime/GUIModule.h"
#include "window/CGUIChildWindowIterator.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <thread>

namespace {
class ThreadRecorder : public IGUIListener {
public:
    void OnNotify() override
    {
        ++calls;
        thread = GetCurrentThreadId();
    }
    std::atomic<int> calls { 0 };
    std::atomic<DWORD> thread { 0 };
};

RECT UpdateRectOf(HWND hwnd)
{
    RECT update {};
    GetUpdateRect(hwnd, &update, FALSE);
    return update;
}

std::atomic<UINT> s_seenMessage { 0 };

LRESULT CALLBACK RecordingProcedure(HWND, UINT message, WPARAM, LPARAM)
{
    s_seenMessage = message;
    return 4711;
}

void ExpectRect(const RECT& actual, LONG left, LONG top, LONG right, LONG bottom)
{
    EXPECT_EQ(actual.left, left);
    EXPECT_EQ(actual.top, top);
    EXPECT_EQ(actual.right, right);
    EXPECT_EQ(actual.bottom, bottom);
}
} // namespace

TEST(CGUIWindow, SizeAndPositionBeforeCreationOnlyFillTheCache)
{
    TestWindow window;
    window.SetSize(CGUISize { 120, 80 });
    window.SetPosition(CGUIPoint { 30, 40 });
    window.Offset(5, -10);
    EXPECT_FALSE(window.IsCreated());
    EXPECT_EQ(window.GetSize(), (CGUISize { 120, 80 }));
    EXPECT_EQ(window.GetClientSize(), (CGUISize { 120, 80 }));
    EXPECT_EQ(window.GetPosition(), (CGUIPoint { 35, 30 }));
    EXPECT_EQ(window.GetClientArea(), (CGUIRect { 0, 0, 120, 80 }));
    EXPECT_STREQ(window.GetText(), "");
    EXPECT_EQ(window.RegisterHotKey(MOD_CONTROL, VK_F11), 0);

    ASSERT_TRUE(window.Create(nullptr));
    RECT bounds {};
    GetWindowRect(window.GetHandle(), &bounds);
    ExpectRect(bounds, 35, 30, 155, 110);
}

TEST(CGUIWindow, SettingTheSameSizeOrPositionMakesNoNativeCall)
{
    TestWindow parent;
    parent.SetSize(CGUISize { 300, 200 });
    ASSERT_TRUE(parent.Create(nullptr));
    TestWindow child(WS_BORDER);
    child.SetSize(CGUISize { 50, 40 });
    child.SetPosition(CGUIPoint { 10, 20 });
    ASSERT_TRUE(child.Create(&parent));

    for (TestWindow* window : { &parent, &child }) {
        SCOPED_TRACE(window == &parent ? "top-level" : "child");
        const CGUISize size = window->GetSize();
        const CGUIPoint position = window->GetPosition();
        window->positionChanges = 0;
        window->SetSize(size);
        window->SetPosition(position);
        EXPECT_EQ(window->positionChanges, 0);

        window->SetSize(CGUISize { size.width + 7, size.height + 3 });
        EXPECT_EQ(window->positionChanges, 1);
        EXPECT_EQ(window->GetSize(), (CGUISize { size.width + 7, size.height + 3 }));
        window->SetPosition(CGUIPoint { position.x + 4, position.y + 2 });
        EXPECT_EQ(window->positionChanges, 2);
        EXPECT_EQ(window->GetPosition(), (CGUIPoint { position.x + 4, position.y + 2 }));
    }
}

// The caches describe the window as it must be created again: its outer size
// and its top-left in the parent, also for windows with a frame.
TEST(CGUIWindow, CachesKeepTheOuterRectangleAfterTheWindowIsGone)
{
    TestWindow parent(WS_POPUP | WS_CAPTION | WS_THICKFRAME);
    ASSERT_TRUE(parent.Create(nullptr));
    parent.SetSize(CGUISize { 320, 240 });
    parent.SetPosition(CGUIPoint { 60, 50 });
    TestWindow child(WS_BORDER);
    ASSERT_TRUE(child.Create(&parent));
    child.SetSize(CGUISize { 40, 30 });
    child.SetPosition(CGUIPoint { 7, 9 });
    child.Offset(3, 1);

    parent.Destroy();
    EXPECT_FALSE(parent.IsCreated());
    EXPECT_FALSE(child.IsCreated());
    EXPECT_EQ(parent.GetSize(), (CGUISize { 320, 240 }));
    EXPECT_EQ(parent.GetPosition(), (CGUIPoint { 60, 50 }));
    EXPECT_EQ(child.GetSize(), (CGUISize { 40, 30 }));
    EXPECT_EQ(child.GetPosition(), (CGUIPoint { 10, 10 }));
}

TEST(CGUIWindow, AnOwnedPopUpIsPlacedInScreenCoordinates)
{
    TestWindow owner;
    owner.SetPosition(CGUIPoint { 200, 150 });
    owner.SetSize(CGUISize { 100, 100 });
    ASSERT_TRUE(owner.Create(nullptr));
    TestWindow owned;
    owned.SetSize(CGUISize { 50, 50 });
    ASSERT_TRUE(owned.CreateOwned(&owner));
    EXPECT_EQ(owned.GetOwnerWindow(), &owner);

    owned.SetPosition(CGUIPoint { 10, 10 });
    EXPECT_EQ(owned.GetPosition(), (CGUIPoint { 10, 10 }));
    EXPECT_EQ(owned.GetScreenPosition(), (CGUIPoint { 10, 10 }));
}

TEST(CGUIWindow, ShowAndEnableFromAWorkerRunNativelyOnTheWindowsThread)
{
    // Also when the thread's invoker window was destroyed from outside: the
    // change is then made through the window manager, not dropped.
    for (const bool invokerWindowDestroyed : { false, true }) {
        SCOPED_TRACE(invokerWindowDestroyed ? "invoker window destroyed" : "invoker window there");
        TestWindow window;
        window.SetSize(CGUISize { 60, 60 });
        ASSERT_TRUE(window.Create(nullptr));
        if (invokerWindowDestroyed) {
            DestroyWindow(static_cast<CGUIThreadInvoker*>(window.GetThreadInvoker())->GetHandle());
        }
        ThreadRecorder visibility, enabled;
        window.GetVisibilityNotifier().AddListener(&visibility);
        window.GetEnabledNotifier().AddListener(&enabled);

        std::atomic<bool> done { false };
        std::atomic<DWORD> workerId { 0 };
        std::thread worker([&] {
            workerId = GetCurrentThreadId();
            window.SetVisible(true);
            window.SetVisible(true);
            window.GetEnabling()->SetEnabled(false);
            window.GetEnabling()->SetEnabled(false);
            done = true;
        });
        EXPECT_TRUE(PumpUntil([&] { return done.load(); }));
        worker.join();

        EXPECT_TRUE(window.IsVisible());
        EXPECT_TRUE(window.IsWindowVisible());
        EXPECT_EQ(window.showMessages, 1);
        EXPECT_EQ(window.showThread, GetCurrentThreadId());
        EXPECT_EQ(visibility.calls, 1);
        EXPECT_EQ(visibility.thread, workerId);

        EXPECT_FALSE(window.IsEnabled());
        EXPECT_FALSE(IsWindowEnabled(window.GetHandle()));
        EXPECT_EQ(window.enableThread, GetCurrentThreadId());
        EXPECT_EQ(enabled.calls, 1);
        EXPECT_EQ(enabled.thread, workerId);
    }
}

TEST(CGUIWindow, ANativeEnableChangeUpdatesTheFlagAndNotifiesOnce)
{
    TestWindow window;
    ASSERT_TRUE(window.Create(nullptr));
    ThreadRecorder enabled;
    window.GetEnabledNotifier().AddListener(&enabled);
    EXPECT_TRUE(window.IsEnabled());
    EnableWindow(window.GetHandle(), FALSE);
    EXPECT_FALSE(window.IsEnabled());
    EnableWindow(window.GetHandle(), FALSE);
    EXPECT_EQ(enabled.calls, 1);
}

TEST(CGUIWindow, HotKeysGetDistinctAtomsAndAreReleasedAtDestruction)
{
    auto window = std::make_unique<TestWindow>();
    ASSERT_TRUE(window->Create(nullptr));
    const int32_t first = window->RegisterHotKey(MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F9);
    const int32_t second = window->RegisterHotKey(MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F10);
    ASSERT_NE(first, 0);
    ASSERT_NE(second, 0);
    EXPECT_NE(first, second);

    char firstName[64] = {}, secondName[64] = {};
    ASSERT_NE(GlobalGetAtomNameA(static_cast<ATOM>(first), firstName, sizeof(firstName)), 0u);
    ASSERT_NE(GlobalGetAtomNameA(static_cast<ATOM>(second), secondName, sizeof(secondName)), 0u);
    unsigned long long instance = 0, address = 0;
    int counter = 0;
    char tail = 0;
    ASSERT_EQ(std::sscanf(firstName, "_%llX::%d::%llX%c", &instance, &counter, &address, &tail), 4) << firstName;
    EXPECT_EQ(instance, reinterpret_cast<uintptr_t>(GetModuleInstance()));
    EXPECT_EQ(address, reinterpret_cast<uintptr_t>(static_cast<CGUIWindow*>(window.get())));
    EXPECT_EQ(tail, '_');
    char expectedSecond[64] = {};
    std::snprintf(expectedSecond, sizeof(expectedSecond), "_%llX::%d::%llX_", instance, counter + 1, address);
    EXPECT_STREQ(secondName, expectedSecond);

    // The same key again is refused while this window holds it.
    TestWindow other;
    ASSERT_TRUE(other.Create(nullptr));
    EXPECT_EQ(other.RegisterHotKey(MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F9), 0);

    window.reset();
    EXPECT_EQ(GlobalFindAtomA(firstName), 0);
    EXPECT_EQ(GlobalFindAtomA(secondName), 0);
    const int32_t again = other.RegisterHotKey(MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F9);
    EXPECT_NE(again, 0);
    other.UnregisterHotKey(again);
    other.UnregisterHotKey(12345);
    EXPECT_NE(other.RegisterHotKey(MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F9), 0);
}

TEST(CGUIWindow, ReleaseCaptureLeavesAnotherWindowsCapture)
{
    TestWindow holder, other;
    ASSERT_TRUE(holder.Create(nullptr));
    ASSERT_TRUE(other.Create(nullptr));
    holder.SetCapture();
    ASSERT_TRUE(holder.HasCapture());
    EXPECT_EQ(other.GetCaptureWindow(), &holder);
    other.ReleaseCapture();
    EXPECT_TRUE(holder.HasCapture());
    EXPECT_FALSE(other.HasCapture());
    holder.ReleaseCapture();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(holder.GetCaptureWindow(), nullptr);
}

TEST(CGUIWindow, LookupFindsOnlyLiveFrameworkWindowsOfThisProcess)
{
    EXPECT_EQ(CGUIWindow::FromHandle(nullptr), nullptr);
    const HWND plain = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(CGUIWindow::FromHandle(plain), nullptr);
    DestroyWindow(plain);

    TestWindow window;
    ASSERT_TRUE(window.Create(nullptr));
    const HWND hwnd = window.GetHandle();
    EXPECT_EQ(CGUIWindow::FromHandle(hwnd), &window);
    window.Destroy();
    EXPECT_FALSE(window.IsCreated());
    EXPECT_EQ(CGUIWindow::FromHandle(hwnd), nullptr);
}

TEST(CGUIWindow, ADestroyedObjectCannotBeFoundFromItsWindow)
{
    auto window = std::make_unique<TestWindow>();
    ASSERT_TRUE(window->Create(nullptr));
    const HWND hwnd = window->GetHandle();

    // Destroyed on the window's thread: the lookup is already gone when the
    // native window is destroyed.
    TestWindow::s_destroySeen = false;
    TestWindow::s_lookupAtDestroy = window.get();
    window.reset();
    EXPECT_TRUE(TestWindow::s_destroySeen);
    EXPECT_EQ(TestWindow::s_lookupAtDestroy, nullptr);
    EXPECT_FALSE(IsWindow(hwnd));

    // Destroyed on another thread, where the native window cannot be
    // destroyed: the window lives on, its object is no longer found.
    window = std::make_unique<TestWindow>();
    ASSERT_TRUE(window->Create(nullptr));
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
    TestWindow top(WS_POPUP | WS_CLIPCHILDREN);
    top.SetSize(CGUISize { 200, 200 });
    top.SetVisible(true);
    ASSERT_TRUE(top.Create(nullptr));
    TestWindow middle(WS_CLIPCHILDREN), inner, beside, hidden;
    middle.SetPosition(CGUIPoint { 20, 30 });
    middle.SetSize(CGUISize { 100, 100 });
    inner.SetPosition(CGUIPoint { 10, 10 });
    inner.SetSize(CGUISize { 30, 30 });
    beside.SetPosition(CGUIPoint { 150, 150 });
    beside.SetSize(CGUISize { 20, 20 });
    hidden.SetSize(CGUISize { 200, 200 });
    for (TestWindow* window : { &middle, &inner, &beside }) {
        window->SetVisible(true);
    }
    ASSERT_TRUE(middle.Create(&top));
    ASSERT_TRUE(inner.Create(&middle));
    ASSERT_TRUE(beside.Create(&top));
    ASSERT_TRUE(hidden.Create(&top));
    const HWND all[]
        = { top.GetHandle(), middle.GetHandle(), inner.GetHandle(), beside.GetHandle(), hidden.GetHandle() };
    const auto validateAll = [&] {
        PumpPending();
        for (HWND hwnd : all) {
            ValidateRect(hwnd, nullptr);
        }
    };

    validateAll();
    const CGUIRect area { 2, 3, 5, 4 };
    inner.InvalidateWithParents(&area);
    ExpectRect(UpdateRectOf(inner.GetHandle()), 2, 3, 7, 7);
    ExpectRect(UpdateRectOf(middle.GetHandle()), 12, 13, 17, 17);
    ExpectRect(UpdateRectOf(top.GetHandle()), 32, 43, 37, 47);
    EXPECT_FALSE(GetUpdateRect(beside.GetHandle(), nullptr, FALSE));

    validateAll();
    const CGUIRect corner { 0, 0, 40, 45 };
    top.Invalidate(&corner, true);
    ExpectRect(UpdateRectOf(top.GetHandle()), 0, 0, 40, 45);
    ExpectRect(UpdateRectOf(middle.GetHandle()), 0, 0, 20, 15);
    ExpectRect(UpdateRectOf(inner.GetHandle()), 0, 0, 10, 5);
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
    ExpectRect(UpdateRectOf(top.GetHandle()), 5, 5, 200, 200);
    ExpectRect(UpdateRectOf(middle.GetHandle()), 0, 0, 100, 100);
}

TEST(CGUIWindow, ChildIteratorSkipsWindowsWithoutAnObject)
{
    TestWindow parent, first, second;
    ASSERT_TRUE(parent.Create(nullptr));
    ASSERT_TRUE(first.Create(&parent));
    CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, parent.GetHandle(), nullptr, nullptr, nullptr);
    ASSERT_TRUE(second.Create(&parent));

    std::unique_ptr<IGUIWindowIterator> children(parent.CreateChildIterator());
    std::set<IGUIWindow*> found;
    while (IGUIWindow* child = children->Next()) {
        found.insert(child);
        EXPECT_EQ(child->GetParentWindow(), &parent);
    }
    EXPECT_EQ(found, (std::set<IGUIWindow*> { &first, &second }));
    std::unique_ptr<IGUIWindowIterator> none(first.CreateChildIterator());
    EXPECT_EQ(none->Next(), nullptr);
}

TEST(CGUIWindow, StyleBitsTextAndFocus)
{
    TestWindow parent, child;
    parent.SetVisible(true);
    child.SetVisible(true);
    child.SetSize(CGUISize { 10, 10 });
    ASSERT_TRUE(parent.Create(nullptr));
    ASSERT_TRUE(child.Create(&parent));
    EXPECT_FALSE(parent.IsChildWindow());
    EXPECT_TRUE(child.IsChildWindow());
    EXPECT_FALSE(child.IsLayered());

    child.SetTabStop(true);
    EXPECT_TRUE(child.HasTabStop());
    child.SetTabStop(false);
    EXPECT_FALSE(child.HasTabStop());

    child.SetText("Close");
    child.SetText(nullptr);
    EXPECT_STREQ(child.GetText(), "Close");
    child.SetText("");
    EXPECT_STREQ(child.GetText(), "");

    child.SetFocus(true);
    ASSERT_TRUE(child.HasFocus());
    parent.SetFocus(false);
    EXPECT_TRUE(child.HasFocus());
    child.SetFocus(false);
    EXPECT_FALSE(child.HasFocus());

    EXPECT_TRUE(child.HitTest(CGUIPoint { 0, 0 }));
    EXPECT_FALSE(child.HitTest(CGUIPoint { 10, 0 }));
    EXPECT_FALSE(child.HitTest(CGUIPoint { -1, 5 }));
}

TEST(CGUIWindow, DefaultProcGoesToThePreviousProcedureWhenThereIsOne)
{
    TestWindow window;
    EXPECT_EQ(window.DefaultProc(WM_USER + 5, 0, 0), 0);
    ASSERT_TRUE(window.Create(nullptr));
    window.SetText("abc");
    EXPECT_EQ(window.DefaultProc(WM_GETTEXTLENGTH, 0, 0), 3);
    window.SetPreviousWindowProc(RecordingProcedure);
    EXPECT_EQ(window.DefaultProc(WM_USER + 5, 0, 0), 4711);
    EXPECT_EQ(s_seenMessage, static_cast<UINT>(WM_USER + 5));
    window.SetPreviousWindowProc(nullptr);
}
