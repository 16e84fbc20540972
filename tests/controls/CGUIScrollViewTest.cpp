#include "controls/CGUIScrollView.h"
#include "window/CGUIDialogWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

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
        CreateView();
    }

    // (Re)creates the view and its content.
    void CreateView()
    {
        view.SetVisible(true);
        view.SetSize(CGUISize { 250, 150 });
        EXPECT_TRUE(view.Create(&dialog));
        const HWND hwnd = view.GetHandle();
        SetWindowLongPtrA(hwnd, GWL_STYLE, GetWindowLongPtrA(hwnd, GWL_STYLE) | WS_VSCROLL | WS_HSCROLL);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        // Content larger than the view shows both bars.
        view.SetContentSize(CGUISize {});
        view.SetContentSize(CGUISize { 1000, 1000 });
        // The outer size that gives a 200 × 100 client area with both bars.
        const CGUISize client = view.GetClientSize();
        const CGUISize outer = view.GetSize();
        view.SetSize(CGUISize { outer.width - client.width + 200, outer.height - client.height + 100 });
        content.SetVisible(true);
        content.SetPosition(CGUIPoint {});
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

TEST(CGUIScrollView, KeysScrollByLineStepsAndPages)
{
    ScrollFixture fixture;
    fixture.view.SetVerticalLineStep(5);
    const HWND hwnd = fixture.Hwnd();
    SendMessageA(hwnd, WM_KEYDOWN, VK_NEXT, 1);
    EXPECT_EQ(fixture.Position(SB_VERT), 100);
    SendMessageA(hwnd, WM_KEYDOWN, VK_PRIOR, 1);
    SendMessageA(hwnd, WM_KEYDOWN, VK_DOWN, 3);
    EXPECT_EQ(fixture.Position(SB_VERT), 15);
    SendMessageA(hwnd, WM_KEYDOWN, VK_RIGHT, 2);
    EXPECT_EQ(fixture.Position(SB_HORZ), 2);
    EXPECT_EQ(fixture.ContentAt(), (CGUIPoint { -2, -15 }));
}

namespace {
// Sets the user's wheel lines per notch for the scope of a test.
struct WheelLines {
    UINT saved = 3;
    explicit WheelLines(UINT lines)
    {
        SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &saved, 0);
        SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, lines, nullptr, 0);
    }
    ~WheelLines() { SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, saved, nullptr, 0); }
};

struct WheelCase {
    const char* name;
    UINT linesPerNotch;
    std::vector<int> deltas;
    int position; // from 500, line step 5, page 100
};
} // namespace

TEST(CGUIScrollView, SmallWheelTurnsAddUpAndANotchScrollsTheUsersLines)
{
    const WheelCase cases[] = {
        { "a notch down", 3, { -120 }, 515 },
        { "two notches up", 3, { 120, 120 }, 470 },
        { "forty small turns", 3, std::vector<int>(40, -3), 515 },
        { "small turns short of a line", 3, std::vector<int>(13, -3), 500 },
        { "a turn back drops the rest", 3, { -70, 40 }, 500 },
        { "one line per notch", 1, { -120, -60, -60 }, 510 },
        { "a page per notch", WHEEL_PAGESCROLL, { -120, -60, -60 }, 700 },
        { "wheel scrolling off", 0, { -120 }, 500 },
        { "huge lines stop at the end", 0x7FFFFFFF, { -120 }, 901 },
    };
    ScrollFixture fixture;
    for (const WheelCase& wheel : cases) {
        SCOPED_TRACE(wheel.name);
        const WheelLines lines(wheel.linesPerNotch);
        fixture.view.Destroy();
        fixture.CreateView();
        fixture.view.SetVerticalLineStep(5);
        fixture.view.ScrollVerticalBy(100);
        ASSERT_EQ(fixture.Position(SB_VERT), 500);
        for (int delta : wheel.deltas) {
            SendMessageA(fixture.Hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
        }
        EXPECT_EQ(fixture.Position(SB_VERT), wheel.position);
        EXPECT_EQ(fixture.ContentAt(), (CGUIPoint { 0, -wheel.position }));
    }
}

TEST(CGUIScrollView, HugeScrollRequestsSaturateInsteadOfWrapping)
{
    ScrollFixture fixture;
    // 2 × 0x7FFFFFFF wraps to −2 in 32 bits.
    fixture.view.SetVerticalLineStep(2);
    fixture.view.SetHorizontalLineStep(2);
    fixture.view.ScrollVerticalBy(0x7FFFFFFF);
    fixture.view.ScrollHorizontalBy(0x7FFFFFFF);
    EXPECT_EQ(fixture.Position(SB_VERT), 901);
    EXPECT_EQ(fixture.Position(SB_HORZ), 801);
    fixture.view.ScrollVerticalBy(-0x7FFFFFFF - 1);
    EXPECT_EQ(fixture.Position(SB_VERT), 0);
    EXPECT_EQ(fixture.ContentAt(), (CGUIPoint { -801, 0 }));
}

TEST(CGUIScrollView, ShowRectScrollsTheLeastDistance)
{
    ScrollFixture fixture;
    fixture.view.ShowRect(CGUIRect { 50, 150, 20, 30 });
    EXPECT_EQ(fixture.ContentAt(), (CGUIPoint { 0, -80 })) << "bottom edge to the bottom of the view";
    fixture.view.ShowRect(CGUIRect { 50, -10, 20, 30 });
    EXPECT_EQ(fixture.ContentAt(), (CGUIPoint { 0, -70 })) << "top edge to the top";
    fixture.view.ShowRect(CGUIRect { 190, 10, 300, 30 });
    EXPECT_EQ(fixture.ContentAt(), (CGUIPoint { -190, -70 })) << "wider than the view: its start";
    fixture.view.ShowRect(CGUIRect { 0, 0, 200, 100 });
    EXPECT_EQ(fixture.ContentAt(), (CGUIPoint { -190, -70 })) << "already inside";
}

TEST(CGUIScrollView, ContentFollowsTheBarsWhenTheSystemClampsThem)
{
    ScrollFixture fixture;
    fixture.Vertical(SB_BOTTOM);
    fixture.Horizontal(SB_PAGEDOWN);
    ASSERT_EQ(fixture.Position(SB_VERT), 901);
    // A larger view: the bar's end comes closer.
    const CGUISize outer = fixture.view.GetSize();
    fixture.view.SetSize(CGUISize { outer.width, outer.height + 100 });
    EXPECT_EQ(fixture.Position(SB_VERT), 801);
    EXPECT_EQ(fixture.ContentAt(), (CGUIPoint { -200, -801 }));
    // Smaller content.
    fixture.view.SetContentSize(CGUISize { 1000, 500 });
    EXPECT_EQ(fixture.ContentAt(), (CGUIPoint { -200, -fixture.Position(SB_VERT) }));
    EXPECT_EQ(fixture.Position(SB_VERT), 301);
    fixture.view.SetContentSize(CGUISize { 50, 50 });
    EXPECT_EQ(fixture.ContentAt(), (CGUIPoint { 0, 0 }));
}

namespace {
// Counts the paints it gets; its client area is what it may paint.
struct PaintCountingWindow : CGUICustomWindow {
    int paints = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        paints += message == WM_PAINT;
        return CGUICustomWindow::WindowProc(message, wParam, lParam);
    }
};

// Keeps the update region's box of every paint.
struct UpdateRecordingView : CGUIScrollView {
    std::vector<RECT> updates;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        RECT update {};
        if (message == WM_PAINT && GetUpdateRect(GetHandle(), &update, FALSE)) {
            updates.push_back(update);
        }
        return CGUIScrollView::WindowProc(message, wParam, lParam);
    }
};

void DispatchPending()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&message);
    }
}
} // namespace

TEST(CGUIScrollView, ScrollingRepaintsOnlyTheUncoveredBand)
{
    CGUIDialogWindow dialog;
    dialog.SetVisible(true);
    ASSERT_TRUE(dialog.CreateDialog(nullptr, 0));
    UpdateRecordingView view;
    view.SetVisible(true);
    view.SetSize(CGUISize { 200, 100 });
    ASSERT_TRUE(view.Create(&dialog));
    EXPECT_NE(GetWindowLongPtrA(view.GetHandle(), GWL_STYLE) & WS_CLIPCHILDREN, 0);
    SetWindowLongPtrA(view.GetHandle(), GWL_STYLE, GetWindowLongPtrA(view.GetHandle(), GWL_STYLE) | WS_VSCROLL);
    view.SetContentSize(CGUISize { 100, 1000 });
    // Rows of opaque children, 20 pixels apart; one translucent.
    std::vector<std::unique_ptr<PaintCountingWindow>> rows;
    for (int i = 0; i < 10; ++i) {
        rows.push_back(std::make_unique<PaintCountingWindow>());
        PaintCountingWindow& row = *rows.back();
        row.SetVisible(true);
        row.SetPosition(CGUIPoint { 10, i * 20 });
        row.SetSize(CGUISize { 50, 15 });
        row.SetOpacity(i == 3 ? 0.5f : 1.0f);
        ASSERT_TRUE(row.Create(&view));
    }
    RedrawWindow(dialog.GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    DispatchPending();
    view.updates.clear();
    for (auto& row : rows) {
        row->paints = 0;
    }

    view.SetVerticalLineStep(3);
    view.ScrollVerticalBy(1);
    DispatchPending();

    const CGUISize client = view.GetClientSize();
    ASSERT_EQ(view.updates.size(), 1u);
    const RECT& band = view.updates[0];
    EXPECT_EQ(band.left, 0);
    EXPECT_EQ(band.top, client.height - 3);
    EXPECT_EQ(band.right, client.width);
    EXPECT_EQ(band.bottom, client.height);
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        // Row 5 (at 100 − 3 after the scroll) reaches into the band.
        EXPECT_EQ(rows[i]->paints, i == 5 ? 1 : 0);
    }

    // The translucent row shows the view's background through it, although
    // the view clips its children.
    view.GetBackgroundFill().SetColor(CGUIColor { 200, 30, 40 });
    view.GetBackgroundFill().GetChangeNotifier().Notify();
    const HWND translucent = rows[3]->GetHandle();
    RedrawWindow(translucent, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const HDC dc = GetDC(translucent);
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(200, 30, 40));
    ReleaseDC(translucent, dc);
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
