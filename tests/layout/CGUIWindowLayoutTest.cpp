#include "layout/CGUIWindowLayout.h"

#include "LayoutTestSupport.h"
#include "window/CGUICustomWindow.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
using Mode = CGUIBoxLayout::Mode;
constexpr int32_t kStart = CGUILayoutPlacement::kAlignStart;
constexpr int32_t kCenter = CGUILayoutPlacement::kAlignCenter;
constexpr int32_t kEnd = CGUILayoutPlacement::kAlignEnd;

// A framework window over a plain native one: top-level of the given style,
// or a child of parent.
std::unique_ptr<CGUICustomWindow> MakeWindow(
    DWORD style, CGUISize size, IGUIWindow* parent = nullptr, DWORD exStyle = 0)
{
    auto window = std::make_unique<CGUICustomWindow>();
    const HWND hwnd = CreateWindowExA(exStyle, "STATIC", "", style | (parent ? WS_CHILD : 0), 0, 0, size.width,
        size.height, parent ? parent->GetHandle() : nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(window->Attach(hwnd));
    return window;
}

// The native rectangle in the parent's client coordinates (the screen for a
// top-level window).
CGUIRect NativeRect(IGUIWindow& window)
{
    RECT rect {};
    GetWindowRect(window.GetHandle(), &rect);
    if (GetWindowLongA(window.GetHandle(), GWL_STYLE) & WS_CHILD) {
        MapWindowPoints(nullptr, GetParent(window.GetHandle()), reinterpret_cast<POINT*>(&rect), 2);
    }
    return { rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top };
}

CGUISize ClientSize(IGUIWindow& window)
{
    RECT client {};
    GetClientRect(window.GetHandle(), &client);
    return { client.right, client.bottom };
}

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
    const auto window = MakeWindow(c.style, {}, nullptr, c.exStyle);
    if (c.menu) {
        const HMENU menu = CreateMenu();
        AppendMenuA(menu, MF_STRING, 1, "File");
        ASSERT_TRUE(SetMenu(window->GetHandle(), menu));
    }
    const auto wide = MakeWindow(0, { 130, 20 }, window.get());
    const auto low = MakeWindow(0, { 150, 10 }, window.get());
    CGUIWindowLayout layout(window.get(), 4, 4, 4, Mode::Column);
    layout.AddItem(
        new CGUIWindowLayout(wide.get(), 0, 0, 0, Mode::Column), CGUILayoutPlacement::Aligned(kCenter, kStart), true);
    layout.AddItem(new CGUIWindowLayoutItem(low.get()), {}, true);
    layout.UpdatePreferredSize();
    layout.SetPosition({ 10, 20 });

    EXPECT_EQ(ClientSize(*window), (CGUISize { 158, 42 }));
    EXPECT_EQ(layout.GetSize(), window->GetSize()) << "the preferred outer size is the size the window got";
    const CGUIRect outer = NativeRect(*window);
    EXPECT_EQ(outer.x, 10);
    EXPECT_EQ(outer.y, 20);
    EXPECT_EQ(NativeRect(*wide), (CGUIRect { 14, 4, 130, 20 }));
    EXPECT_EQ(NativeRect(*low), (CGUIRect { 4, 28, 150, 10 }));
    window->Destroy();
}

INSTANTIATE_TEST_SUITE_P(CGUIWindowLayout, WindowLayoutFrames, testing::ValuesIn(kFrameCases),
    [](const testing::TestParamInfo<FrameCase>& info) { return std::string(info.param.name); });

// A bordered child window laid out around its own child: its outer size is
// its content plus its border. A window not yet created keeps its place for
// its creation.
TEST(CGUIWindowLayout, ChildWindowsSizeAroundTheirContentAndKeepTheirPlacesForCreation)
{
    const auto window = MakeWindow(WS_POPUP, {});
    const auto panel = MakeWindow(WS_BORDER, { 1, 1 }, window.get());
    const auto inner = MakeWindow(0, { 10, 10 }, panel.get());
    const auto beside = MakeWindow(0, { 5, 5 }, window.get());
    CGUICustomWindow later;
    later.SetSize({ 8, 6 });
    CGUIWindowLayout layout(window.get(), 3, 3, 6, Mode::Row);
    auto* panelLayout = new CGUIWindowLayout(panel.get(), 2, 2, 0, Mode::Column);
    panelLayout->AddItem(new CGUIWindowLayoutItem(inner.get()), {}, true);
    layout.AddItem(panelLayout, {}, true);
    layout.AddItem(new CGUIWindowLayoutItem(beside.get()), CGUILayoutPlacement::Aligned(kStart, kEnd), true);
    layout.AddItem(new CGUIWindowLayoutItem(&later), {}, true);
    layout.UpdatePreferredSize();
    layout.SetPosition({ 0, 0 });
    ASSERT_TRUE(later.Create(window.get()));

    const int32_t panelSide = 14 + 2 * GetSystemMetrics(SM_CXBORDER);
    EXPECT_EQ(ClientSize(*panel), (CGUISize { 14, 14 }));
    EXPECT_EQ(NativeRect(*panel), (CGUIRect { 3, 3, panelSide, panelSide }));
    EXPECT_EQ(NativeRect(*inner), (CGUIRect { 2, 2, 10, 10 })) << "in the panel's client coordinates";
    EXPECT_EQ(NativeRect(*beside), (CGUIRect { 3 + panelSide + 6, 3 + panelSide - 5, 5, 5 }));
    EXPECT_EQ(NativeRect(later), (CGUIRect { 3 + panelSide + 6 + 5 + 6, 3, 8, 6 }));
    EXPECT_EQ(ClientSize(*window), (CGUISize { 3 + panelSide + 6 + 5 + 6 + 8 + 3, 3 + panelSide + 3 }));
    window->Destroy();
}

// Rearranges on a new client size, arranges on an imposed size, and leaves
// the windows when the layout goes.
TEST(CGUIWindowLayout, RearrangesWhenTheClientSizeChanges)
{
    const auto window = MakeWindow(WS_POPUP | WS_BORDER, {});
    const auto corner = MakeWindow(0, { 10, 10 }, window.get());
    const auto stretched = MakeWindow(0, { 10, 10 }, window.get());
    CGUISize frame;
    {
        CGUIWindowLayout layout(window.get(), 5, 5, 0, Mode::Stack);
        CGUIWindowLayoutItem cornerItem(corner.get());
        CGUIWindowLayoutItem stretchedItem(stretched.get());
        CGUILayoutPlacement half;
        half.relativeWidth = 0.5f;
        layout.AddItem(&cornerItem, CGUILayoutPlacement::Aligned(kEnd, kEnd), false);
        layout.AddItem(&stretchedItem, half, false);
        layout.UpdatePreferredSize();
        layout.SetPosition({});
        ASSERT_EQ(ClientSize(*window), (CGUISize { 20, 20 }));

        frame = window->GetSize();
        SetWindowPos(
            window->GetHandle(), nullptr, 0, 0, frame.width + 100, frame.height + 50, SWP_NOMOVE | SWP_NOZORDER);
        layout.ArrangeContent();
        EXPECT_EQ(NativeRect(*corner), (CGUIRect { 105, 55, 10, 10 }));
        EXPECT_EQ(NativeRect(*stretched), (CGUIRect { 5, 5, 55, 10 }));

        layout.SetSize(frame);
        EXPECT_EQ(ClientSize(*window), (CGUISize { 20, 20 }));
        EXPECT_EQ(NativeRect(*corner), (CGUIRect { 5, 5, 10, 10 })) << "imposing a size arranges the content";
    }
    EXPECT_TRUE(IsWindow(corner->GetHandle()) && IsWindow(window->GetHandle()));
    EXPECT_EQ(NativeRect(*corner), (CGUIRect { 5, 5, 10, 10 }));
    window->Destroy();
}

} // namespace
