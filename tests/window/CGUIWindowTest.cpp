#include "CCountingListener.h"
#include "GUITestImage.h"
#include "WindowTestSupport.h"
#include "runtime/CGUIWindowClassRegistry.h"
#include "runtime/GUIModule.h"
#include "window/CGUIActivationContext.h"
#include "window/CGUIChildWindowIterator.h"
#include "window/CenterWindow.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>
#include <thread>

namespace {
using Calls = std::vector<std::string>;
using Rects = std::vector<CGUIRect>;
const CGUIColor kRed { 255, 0, 0 }, kGreen { 0, 255, 0 }, kBlue { 0, 0, 255 }, kYellow { 255, 255, 0 };

// Counts its notifications and keeps the thread of the last.
struct CThreadRecorder : IGUIListener {
    void OnNotify() override
    {
        thread = GetCurrentThreadId();
        ++calls;
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

// Shows the window as a child of parent at area.
void CreateShownChild(CTestWindow& window, HWND parent, CGUIRect area, bool clipChildren = false)
{
    window.SetVisible(true);
    window.SetPosition({ area.x, area.y });
    window.SetSize({ area.width, area.height });
    ASSERT_TRUE(window.CreateChild(parent, clipChildren, false));
}

// A shown 300 × 300 framework window with a 100 × 100 child at its top-left.
struct CParentAndChild {
    CPlainWindow top { DefWindowProcA, true };
    CTestWindow parent, child;

    CParentAndChild()
    {
        CreateShownChild(parent, top.Get(), { 0, 0, 300, 300 });
        child.SetVisible(true);
        child.SetSize(CGUISize { 100, 100 });
        EXPECT_TRUE(child.CreateChild(parent.GetHandle(), false, true));
        child.events.calls.clear();
        parent.events.calls.clear();
    }
    LRESULT Send(UINT message, WPARAM wParam, int x, int y)
    {
        return SendMessageA(child.GetHandle(), message, wParam, MAKELPARAM(x, y));
    }
};

// The colour of a pixel of a 32-bit back buffer, top-down coordinates.
CGUIColor BufferPixel(const IGUIImage& image, int32_t x, int32_t y)
{
    CGUISize size;
    image.GetSize(size);
    const uint32_t value
        = static_cast<const uint32_t*>(image.GetBits())[static_cast<size_t>(size.height - 1 - y) * size.width + x];
    return { static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value) };
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
    EXPECT_EQ((std::pair { bounds.left, bounds.bottom }), (std::pair { 60L, 50L + 240 }));
    child.SetSize(CGUISize { 40, 30 });
    child.SetPosition(CGUIPoint { 7, 9 });
    child.Offset(3, 1);
    EXPECT_EQ(child.RegisterHotKey(MOD_CONTROL, VK_F11), 0);
    ASSERT_TRUE(child.CreateChild(parent.GetHandle(), false, false));
    EXPECT_EQ(child.GetPositionInParent(), (CGUIPoint { 10, 10 }));

    for (CTestWindow* window : { &parent, &child }) {
        window->positionChanges = 0;
        window->SetSize(window->GetSize());
        window->SetPosition(window->GetPosition());
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
        std::atomic<DWORD> worker { 0 };
        std::thread thread([&] {
            for (int twice = 0; twice < 2; ++twice) {
                window.SetVisible(true);
                window.GetEnabling()->SetEnabled(false);
            }
            worker = GetCurrentThreadId();
        });
        EXPECT_TRUE(PumpUntil([&] { return worker != 0; }));
        thread.join();
        const DWORD here = GetCurrentThreadId();
        EXPECT_EQ((std::tuple { window.IsWindowVisible(), IsWindowEnabled(window.GetHandle()) != FALSE,
                      window.showMessages.load(), window.showThread.load(), window.enableThread.load() }),
            (std::tuple { true, false, 1, here, here }));
        EXPECT_EQ((std::tuple {
                      visibility.calls.load(), visibility.thread.load(), enabled.calls.load(), enabled.thread.load() }),
            (std::tuple { 1, worker.load(), 1, worker.load() }));

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
    CreateShownChild(top, shown.Get(), { 0, 0, 200, 200 }, true);
    CreateShownChild(middle, top.GetHandle(), { 20, 30, 100, 100 }, true);
    CreateShownChild(inner, middle.GetHandle(), { 10, 10, 30, 30 }, true);
    CreateShownChild(beside, top.GetHandle(), { 150, 150, 20, 20 }, true);
    hidden.SetSize({ 200, 200 });
    ASSERT_TRUE(hidden.CreateChild(top.GetHandle(), true, false));
    // The update rectangles of top, middle, inner, beside and hidden after change.
    const auto updates = [&](const std::function<void()>& change) {
        PumpPending();
        for (const IGUIWindow* window : { &top, &middle, &inner, &beside, &hidden }) {
            ValidateRect(window->GetHandle(), nullptr);
        }
        change();
        return Rects { UpdateRectOf(top), UpdateRectOf(middle), UpdateRectOf(inner), UpdateRectOf(beside),
            UpdateRectOf(hidden) };
    };
    const CGUIRect area { 2, 3, 5, 4 }, corner { 0, 0, 40, 45 };
    const CGUIRect huge { 5, 5, INT32_MAX, INT32_MAX }, none {};
    EXPECT_EQ(updates([&] { inner.InvalidateWithParents(&area); }),
        (Rects { { 32, 43, 5, 4 }, { 12, 13, 5, 4 }, area, none, none }));
    EXPECT_EQ(updates([&] { top.Invalidate(&corner, true); }),
        (Rects { corner, { 0, 0, 20, 15 }, { 0, 0, 10, 5 }, none, none }));
    EXPECT_EQ(updates([&] { top.Invalidate(nullptr, false); }), (Rects { { 0, 0, 200, 200 }, none, none, none, none }));
    // A rectangle reaching past the 32-bit range is cut, not wrapped around.
    EXPECT_EQ(updates([&] { top.Invalidate(&huge, true); }),
        (Rects { { 5, 5, 195, 195 }, { 0, 0, 100, 100 }, { 0, 0, 30, 30 }, { 0, 0, 20, 20 }, none }));
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
    EXPECT_EQ((std::vector<bool> { child.HitTest({ 0, 0 }), child.HitTest({ 10, 0 }), child.HitTest({ -1, 5 }) }),
        (std::vector<bool> { true, false, false }));

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
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
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

TEST(CGUICustomWindow, ChildrenCreatedOrAttachedGetTheirStylesAndProcedure)
{
    CParentAndChild windows;
    const int32_t classes = CGUIWindowClassRegistry::GetInstance().GetCount();
    CTestWindow hidden, disabled, refused;
    disabled.SetVisible(true);
    disabled.SetEnabled(false);
    ASSERT_TRUE(hidden.CreateChild(windows.parent.GetHandle(), false, true));
    ASSERT_TRUE(disabled.CreateChild(windows.parent.GetHandle(), true, true));
    EXPECT_EQ(CGUIWindowClassRegistry::GetInstance().GetCount(), classes);
    const LONG_PTR kFlags = WS_VISIBLE | WS_DISABLED | WS_CLIPCHILDREN;
    EXPECT_EQ(GetWindowLongPtrA(hidden.GetHandle(), GWL_STYLE) & (kFlags | WS_CHILD | WS_CLIPSIBLINGS),
        WS_CHILD | WS_CLIPSIBLINGS);
    EXPECT_EQ(GetWindowLongPtrA(disabled.GetHandle(), GWL_STYLE) & kFlags, kFlags);
    EXPECT_EQ(hidden.events.calls, Calls { "Create" });

    refused.events.createResult = false;
    EXPECT_FALSE(refused.CreateChild(hidden.GetHandle(), false, false));
    EXPECT_FALSE(refused.IsCreated());
    EXPECT_EQ(GetWindow(hidden.GetHandle(), GW_CHILD), nullptr);

    // An attached native control keeps its procedure until WM_NCDESTROY unbinds it.
    const HWND native = CreateWindowExA(
        0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, windows.parent.GetHandle(), nullptr, nullptr, nullptr);
    const LONG_PTR original = GetWindowLongPtrA(native, GWLP_WNDPROC);
    CTestWindow wrapper;
    ASSERT_TRUE(wrapper.Attach(native));
    EXPECT_EQ(CGUIWindow::FromHandle(native), &wrapper);
    EXPECT_NE(wrapper.GetThreadInvoker(), nullptr);
    EXPECT_EQ(wrapper.DefaultProc(WM_GETDLGCODE, 0, 0), DLGC_STATIC);
    SendMessageA(native, WM_NCDESTROY, 0, 0);
    EXPECT_EQ(GetPropA(native, "_CGUIWindow::Ptr_"), nullptr);
    EXPECT_EQ(GetWindowLongPtrA(native, GWLP_WNDPROC), original);
    EXPECT_FALSE(wrapper.IsCreated());
    EXPECT_EQ(wrapper.GetThreadInvoker(), nullptr);
    DestroyWindow(native);
}

TEST(CGUICustomWindow, MouseKeysAndCommandsReachTheRightListener)
{
    // A click needs press and release inside; tracking enters and leaves, and
    // follows the capture.
    const struct {
        const char* name;
        std::vector<std::pair<UINT, CGUIPoint>> messages;
        Calls events;
        bool captured = false;
    } cases[] = {
        { "pressed inside, released outside", { { WM_LBUTTONDOWN, { 10, 10 } }, { WM_LBUTTONUP, { 150, 10 } } },
            { "LeftDown 10,10" } },
        { "pressed outside, released inside", { { WM_RBUTTONDOWN, { -5, 10 } }, { WM_RBUTTONUP, { 10, 10 } } },
            { "RightUp 10,10" } },
        { "a click, then a double click",
            { { WM_LBUTTONDOWN, { 10, 10 } }, { WM_LBUTTONUP, { 12, 10 } }, { WM_LBUTTONDBLCLK, { 12, 10 } },
                { WM_LBUTTONUP, { 12, 10 } } },
            { "LeftDown 10,10", "LeftUp 12,10", "LeftClick 12,10", "LeftDoubleClick 12,10", "LeftUp 12,10" } },
        { "moved in and out", { { WM_MOUSEMOVE, { 5, 5 } }, { WM_MOUSEMOVE, { 200, 5 } } },
            { "MouseEnter 5,5", "MouseMove 5,5", "MouseLeave" } },
        { "moved while captured", { { WM_MOUSEMOVE, { 5, 5 } }, { WM_MOUSEMOVE, { 300, -20 } } },
            { "MouseEnter 5,5", "MouseMove 5,5", "MouseMove 300,-20", "MouseLeave" }, true },
    };
    CParentAndChild windows;
    CTestWindow& child = windows.child;
    CCountingListener enterLeave(child.GetMouseEnterLeaveNotifier());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        child.events.calls.clear();
        if (c.captured) {
            child.SetCapture();
        }
        for (const auto& [message, point] : c.messages) {
            windows.Send(message, 0, point.x, point.y);
        }
        EXPECT_EQ(child.events.calls, c.events);
    }
    EXPECT_FALSE(child.IsMouseInside());
    child.ReleaseCapture();
    windows.Send(WM_MOUSEMOVE, 0, 5, 5);
    EXPECT_TRUE(child.IsMouseInside());
    EXPECT_EQ(enterLeave.count, 5);

    // Unwanted keys go to the parent, wanted ones stay.
    child.events.calls.clear();
    windows.parent.events.wantsKeys = true;
    windows.Send(WM_KEYDOWN, 'A', 1, 0);
    windows.Send(WM_KEYUP, 'A', 1, 0);
    child.events.wantsKeys = true;
    windows.Send(WM_CHAR, 'b', 1, 0);
    EXPECT_EQ(child.events.calls, Calls { "KeyDown 98" });
    EXPECT_EQ(windows.parent.events.calls, (Calls { "KeyDown 65", "KeyUp 65" }));
    EXPECT_EQ(windows.Send(WM_GETDLGCODE, 0, 0, 0), DLGC_WANTALLKEYS);

    // A control's command is reflected to it; a menu command nowhere.
    const WPARAM command = MAKEWPARAM(17, BN_CLICKED);
    SendMessageA(windows.parent.GetHandle(), WM_COMMAND, command, reinterpret_cast<LPARAM>(child.GetHandle()));
    SendMessageA(windows.parent.GetHandle(), WM_COMMAND, 5, 0);
    EXPECT_EQ(child.reflectedCommands, (std::vector<WPARAM> { command }));
}

TEST(CGUICustomWindow, BackBufferRepaintsOnlyWhatWasInvalidated)
{
    CParentAndChild windows;
    auto* painter = new CFillPainter({ 100, 100 }, kRed);
    windows.child.SetBackBuffered(true);
    windows.child.SetContent(painter);
    const HWND hwnd = windows.child.GetHandle();
    UpdateWindow(hwnd);
    ASSERT_EQ(painter->calls, 1);
    ASSERT_NE(windows.child.GetBackBuffer(), nullptr);
    painter->color = kGreen;
    const CGUIRect part { 0, 0, 10, 20 };
    windows.child.Invalidate(&part, false);
    UpdateWindow(hwnd);
    EXPECT_EQ(painter->lastClip, part);
    const IGUIImage& buffer = *windows.child.GetBackBuffer();
    EXPECT_EQ((std::vector { BufferPixel(buffer, 5, 5), BufferPixel(buffer, 50, 50) }), (std::vector { kGreen, kRed }));

    // Uncovered by the system, not invalidated through the window: copied
    // from the buffer, not repainted; without a buffer, repainted.
    auto* unbuffered = new CFillPainter({ 300, 300 }, kRed);
    windows.parent.SetContent(unbuffered);
    for (const HWND window : { hwnd, windows.parent.GetHandle() }) {
        UpdateWindow(window);
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
    }
    EXPECT_EQ((std::pair { painter->calls, unbuffered->calls }), (std::pair { 2, 2 }));
    EXPECT_EQ(unbuffered->lastClip, (CGUIRect { 0, 0, 300, 300 }));
}

TEST(CGUICustomWindow, TranslucentChildIsComposedOverItsParentAndTheSiblingsBelow)
{
    std::vector<CGUIColor> painted;
    CParentAndChild windows;
    windows.parent.SetContent(new CFillPainter({ 1000, 1000 }, kRed, false, &painted));
    CTestWindow below, translucent, above;
    for (auto [window, area, color] : { std::tuple { &below, CGUIRect { 0, 0, 50, 100 }, kGreen },
             { &translucent, { 10, 10, 100, 100 }, kBlue }, { &above, { 0, 60, 100, 50 }, kYellow } }) {
        CreateShownChild(*window, windows.parent.GetHandle(), area);
        auto* painter = new CFillPainter({ 1000, 1000 }, color, false, &painted);
        painter->area = window == &translucent ? CGUIRect { 60, 0, 10, 10 } : CGUIRect {};
        window->SetContent(painter);
    }
    translucent.SetOpacity(0.5f);
    EXPECT_TRUE(translucent.IsLayered());
    EXPECT_FALSE(below.IsLayered());

    CTestImage image(100, 100, 32);
    image.Fill(CGUIColor {});
    painted.clear();
    SendMessageA(translucent.GetHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image.DC()), PRF_CLIENT);
    EXPECT_EQ(painted, (std::vector { kRed, kGreen, kBlue }));
    EXPECT_EQ(
        (std::vector { image.At(5, 5), image.At(80, 80), image.At(65, 5) }), (std::vector { kGreen, kRed, kBlue }));
}

TEST(CGUICustomWindow, QuitOnDestroyEndsTheMessageLoopAndTheProcessActivationContextRuns)
{
    CGUIDialogWindow dialog;
    dialog.SetQuitOnDestroy(true);
    ASSERT_TRUE(dialog.CreateDialog(nullptr, 0));
    EXPECT_EQ(GetWindowLongPtrA(dialog.GetHandle(), GWL_STYLE) & WS_CHILD, 0);
    dialog.Destroy();
    MSG message {};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0u);
    // Activation: the process default runs, a missing context skips.
    EXPECT_TRUE(CGUIActivationContext().IsActive());
    EXPECT_TRUE(CGUIActivationContext(INVALID_HANDLE_VALUE).IsActive());
    EXPECT_FALSE(CGUIActivationContext(nullptr).IsActive());
}
