#include "layout/CGUIWindowLayout.h"

#include "LayoutTestSupport.h"
#include "LayoutTestWindow.h"

#include <gtest/gtest.h>

namespace {
using Mode = CGUIBoxLayout::Mode;
constexpr int32_t kStart = CGUILayoutPlacement::kAlignStart;
constexpr int32_t kCenter = CGUILayoutPlacement::kAlignCenter;
constexpr int32_t kEnd = CGUILayoutPlacement::kAlignEnd;

// A child window of the given size, created in parent.
class ChildWindow : public LayoutTestWindow {
public:
    ChildWindow(IGUIWindow& parent, CGUISize size, DWORD style = WS_CHILD)
        : LayoutTestWindow(style)
    {
        SetSize(size);
        created = Create(&parent);
    }
    bool created;
};

struct FrameCase {
    const char* name;
    DWORD style;
    DWORD exStyle;
    bool menu;
};

void PrintTo(const FrameCase& c, std::ostream* os)
{
    *os << c.name;
}

const FrameCase kFrameCases[] = {
    { "Overlapped", WS_OVERLAPPEDWINDOW, 0, false },
    { "OverlappedWithMenu", WS_OVERLAPPEDWINDOW, 0, true },
    { "PopupWithoutFrame", WS_POPUP, 0, false },
    { "PopupWithBorderAndClientEdge", WS_POPUP | WS_BORDER, WS_EX_CLIENTEDGE, false },
    { "DialogFrameWithScrollBars", WS_POPUP | WS_CAPTION | WS_DLGFRAME | WS_VSCROLL | WS_HSCROLL, 0, false },
};

class WindowLayoutFrames : public testing::TestWithParam<FrameCase> { };

// Created at 0 x 0 (so the system may give a framed window its minimum
// size), the window must end up with a client area that fits the content
// exactly, and the children sit in client coordinates. The content is wider
// than the smallest overlapped window the system allows.
TEST_P(WindowLayoutFrames, ClientAreaFitsTheContent)
{
    const FrameCase& c = GetParam();
    LayoutTestWindow window(c.style, c.exStyle);
    ASSERT_TRUE(window.Create(nullptr));
    if (c.menu) {
        const HMENU menu = CreateMenu();
        AppendMenuA(menu, MF_STRING, 1, "File");
        ASSERT_TRUE(SetMenu(window.GetHandle(), menu));
    }
    ChildWindow wide(window, { 130, 20 });
    ChildWindow low(window, { 150, 10 });
    ASSERT_TRUE(wide.created && low.created);

    CGUIWindowLayout layout(&window, 4, 4, 4, Mode::Column);
    layout.AddItem(
        new CGUIWindowLayout(&wide, 0, 0, 0, Mode::Column), CGUILayoutPlacement::Aligned(kCenter, kStart), true);
    layout.AddItem(new CGUIWindowLayout(&low, 0, 0, 0, Mode::Column), {}, true);
    layout.UpdatePreferredSize();
    layout.SetPosition({ 10, 20 });

    EXPECT_EQ(window.GetNativeClientSize(), (CGUISize { 158, 42 }));
    EXPECT_EQ(layout.GetSize(), window.GetSize()) << "the preferred outer size is the size the window got";
    const CGUIRect outer = window.GetNativeRect();
    EXPECT_EQ(outer.x, 10);
    EXPECT_EQ(outer.y, 20);
    EXPECT_EQ(wide.GetNativeRect(), (CGUIRect { 14, 4, 130, 20 }));
    EXPECT_EQ(low.GetNativeRect(), (CGUIRect { 4, 28, 150, 10 }));
    window.Destroy();
}

INSTANTIATE_TEST_SUITE_P(CGUIWindowLayout, WindowLayoutFrames, testing::ValuesIn(kFrameCases),
    [](const testing::TestParamInfo<FrameCase>& info) { return std::string(info.param.name); });

// The arrangement of the main window: a large view above a right-aligned
// pair of buttons.
TEST(CGUIWindowLayout, ViewAboveRightAlignedButtons)
{
    LayoutTestWindow window(WS_OVERLAPPEDWINDOW);
    ASSERT_TRUE(window.Create(nullptr));
    ChildWindow view(window, { 500, 400 });
    ChildWindow about(window, { 75, 23 });
    ChildWindow close(window, { 75, 23 });

    CGUIWindowLayout layout(&window, 4, 4, 4, Mode::Column);
    CGUIWindowLayout viewItem(&view, 0, 0, 0, Mode::Column);
    layout.AddItem(&viewItem, CGUILayoutPlacement::Aligned(kCenter, kCenter), false);
    auto* buttons = new CGUIBoxLayout(2, 2, 5, Mode::Row);
    buttons->AddItem(
        new CGUIWindowLayout(&about, 0, 0, 0, Mode::Column), CGUILayoutPlacement::Aligned(kCenter, kCenter), true);
    buttons->AddItem(
        new CGUIWindowLayout(&close, 0, 0, 0, Mode::Column), CGUILayoutPlacement::Aligned(kCenter, kCenter), true);
    layout.AddItem(buttons, CGUILayoutPlacement::Aligned(kEnd, kCenter), true);
    layout.UpdatePreferredSize();
    layout.SetPosition({});

    EXPECT_EQ(window.GetNativeClientSize(), (CGUISize { 508, 439 }));
    EXPECT_EQ(view.GetNativeRect(), (CGUIRect { 4, 4, 500, 400 }));
    EXPECT_EQ(about.GetNativeRect(), (CGUIRect { 347, 410, 75, 23 }));
    EXPECT_EQ(close.GetNativeRect(), (CGUIRect { 427, 410, 75, 23 }));
    window.Destroy();
}

TEST(CGUIWindowLayout, ChildWindowWithItsOwnContentSizesAroundIt)
{
    LayoutTestWindow window(WS_POPUP);
    ASSERT_TRUE(window.Create(nullptr));
    ChildWindow panel(window, { 1, 1 }, WS_CHILD | WS_BORDER);
    ChildWindow inner(panel, { 10, 10 });
    ChildWindow beside(window, { 5, 5 });

    CGUIWindowLayout layout(&window, 3, 3, 6, Mode::Row);
    auto* panelLayout = new CGUIWindowLayout(&panel, 2, 2, 0, Mode::Column);
    panelLayout->AddItem(new CGUIWindowLayout(&inner, 0, 0, 0, Mode::Column), {}, true);
    layout.AddItem(panelLayout, {}, true);
    layout.AddItem(new CGUIWindowLayoutItem(&beside), CGUILayoutPlacement::Aligned(kStart, kEnd), true);
    layout.UpdatePreferredSize();
    layout.SetPosition({ 0, 0 });

    const int32_t border = 2 * GetSystemMetrics(SM_CXBORDER);
    EXPECT_EQ(panel.GetNativeClientSize(), (CGUISize { 14, 14 }));
    EXPECT_EQ(panel.GetNativeRect(), (CGUIRect { 3, 3, 14 + border, 14 + border }));
    EXPECT_EQ(inner.GetNativeRect(), (CGUIRect { 2, 2, 10, 10 })) << "in the panel's client coordinates";
    EXPECT_EQ(beside.GetNativeRect(), (CGUIRect { 3 + 14 + border + 6, 3 + 14 + border - 5, 5, 5 }));
    EXPECT_EQ(window.GetNativeClientSize(), (CGUISize { 3 + 14 + border + 6 + 5 + 3, 3 + 14 + border + 3 }));
    window.Destroy();
}

TEST(CGUIWindowLayout, RearrangesWhenTheClientSizeChanges)
{
    LayoutTestWindow window(WS_POPUP | WS_BORDER);
    ASSERT_TRUE(window.Create(nullptr));
    ChildWindow corner(window, { 10, 10 });
    ChildWindow stretched(window, { 10, 10 });
    CGUIWindowLayout layout(&window, 5, 5, 0, Mode::Stack);
    CGUIWindowLayoutItem cornerItem(&corner);
    CGUIWindowLayoutItem stretchedItem(&stretched);
    CGUILayoutPlacement half;
    half.relativeWidth = 0.5f;
    layout.AddItem(&cornerItem, CGUILayoutPlacement::Aligned(kEnd, kEnd), false);
    layout.AddItem(&stretchedItem, half, false);
    layout.UpdatePreferredSize();
    layout.SetPosition({});
    ASSERT_EQ(window.GetNativeClientSize(), (CGUISize { 20, 20 }));

    const CGUISize frame = window.GetSize();
    SetWindowPos(window.GetHandle(), nullptr, 0, 0, frame.width + 100, frame.height + 50, SWP_NOMOVE | SWP_NOZORDER);
    layout.ArrangeContent();
    EXPECT_EQ(corner.GetNativeRect(), (CGUIRect { 105, 55, 10, 10 }));
    EXPECT_EQ(stretched.GetNativeRect(), (CGUIRect { 5, 5, 55, 10 }));

    layout.SetSize(frame);
    EXPECT_EQ(window.GetNativeClientSize(), (CGUISize { 20, 20 }));
    EXPECT_EQ(corner.GetNativeRect(), (CGUIRect { 5, 5, 10, 10 })) << "imposing a size arranges the content";
    window.Destroy();
}

TEST(CGUIWindowLayout, DestroyingTheLayoutLeavesTheWindows)
{
    LayoutTestWindow window(WS_POPUP);
    ASSERT_TRUE(window.Create(nullptr));
    ChildWindow child(window, { 10, 10 });
    {
        CGUIWindowLayout layout(&window, 1, 1, 1, Mode::Row);
        layout.AddItem(new CGUIWindowLayout(&child, 0, 0, 0, Mode::Column), {}, true);
        layout.UpdatePreferredSize();
        layout.SetPosition({});
    }
    EXPECT_TRUE(IsWindow(child.GetHandle()));
    EXPECT_TRUE(IsWindow(window.GetHandle()));
    EXPECT_EQ(child.GetNativeRect(), (CGUIRect { 1, 1, 10, 10 }));
    window.Destroy();
}

TEST(CGUIWindowLayout, WindowsNotYetCreatedKeepTheirPlacesForCreation)
{
    LayoutTestWindow window(WS_POPUP);
    ASSERT_TRUE(window.Create(nullptr));
    LayoutTestWindow child(WS_CHILD);
    child.SetSize({ 8, 6 });
    CGUIWindowLayout layout(&window, 3, 2, 0, Mode::Column);
    layout.AddItem(new CGUIWindowLayoutItem(&child), {}, true);
    layout.UpdatePreferredSize();
    layout.SetPosition({});

    ASSERT_TRUE(child.Create(&window));
    EXPECT_EQ(child.GetNativeRect(), (CGUIRect { 3, 2, 8, 6 }));
    EXPECT_EQ(window.GetNativeClientSize(), (CGUISize { 14, 10 }));
    window.Destroy();
}

} // namespace
