#include "CCountingListener.h"
#include "GUITestImage.h"
#include "WindowTestSupport.h"
#include "runtime/CGUIWindowClassRegistry.h"
#include "runtime/GUIModule.h"
#include "window/CGUIActivationContext.h"

#include <gtest/gtest.h>

namespace {
using Names = std::vector<std::string>;

const CGUIColor kRed { 255, 0, 0 };
const CGUIColor kGreen { 0, 255, 0 };
const CGUIColor kBlue { 0, 0, 255 };
const CGUIColor kYellow { 255, 255, 0 };

// A shown 300 × 300 framework window with a 100 × 100 child at its top-left.
struct CParentAndChild {
    CPlainWindow top { DefWindowProcA, true };
    CTestWindow parent;
    CTestWindow child;

    CParentAndChild()
    {
        parent.SetVisible(true);
        parent.SetSize(CGUISize { 300, 300 });
        EXPECT_TRUE(parent.CreateChild(top.Get(), false, false));
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
    EXPECT_EQ(hidden.events.Names(), Names { "Create" });

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
    // A click needs press and release inside.
    const struct {
        const char* name;
        std::vector<std::pair<UINT, int>> messages; // at x, y = 10
        Names events;
    } cases[] = {
        { "pressed inside, released outside", { { WM_LBUTTONDOWN, 10 }, { WM_LBUTTONUP, 150 } }, { "LeftDown" } },
        { "pressed outside, released inside", { { WM_RBUTTONDOWN, -5 }, { WM_RBUTTONUP, 10 } }, { "RightUp" } },
        { "a click, then a double click",
            { { WM_LBUTTONDOWN, 10 }, { WM_LBUTTONUP, 12 }, { WM_LBUTTONDBLCLK, 12 }, { WM_LBUTTONUP, 12 } },
            { "LeftDown", "LeftUp", "LeftClick", "LeftDoubleClick", "LeftUp" } },
    };
    CParentAndChild windows;
    CTestWindow& child = windows.child;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        child.events.calls.clear();
        for (const auto& [message, x] : c.messages) {
            windows.Send(message, 0, x, 10);
        }
        EXPECT_EQ(child.events.Names(), c.events);
    }

    // Tracking enters and leaves, and follows the capture.
    child.events.calls.clear();
    CCountingListener enterLeave(child.GetMouseEnterLeaveNotifier());
    windows.Send(WM_MOUSEMOVE, 0, 5, 5);
    EXPECT_TRUE(child.IsMouseInside());
    windows.Send(WM_MOUSEMOVE, 0, 200, 5);
    EXPECT_FALSE(child.IsMouseInside());
    EXPECT_EQ(enterLeave.count, 2);
    child.SetCapture();
    windows.Send(WM_MOUSEMOVE, 0, 5, 5);
    windows.Send(WM_MOUSEMOVE, 0, 300, -20);
    child.ReleaseCapture();
    windows.Send(WM_MOUSEMOVE, 0, 301, -20);
    EXPECT_EQ(child.events.Names(),
        (Names { "MouseEnter", "MouseMove", "MouseLeave", "MouseEnter", "MouseMove", "MouseMove", "MouseLeave" }));
    EXPECT_EQ(child.events.calls[5].point, (CGUIPoint { 300, -20 }));

    // Unwanted keys go to the parent, wanted ones stay.
    child.events.calls.clear();
    windows.parent.events.wantsKeys = true;
    windows.Send(WM_KEYDOWN, 'A', 1, 0);
    windows.Send(WM_KEYUP, 'A', 1, 0);
    EXPECT_EQ(child.events.Names(), Names {});
    EXPECT_EQ(windows.parent.events.Names(), (Names { "KeyDown", "KeyUp" }));
    windows.parent.events.calls.clear();
    child.events.wantsKeys = true;
    windows.Send(WM_CHAR, 'b', 1, 0);
    ASSERT_EQ(child.events.Names(), Names { "KeyDown" });
    EXPECT_EQ(child.events.calls[0].point.x, 'b');
    EXPECT_EQ(windows.parent.events.Names(), Names {});
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
    EXPECT_EQ(BufferPixel(*windows.child.GetBackBuffer(), 5, 5), kGreen);
    EXPECT_EQ(BufferPixel(*windows.child.GetBackBuffer(), 50, 50), kRed);

    // Uncovered by the system, not invalidated through the window: copied
    // from the buffer, not repainted; without a buffer, repainted.
    auto* unbuffered = new CFillPainter({ 300, 300 }, kRed);
    windows.parent.SetContent(unbuffered);
    for (const HWND window : { hwnd, windows.parent.GetHandle() }) {
        UpdateWindow(window);
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
    }
    EXPECT_EQ(painter->calls, 2);
    EXPECT_EQ(unbuffered->calls, 2);
    EXPECT_EQ(unbuffered->lastClip, (CGUIRect { 0, 0, 300, 300 }));
}

TEST(CGUICustomWindow, TranslucentChildIsComposedOverItsParentAndTheSiblingsBelow)
{
    Names log;
    CParentAndChild windows;
    CTestWindow& parent = windows.parent;
    parent.SetContent(new CFillPainter({ 1000, 1000 }, kRed, false, &log, "parent"));
    CTestWindow below, translucent, above;
    const struct {
        CTestWindow& window;
        CGUIRect area;
        CGUIColor color;
        const char* name;
    } children[] = { { below, { 0, 0, 50, 100 }, kGreen, "below" },
        { translucent, { 10, 10, 100, 100 }, kBlue, "translucent" }, { above, { 0, 60, 100, 50 }, kYellow, "above" } };
    for (const auto& c : children) {
        c.window.SetVisible(true);
        c.window.SetPosition({ c.area.x, c.area.y });
        c.window.SetSize({ c.area.width, c.area.height });
        ASSERT_TRUE(c.window.CreateChild(parent.GetHandle(), false, false));
        auto* painter = new CFillPainter({ 1000, 1000 }, c.color, false, &log, c.name);
        painter->area = &c.window == &translucent ? CGUIRect { 60, 0, 10, 10 } : CGUIRect {};
        c.window.SetContent(painter);
    }
    translucent.SetOpacity(0.5f);
    EXPECT_TRUE(translucent.IsLayered());
    EXPECT_FALSE(below.IsLayered());

    CTestImage image(100, 100, 32);
    image.Fill(CGUIColor {});
    log.clear();
    SendMessageA(translucent.GetHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image.DC()), PRF_CLIENT);
    EXPECT_EQ(log, (Names { "parent", "below", "translucent" }));
    EXPECT_EQ(image.At(5, 5), kGreen);
    EXPECT_EQ(image.At(80, 80), kRed);
    EXPECT_EQ(image.At(65, 5), kBlue);
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
