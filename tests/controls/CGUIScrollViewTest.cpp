#include "controls/CGUIScrollView.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
// A scroll view of 200 × 100 client pixels with both bars over content of
// 1000 × 1000: one framework child at the content's origin whose position
// shows the scrolling.
struct CScrollFixture {
    CPlainWindow top { DefWindowProcA, true };
    CTestWindow parent;
    CGUIScrollView view;
    CGUICustomWindow content;

    CScrollFixture()
    {
        parent.SetVisible(true);
        parent.SetSize(CGUISize { 400, 300 });
        EXPECT_TRUE(parent.CreateChild(top.Get(), true, false));
        CreateView();
    }
    void CreateView()
    {
        view.SetVisible(true);
        view.SetSize(CGUISize { 250, 150 });
        EXPECT_TRUE(view.Create(&parent));
        SetWindowLongPtrA(Hwnd(), GWL_STYLE, GetWindowLongPtrA(Hwnd(), GWL_STYLE) | WS_VSCROLL | WS_HSCROLL);
        SetWindowPos(Hwnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        // Both bars shown (a new window needs a new content size).
        view.SetContentSize(CGUISize {});
        view.SetContentSize(CGUISize { 1000, 1000 });
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
};
} // namespace

TEST(CGUIScrollView, BarRequestsAndKeysMoveTheContentAndUnusedKeysGoToIt)
{
    const struct {
        UINT message;
        WPARAM request;
        LPARAM repeats;
        CGUIPoint position; // of the bars afterwards
    } steps[] = {
        { WM_VSCROLL, SB_LINEDOWN, 0, { 0, 5 } }, // line step 5
        { WM_VSCROLL, SB_PAGEDOWN, 0, { 0, 105 } },
        // Not tracking: the thumb position is where the bar is.
        { WM_VSCROLL, SB_THUMBTRACK, 0, { 0, 105 } },
        { WM_VSCROLL, SB_THUMBPOSITION, 0, { 0, 105 } },
        { WM_VSCROLL, SB_BOTTOM, 0, { 0, 901 } },
        { WM_VSCROLL, SB_TOP, 0, { 0, 0 } },
        { WM_HSCROLL, SB_PAGEDOWN, 0, { 200, 0 } },
        { WM_HSCROLL, SB_LEFT, 0, { 200, 0 } },
        { WM_HSCROLL, SB_RIGHT, 0, { 200, 0 } },
        { WM_KEYDOWN, VK_NEXT, 1, { 200, 100 } },
        { WM_KEYDOWN, VK_DOWN, 3, { 200, 115 } },
        { WM_KEYDOWN, VK_RIGHT, 2, { 202, 115 } },
        { WM_KEYDOWN, VK_PRIOR, 1, { 202, 15 } },
        { WM_KEYDOWN, VK_HOME, 1, { 202, 15 } },
        { WM_CHAR, VK_PRIOR, 1, { 202, 15 } },
    };
    CScrollFixture fixture;
    CEventRecorder content;
    fixture.view.SetContentListeners(nullptr, &content);
    fixture.view.SetVerticalLineStep(5);
    for (const auto& step : steps) {
        SCOPED_TRACE(::testing::Message() << step.message << " " << step.request);
        SendMessageA(fixture.Hwnd(), step.message, step.request, step.repeats);
        EXPECT_EQ((CGUIPoint { fixture.Position(SB_HORZ), fixture.Position(SB_VERT) }), step.position);
        EXPECT_EQ(fixture.ContentAt(), (CGUIPoint { -step.position.x, -step.position.y }));
    }
    ASSERT_EQ(content.Names(), (std::vector<std::string> { "KeyDown", "KeyDown" }));
    EXPECT_EQ(content.calls[0].point.x, VK_HOME);
    EXPECT_EQ(content.calls[1].point.x, VK_PRIOR);
}

namespace {
// Sets the user's wheel lines per notch for the scope of a test.
struct CWheelLines {
    UINT saved = 3;
    explicit CWheelLines(UINT lines)
    {
        SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &saved, 0);
        SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, lines, nullptr, 0);
    }
    ~CWheelLines() { SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, saved, nullptr, 0); }
};
} // namespace

TEST(CGUIScrollView, SmallWheelTurnsAddUpAndANotchScrollsTheUsersLines)
{
    const struct {
        const char* name;
        UINT linesPerNotch;
        std::vector<int> deltas;
        int position; // from 500, line step 5, page 100
    } cases[] = {
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
    CScrollFixture fixture;
    for (const auto& wheel : cases) {
        SCOPED_TRACE(wheel.name);
        const CWheelLines lines(wheel.linesPerNotch);
        fixture.view.Destroy();
        fixture.CreateView();
        fixture.view.SetVerticalLineStep(5);
        fixture.view.ScrollVerticalBy(100);
        ASSERT_EQ(fixture.Position(SB_VERT), 500);
        for (int delta : wheel.deltas) {
            SendMessageA(fixture.Hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
        }
        EXPECT_EQ(fixture.ContentAt(), (CGUIPoint { 0, -wheel.position }));
    }
}

TEST(CGUIScrollView, ShowRectScrollsTheLeastDistanceAndHugeRequestsSaturate)
{
    const struct {
        CGUIRect rect;
        CGUIPoint contentAt;
    } steps[] = {
        { { 50, 150, 20, 30 }, { 0, -80 } }, // bottom edge to the bottom of the view
        { { 50, -10, 20, 30 }, { 0, -70 } }, // top edge to the top
        { { 190, 10, 300, 30 }, { -190, -70 } }, // wider than the view: its start
        { { 0, 0, 200, 100 }, { -190, -70 } }, // already inside
    };
    CScrollFixture fixture;
    for (const auto& step : steps) {
        fixture.view.ShowRect(step.rect);
        EXPECT_EQ(fixture.ContentAt(), step.contentAt) << step.rect.x << "," << step.rect.y;
    }
    // 2 × 0x7FFFFFFF wraps to −2 in 32 bits.
    fixture.view.SetVerticalLineStep(2);
    fixture.view.SetHorizontalLineStep(2);
    fixture.view.ScrollVerticalBy(0x7FFFFFFF);
    fixture.view.ScrollHorizontalBy(0x7FFFFFFF);
    EXPECT_EQ(fixture.ContentAt(), (CGUIPoint { -801, -901 }));
    fixture.view.ScrollVerticalBy(-0x7FFFFFFF - 1);
    EXPECT_EQ(fixture.ContentAt(), (CGUIPoint { -801, 0 }));
}

TEST(CGUIScrollView, ContentFollowsTheBarsWhenTheSystemClampsThem)
{
    CScrollFixture fixture;
    // The same content size again leaves the bars alone.
    SCROLLINFO info {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE;
    info.nMax = 500;
    SetScrollInfo(fixture.Hwnd(), SB_VERT, &info, FALSE);
    fixture.view.SetContentSize(CGUISize { 1000, 1000 });
    GetScrollInfo(fixture.Hwnd(), SB_VERT, &info);
    EXPECT_EQ(info.nMax, 500);
    fixture.view.SetContentSize(CGUISize { 1000, 999 });
    fixture.view.SetContentSize(CGUISize { 1000, 1000 });

    SendMessageA(fixture.Hwnd(), WM_VSCROLL, SB_BOTTOM, 0);
    SendMessageA(fixture.Hwnd(), WM_HSCROLL, SB_PAGEDOWN, 0);
    // A larger view: the bar's end comes closer.
    const CGUISize outer = fixture.view.GetSize();
    fixture.view.SetSize(CGUISize { outer.width, outer.height + 100 });
    EXPECT_EQ(fixture.ContentAt(), (CGUIPoint { -200, -801 }));
    fixture.view.SetContentSize(CGUISize { 1000, 500 });
    EXPECT_EQ(fixture.ContentAt(), (CGUIPoint { -200, -301 }));
    // Content smaller than the view stays at the origin.
    fixture.view.SetContentSize(CGUISize { 50, 50 });
    SendMessageA(fixture.Hwnd(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(fixture.ContentAt(), (CGUIPoint { 0, 0 }));
    EXPECT_EQ(fixture.Position(SB_VERT), 0);
}

namespace {
// Counts the paints it gets.
struct CPaintCountingWindow : CGUICustomWindow {
    int paints = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        paints += message == WM_PAINT;
        return CGUICustomWindow::WindowProc(message, wParam, lParam);
    }
};

// Keeps the update region's box of every paint.
struct CUpdateRecordingView : CGUIScrollView {
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
} // namespace

TEST(CGUIScrollView, ScrollingRepaintsOnlyTheUncoveredBand)
{
    CScrollFixture fixture;
    CTestWindow& parent = fixture.parent;
    CUpdateRecordingView view;
    view.SetVisible(true);
    view.SetSize(CGUISize { 200, 100 });
    ASSERT_TRUE(view.Create(&parent));
    EXPECT_NE(GetWindowLongPtrA(view.GetHandle(), GWL_STYLE) & WS_CLIPCHILDREN, 0);
    SetWindowLongPtrA(view.GetHandle(), GWL_STYLE, GetWindowLongPtrA(view.GetHandle(), GWL_STYLE) | WS_VSCROLL);
    view.SetContentSize(CGUISize { 100, 1000 });
    // Rows of opaque children, 20 pixels apart; one translucent.
    std::vector<std::unique_ptr<CPaintCountingWindow>> rows;
    for (int i = 0; i < 10; ++i) {
        rows.push_back(std::make_unique<CPaintCountingWindow>());
        rows.back()->SetVisible(true);
        rows.back()->SetPosition(CGUIPoint { 10, i * 20 });
        rows.back()->SetSize(CGUISize { 50, 15 });
        rows.back()->SetOpacity(i == 3 ? 0.5f : 1.0f);
        ASSERT_TRUE(rows.back()->Create(&view));
    }
    RedrawWindow(fixture.top.Get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpPending();
    view.updates.clear();
    for (auto& row : rows) {
        row->paints = 0;
    }
    view.SetVerticalLineStep(3);
    view.ScrollVerticalBy(1);
    PumpPending();

    const CGUISize client = view.GetClientSize();
    ASSERT_EQ(view.updates.size(), 1u);
    const RECT& band = view.updates[0];
    EXPECT_EQ((CGUIRect { band.left, band.top, band.right, band.bottom }),
        (CGUIRect { 0, client.height - 3, client.width, client.height }));
    for (size_t i = 0; i < rows.size(); ++i) {
        // Row 5 (at 100 − 3 after the scroll) reaches into the band.
        EXPECT_EQ(rows[i]->paints, i == 5 ? 1 : 0) << i;
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
