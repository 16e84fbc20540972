#include "GUITestImage.h"
#include "GUITestSupport.h"
#include "RecordingWindow.h"
#include "runtime/CGUIWindowClassRegistry.h"
#include "runtime/GUIModule.h"
#include "window/CGUIActivationContext.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <new>

namespace {
using Events = std::vector<std::string>;

const CGUIColor kRed { 255, 0, 0 };
const CGUIColor kGreen { 0, 255, 0 };
const CGUIColor kBlue { 0, 0, 255 };
const CGUIColor kYellow { 255, 255, 0 };

LPARAM At(int x, int y)
{
    return MAKELPARAM(x, y);
}

// A visible top-level window with a 100 × 100 child at the top-left.
struct ParentAndChild {
    RecordingWindow parent;
    RecordingWindow child;

    ParentAndChild()
    {
        parent.SetVisible(true);
        EXPECT_TRUE(parent.CreateDialog(nullptr, 0));
        parent.SetPosition(CGUIPoint { 10, 10 });
        parent.SetSize(CGUISize { 300, 300 });
        child.SetVisible(true);
        child.SetSize(CGUISize { 100, 100 });
        EXPECT_TRUE(child.CreateChild(parent.GetHandle(), false, true));
        child.events.clear();
        parent.events.clear();
    }
};

// The colour of a pixel of a 32-bit back buffer, top-down coordinates.
CGUIColor BufferPixel(const IGUIImage& image, int32_t x, int32_t y)
{
    CGUISize size;
    image.GetSize(size);
    const auto* bits = static_cast<const uint32_t*>(image.GetBits());
    const uint32_t value = bits[static_cast<size_t>(size.height - 1 - y) * size.width + x];
    return CGUIColor { static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8),
        static_cast<uint8_t>(value) };
}
} // namespace

TEST(CGUICustomWindow, ChildClassIsRegisteredOnceAndStylesFollowTheFlags)
{
    RecordingWindow parent;
    ASSERT_TRUE(parent.CreateDialog(nullptr, 0));
    const CGUIString className = MakeModuleClassName("::_GUIChildWindowClass_");

    RecordingWindow hidden, disabled;
    disabled.SetVisible(true);
    disabled.SetEnabled(false);
    ASSERT_TRUE(hidden.CreateChild(parent.GetHandle(), false, false));
    const int32_t classes = CGUIWindowClassRegistry::GetInstance().GetCount();
    ASSERT_TRUE(disabled.CreateChild(parent.GetHandle(), true, false));

    EXPECT_TRUE(CGUIWindowClassRegistry::GetInstance().IsRegistered(className.GetText()));
    EXPECT_EQ(CGUIWindowClassRegistry::GetInstance().GetCount(), classes);
    const LONG_PTR hiddenStyle = GetWindowLongPtrA(hidden.GetHandle(), GWL_STYLE);
    const LONG_PTR disabledStyle = GetWindowLongPtrA(disabled.GetHandle(), GWL_STYLE);
    EXPECT_EQ(hiddenStyle & (WS_VISIBLE | WS_DISABLED | WS_CLIPCHILDREN), 0);
    EXPECT_EQ(hiddenStyle & (WS_CHILD | WS_CLIPSIBLINGS), WS_CHILD | WS_CLIPSIBLINGS);
    EXPECT_EQ(disabledStyle & (WS_VISIBLE | WS_DISABLED | WS_CLIPCHILDREN), WS_VISIBLE | WS_DISABLED | WS_CLIPCHILDREN);
    EXPECT_EQ(CGUIWindow::FromHandle(disabled.GetHandle()), &disabled);
    EXPECT_EQ(hidden.events, (Events { "create" }));
}

TEST(CGUICustomWindow, OnCreateReturningFalseFailsTheCreation)
{
    RecordingWindow parent;
    ASSERT_TRUE(parent.CreateDialog(nullptr, 0));
    RecordingWindow child;
    child.createResult = false;
    EXPECT_FALSE(child.CreateChild(parent.GetHandle(), false, false));
    EXPECT_FALSE(child.IsCreated());
    EXPECT_EQ(GetWindow(parent.GetHandle(), GW_CHILD), nullptr);
}

TEST(CGUICustomWindow, AClickNeedsPressAndReleaseInside)
{
    ParentAndChild windows;
    RecordingWindow& child = windows.child;
    const HWND hwnd = child.GetHandle();
    {
        SCOPED_TRACE("pressed inside, released outside");
        SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
        SendMessageA(hwnd, WM_LBUTTONUP, 0, At(150, 10));
        EXPECT_EQ(child.events, (Events { "left down" }));
    }
    child.events.clear();
    {
        SCOPED_TRACE("pressed outside, released inside");
        SendMessageA(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, At(-5, 10));
        SendMessageA(hwnd, WM_RBUTTONUP, 0, At(10, 10));
        EXPECT_EQ(child.events, (Events { "right up" }));
    }
    child.events.clear();
    {
        SCOPED_TRACE("a whole click, then a double click");
        SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
        SendMessageA(hwnd, WM_LBUTTONUP, 0, At(12, 12));
        SendMessageA(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, At(12, 12));
        SendMessageA(hwnd, WM_LBUTTONUP, 0, At(12, 12));
        EXPECT_EQ(child.events, (Events { "left down", "left up", "left click", "left double", "left up" }));
    }
}

TEST(CGUICustomWindow, MouseTrackingEntersLeavesAndFollowsTheCapture)
{
    ParentAndChild windows;
    RecordingWindow& child = windows.child;
    const HWND hwnd = child.GetHandle();
    int enterLeave = 0;
    struct Counter : IGUIListener {
        int& count;
        explicit Counter(int& c)
            : count(c)
        {
        }
        void OnNotify() override { ++count; }
    } counter(enterLeave);
    child.GetMouseEnterLeaveNotifier().AddListener(&counter);

    SendMessageA(hwnd, WM_MOUSEMOVE, 0, At(5, 5));
    EXPECT_TRUE(child.IsMouseInside());
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, At(6, 5));
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, At(200, 5));
    EXPECT_FALSE(child.IsMouseInside());
    EXPECT_EQ(child.events, (Events { "enter", "move 5,5", "move 6,5", "leave" }));
    EXPECT_EQ(enterLeave, 2);

    child.events.clear();
    child.SetCapture();
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, At(5, 5));
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, At(300, -20));
    child.ReleaseCapture();
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, At(301, -20));
    EXPECT_EQ(child.events, (Events { "enter", "move 5,5", "move 300,-20", "leave" }));
    child.GetMouseEnterLeaveNotifier().RemoveListener(&counter);
}

TEST(CGUICustomWindow, UnwantedKeysGoToTheParentAndWantedOnesStay)
{
    ParentAndChild windows;
    windows.parent.wantsKeys = true;
    SendMessageA(windows.child.GetHandle(), WM_KEYDOWN, 'A', 1);
    SendMessageA(windows.child.GetHandle(), WM_KEYUP, 'A', 1);
    EXPECT_EQ(windows.child.events, Events {});
    EXPECT_EQ(windows.parent.events, (Events { "key down 65", "key up 65" }));

    windows.parent.events.clear();
    windows.child.wantsKeys = true;
    SendMessageA(windows.child.GetHandle(), WM_CHAR, 'b', 1);
    EXPECT_EQ(windows.child.events, (Events { "key down 98" }));
    EXPECT_EQ(windows.parent.events, Events {});
    EXPECT_EQ(SendMessageA(windows.child.GetHandle(), WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS);
}

TEST(CGUICustomWindow, CommandsAndNotificationsAreReflectedToTheSendingControl)
{
    ParentAndChild windows;
    const HWND control = windows.child.GetHandle();
    const WPARAM command = MAKEWPARAM(17, BN_CLICKED);
    SendMessageA(windows.parent.GetHandle(), WM_COMMAND, command, reinterpret_cast<LPARAM>(control));
    // A menu command (no control) is not reflected anywhere.
    SendMessageA(windows.parent.GetHandle(), WM_COMMAND, 5, 0);
    EXPECT_EQ(windows.child.reflectedCommands, (std::vector<WPARAM> { command }));
    EXPECT_EQ(windows.child.events, (Events { "reflected 1" }));
}

TEST(CGUICustomWindow, NcDestroyUnbindsAndPutsThePreviousProcedureBack)
{
    ParentAndChild windows;
    const HWND native = CreateWindowExA(
        0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, windows.parent.GetHandle(), nullptr, nullptr, nullptr);
    ASSERT_NE(native, nullptr);
    const LONG_PTR original = GetWindowLongPtrA(native, GWLP_WNDPROC);
    RecordingWindow wrapper;
    ASSERT_TRUE(wrapper.Attach(native));
    EXPECT_NE(GetWindowLongPtrA(native, GWLP_WNDPROC), original);
    EXPECT_EQ(CGUIWindow::FromHandle(native), &wrapper);
    EXPECT_NE(wrapper.GetThreadInvoker(), nullptr);

    SendMessageA(native, WM_NCDESTROY, 0, 0);
    EXPECT_EQ(GetPropA(native, "_CGUIWindow::Ptr_"), nullptr);
    EXPECT_EQ(GetWindowLongPtrA(native, GWLP_WNDPROC), original);
    EXPECT_FALSE(wrapper.IsCreated());
    EXPECT_EQ(wrapper.GetThreadInvoker(), nullptr);
    DestroyWindow(native);
}

TEST(CGUICustomWindow, ADeletedObjectIsNeverCalledByItsWindow)
{
    ParentAndChild windows;
    alignas(RecordingWindow) unsigned char storage[sizeof(RecordingWindow)];
    auto* child = new (storage) RecordingWindow;
    child->SetVisible(true);
    ASSERT_TRUE(child->CreateChild(windows.parent.GetHandle(), false, false));
    const HWND hwnd = child->GetHandle();
    child->~RecordingWindow();
    // Any call through the dead object would now jump through a poisoned table.
    std::memset(storage, 0xDD, sizeof(storage));
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(CGUIWindow::FromHandle(hwnd), nullptr);
    SendMessageA(windows.parent.GetHandle(), WM_COMMAND, 1, reinterpret_cast<LPARAM>(hwnd));
}

TEST(CGUICustomWindow, BackBufferRepaintsOnlyWhatWasInvalidated)
{
    ParentAndChild windows;
    Events log;
    auto* painter = new FillPainter("child", kRed, log);
    windows.child.SetBackBuffered(true);
    windows.child.SetContent(painter);
    const HWND hwnd = windows.child.GetHandle();
    UpdateWindow(hwnd);
    ASSERT_EQ(painter->calls, 1);
    ASSERT_NE(windows.child.GetBackBuffer(), nullptr);
    EXPECT_EQ(BufferPixel(*windows.child.GetBackBuffer(), 50, 50), kRed);

    painter->SetColor(kGreen);
    const CGUIRect part { 0, 0, 10, 20 };
    windows.child.Invalidate(&part, false);
    UpdateWindow(hwnd);
    EXPECT_EQ(painter->calls, 2);
    EXPECT_EQ(painter->lastClip, part);
    EXPECT_EQ(BufferPixel(*windows.child.GetBackBuffer(), 5, 5), kGreen);
    EXPECT_EQ(BufferPixel(*windows.child.GetBackBuffer(), 50, 50), kRed);

    // Uncovered by the system, not invalidated through the window: copied
    // from the buffer, not repainted.
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
    EXPECT_EQ(painter->calls, 2);
}

TEST(CGUICustomWindow, WithoutBackBufferEveryPaintRepaints)
{
    ParentAndChild windows;
    Events log;
    auto* painter = new FillPainter("child", kRed, log);
    windows.child.SetContent(painter);
    const HWND hwnd = windows.child.GetHandle();
    UpdateWindow(hwnd);
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
    EXPECT_EQ(painter->calls, 2);
    EXPECT_EQ(painter->lastClip, (CGUIRect { 0, 0, 100, 100 }));
}

TEST(CGUICustomWindow, TranslucentChildIsComposedOverItsParentAndTheSiblingsBelow)
{
    Events log;
    RecordingWindow parent;
    ASSERT_TRUE(parent.CreateDialog(nullptr, 0));
    parent.SetContent(new FillPainter("parent", kRed, log));
    RecordingWindow below, translucent, above;
    for (RecordingWindow* window : { &below, &translucent, &above }) {
        window->SetVisible(true);
    }
    below.SetSize(CGUISize { 50, 100 });
    translucent.SetSize(CGUISize { 100, 100 });
    translucent.SetPosition(CGUIPoint { 10, 10 });
    above.SetPosition(CGUIPoint { 0, 60 });
    above.SetSize(CGUISize { 100, 50 });
    ASSERT_TRUE(below.CreateChild(parent.GetHandle(), false, false));
    ASSERT_TRUE(translucent.CreateChild(parent.GetHandle(), false, false));
    ASSERT_TRUE(above.CreateChild(parent.GetHandle(), false, false));
    below.SetContent(new FillPainter("below", kGreen, log));
    above.SetContent(new FillPainter("above", kYellow, log));
    auto* own = new FillPainter("translucent", kBlue, log);
    own->area = CGUIRect { 60, 0, 10, 10 };
    translucent.SetContent(own);
    translucent.SetOpacity(0.5f);
    EXPECT_TRUE(translucent.IsLayered());
    EXPECT_FALSE(below.IsLayered());

    CTestImage image(100, 100, 32);
    image.Fill(CGUIColor {});
    log.clear();
    SendMessageA(translucent.GetHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image.DC()), PRF_CLIENT);
    EXPECT_EQ(log, (Events { "parent", "below", "translucent" }));
    EXPECT_EQ(image.At(5, 5), kGreen);
    EXPECT_EQ(image.At(80, 80), kRed);
    EXPECT_EQ(image.At(65, 5), kBlue);
}

TEST(CGUICustomWindow, DialogWithQuitOnDestroyEndsTheMessageLoop)
{
    CGUIDialogWindow dialog;
    dialog.SetQuitOnDestroy(true);
    ASSERT_TRUE(dialog.CreateDialog(nullptr, 0));
    EXPECT_EQ(GetWindowLongPtrA(dialog.GetHandle(), GWL_STYLE) & WS_CHILD, 0);
    dialog.Destroy();
    MSG message {};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0u);
    EXPECT_FALSE(dialog.IsCreated());
}

TEST(CGUIActivationContext, ProcessDefaultRunsAndAMissingContextSkips)
{
    EXPECT_TRUE(CGUIActivationContext().IsActive());
    EXPECT_TRUE(CGUIActivationContext(INVALID_HANDLE_VALUE).IsActive());
    EXPECT_FALSE(CGUIActivationContext(nullptr).IsActive());
}
