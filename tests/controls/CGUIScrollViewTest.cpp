#include "CGUIScrollView.h"
#include "CGUIDialogWindow.h"

#include <gtest/gtest.h>

namespace {
// A shown scroll view of 200 × 100 client pixels with both bars over content
// of 1000 × 1000, holding one
// framework child at the content's origin whose position shows the scrolling.
struct ScrollFixture {
    CGUIDialogWindow dialog;
    CGUIScrollView view;
    CGUICustomWindow content;

    ScrollFixture()
    {
        dialog.SetVisible(true);
        EXPECT_TRUE(dialog.CreateDialog(nullptr, 0));
        view.SetVisible(true);
        view.SetSize(CGUISize { 250, 150 });
        EXPECT_TRUE(view.Create(&dialog));
        const HWND hwnd = view.GetHandle();
        SetWindowLongPtrA(hwnd, GWL_STYLE, GetWindowLongPtrA(hwnd, GWL_STYLE) | WS_VSCROLL | WS_HSCROLL);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        // Content larger than the view shows both bars.
        view.SetContentSize(CGUISize { 1000, 1000 });
        // The outer size that gives a 200 × 100 client area with both bars.
        const CGUISize client = view.GetClientSize();
        const CGUISize outer = view.GetSize();
        view.SetSize(CGUISize { outer.width - client.width + 200, outer.height - client.height + 100 });
        content.SetVisible(true);
        content.SetSize(CGUISize { 1000, 1000 });
        EXPECT_TRUE(content.Create(&view));
    }

    HWND Hwnd() { return view.GetHandle(); }
    int Position(int bar) { return GetScrollPos(Hwnd(), bar); }
    CGUIPoint ContentAt() { return content.GetPositionInParent(); }
    void Vertical(int request) { SendMessageA(Hwnd(), WM_VSCROLL, MAKEWPARAM(request, 0), 0); }
    void Horizontal(int request) { SendMessageA(Hwnd(), WM_HSCROLL, MAKEWPARAM(request, 0), 0); }
};

struct KeyRecorder : CGUIKeyboardListener {
    std::vector<UINT> keys;
    void OnKeyDown(const CGUIKeyEvent& event) override { keys.push_back(event.key); }
    bool WantsKey(const CGUIKeyEvent&) override { return true; }
};
} // namespace

TEST(CGUIScrollView, SmallContentKeepsThePositionAtZero)
{
    ScrollFixture fixture;
    fixture.view.SetContentSize(CGUISize { 50, 50 });
    fixture.Vertical(SB_LINEDOWN);
    fixture.Vertical(SB_PAGEDOWN);
    fixture.Horizontal(SB_LINEDOWN);
    EXPECT_EQ(fixture.Position(SB_VERT), 0);
    EXPECT_EQ(fixture.Position(SB_HORZ), 0);
    EXPECT_EQ(fixture.ContentAt(), (CGUIPoint { 0, 0 }));
}

TEST(CGUIScrollView, ScrollBarRequestsMoveTheContent)
{
    ScrollFixture fixture;
    fixture.Vertical(SB_LINEDOWN);
    EXPECT_EQ(fixture.Position(SB_VERT), 1);
    EXPECT_EQ(fixture.ContentAt(), (CGUIPoint { 0, -1 }));
    fixture.Vertical(SB_PAGEDOWN);
    EXPECT_EQ(fixture.Position(SB_VERT), 101);
    // Not tracking: the thumb position is where the bar is, so nothing moves.
    fixture.Vertical(SB_THUMBTRACK);
    fixture.Vertical(SB_THUMBPOSITION);
    EXPECT_EQ(fixture.ContentAt(), (CGUIPoint { 0, -101 }));
    fixture.Vertical(SB_BOTTOM);
    EXPECT_EQ(fixture.Position(SB_VERT), 1000 - 100 + 1);
    fixture.Vertical(SB_TOP);
    EXPECT_EQ(fixture.ContentAt(), (CGUIPoint { 0, 0 }));

    fixture.Horizontal(SB_PAGEDOWN);
    EXPECT_EQ(fixture.Position(SB_HORZ), 200);
    fixture.Horizontal(SB_LEFT);
    fixture.Horizontal(SB_RIGHT);
    EXPECT_EQ(fixture.Position(SB_HORZ), 200);
    EXPECT_EQ(fixture.ContentAt(), (CGUIPoint { -200, 0 }));
}

TEST(CGUIScrollView, WheelAndKeysScrollByLineStepsAndPages)
{
    ScrollFixture fixture;
    fixture.view.SetVerticalLineStep(5);
    const HWND hwnd = fixture.Hwnd();
    SendMessageA(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-2 * WHEEL_DELTA)), 0);
    EXPECT_EQ(fixture.Position(SB_VERT), 10);
    SendMessageA(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(fixture.Position(SB_VERT), 5);
    SendMessageA(hwnd, WM_KEYDOWN, VK_NEXT, 1);
    EXPECT_EQ(fixture.Position(SB_VERT), 105);
    SendMessageA(hwnd, WM_KEYDOWN, VK_PRIOR, 1);
    SendMessageA(hwnd, WM_KEYDOWN, VK_DOWN, 3);
    EXPECT_EQ(fixture.Position(SB_VERT), 20);
    SendMessageA(hwnd, WM_KEYDOWN, VK_RIGHT, 2);
    EXPECT_EQ(fixture.Position(SB_HORZ), 2);
    EXPECT_EQ(fixture.ContentAt(), (CGUIPoint { -2, -20 }));
}

TEST(CGUIScrollView, UnusedKeysGoToTheContent)
{
    ScrollFixture fixture;
    KeyRecorder content;
    fixture.view.SetContentListeners(nullptr, &content);
    SendMessageA(fixture.Hwnd(), WM_KEYDOWN, VK_HOME, 1);
    SendMessageA(fixture.Hwnd(), WM_CHAR, VK_PRIOR, 1);
    SendMessageA(fixture.Hwnd(), WM_KEYDOWN, VK_NEXT, 1);
    EXPECT_EQ(content.keys, (std::vector<UINT> { VK_HOME, VK_PRIOR }));
    EXPECT_EQ(fixture.Position(SB_VERT), 100);
}

TEST(CGUIScrollView, TheSameContentSizeAgainLeavesTheBarsAlone)
{
    ScrollFixture fixture;
    SCROLLINFO other {};
    other.cbSize = sizeof(other);
    other.fMask = SIF_RANGE;
    other.nMax = 500;
    SetScrollInfo(fixture.Hwnd(), SB_VERT, &other, FALSE);
    fixture.view.SetContentSize(CGUISize { 1000, 1000 });
    SCROLLINFO now {};
    now.cbSize = sizeof(now);
    now.fMask = SIF_RANGE;
    GetScrollInfo(fixture.Hwnd(), SB_VERT, &now);
    EXPECT_EQ(now.nMax, 500);
    fixture.view.SetContentSize(CGUISize { 1000, 900 });
    GetScrollInfo(fixture.Hwnd(), SB_VERT, &now);
    EXPECT_EQ(now.nMax, 900);
}
