#include "layout/CGUIWindowLayout.h"

#include "LayoutTestSupport.h"
#include "window/CGUICustomWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {
using Mode = CGUIBoxLayout::Mode;
constexpr int32_t kStart = CGUILayoutPlacement::kAlignStart;
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

// Created at 0 x 0 (so the system may give a framed window its minimum size),
// the window must end up with a client area that fits the content exactly,
// and the children sit in client coordinates. The content is wider than the
// smallest overlapped window the system allows.
TEST(CGUIWindowLayout, ClientAreaFitsTheContentInEveryFrame)
{
    const struct {
        const char* name;
        DWORD style, exStyle = 0;
        bool menu = false;
    } cases[] = { { "overlapped", WS_OVERLAPPEDWINDOW }, { "overlapped with a menu", WS_OVERLAPPEDWINDOW, 0, true },
        { "popup without a frame", WS_POPUP },
        { "popup with border and client edge", WS_POPUP | WS_BORDER, WS_EX_CLIENTEDGE },
        { "dialog frame with scroll bars", WS_POPUP | WS_CAPTION | WS_DLGFRAME | WS_VSCROLL | WS_HSCROLL } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto window = MakeWindow(c.style, {}, nullptr, c.exStyle);
        if (c.menu) {
            const HMENU menu = CreateMenu();
            AppendMenuA(menu, MF_STRING, 1, "File");
            ASSERT_TRUE(SetMenu(window->GetHandle(), menu));
        }
        const auto wide = MakeWindow(0, { 130, 20 }, window.get()), low = MakeWindow(0, { 150, 10 }, window.get());
        CGUIWindowLayout layout(window.get(), 4, 4, 4, Mode::Column);
        layout.AddItem(new CGUIWindowLayout(wide.get(), 0, 0, 0, Mode::Column),
            CGUILayoutPlacement::Aligned(CGUILayoutPlacement::kAlignCenter, kStart), true);
        layout.AddItem(new CGUIWindowLayoutItem(low.get()), {}, true);
        layout.UpdatePreferredSize();
        layout.SetPosition({ 10, 20 });

        EXPECT_EQ(ClientSize(*window), (CGUISize { 158, 42 }));
        EXPECT_EQ(layout.GetSize(), window->GetSize()) << "the preferred outer size is the size the window got";
        const CGUIRect outer = NativeRect(*window);
        EXPECT_EQ((std::vector { CGUIRect { outer.x, outer.y }, NativeRect(*wide), NativeRect(*low) }),
            (std::vector<CGUIRect> { { 10, 20 }, { 14, 4, 130, 20 }, { 4, 28, 150, 10 } }));
        window->Destroy();
    }
}

// A bordered child window laid out around its own child: its outer size is
// its content plus its border. A window not yet created keeps its place for
// its creation.
TEST(CGUIWindowLayout, ChildWindowsSizeAroundTheirContentAndKeepTheirPlacesForCreation)
{
    const auto window = MakeWindow(WS_POPUP, {});
    const auto panel = MakeWindow(WS_BORDER, { 1, 1 }, window.get());
    const auto inner = MakeWindow(0, { 10, 10 }, panel.get()), beside = MakeWindow(0, { 5, 5 }, window.get());
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

    // The inner window is in the panel's client coordinates.
    const int32_t side = 14 + 2 * GetSystemMetrics(SM_CXBORDER);
    EXPECT_EQ((std::vector { ClientSize(*panel), ClientSize(*window) }),
        (std::vector<CGUISize> { { 14, 14 }, { 3 + side + 6 + 5 + 6 + 8 + 3, 3 + side + 3 } }));
    EXPECT_EQ((std::vector { NativeRect(*panel), NativeRect(*inner), NativeRect(*beside), NativeRect(later) }),
        (std::vector<CGUIRect> { { 3, 3, side, side }, { 2, 2, 10, 10 }, { 3 + side + 6, 3 + side - 5, 5, 5 },
            { 3 + side + 6 + 5 + 6, 3, 8, 6 } }));
    window->Destroy();
}

// Rearranges on a new client size, arranges on an imposed size, and leaves
// the windows when the layout goes.
TEST(CGUIWindowLayout, RearrangesWhenTheClientSizeChanges)
{
    const auto window = MakeWindow(WS_POPUP | WS_BORDER, {});
    const auto corner = MakeWindow(0, { 10, 10 }, window.get()), stretched = MakeWindow(0, { 10, 10 }, window.get());
    {
        CGUIWindowLayout layout(window.get(), 5, 5, 0, Mode::Stack);
        CGUIWindowLayoutItem cornerItem(corner.get()), stretchedItem(stretched.get());
        layout.AddItem(&cornerItem, CGUILayoutPlacement::Aligned(kEnd, kEnd), false);
        layout.AddItem(&stretchedItem, { .relativeWidth = 0.5f }, false);
        layout.UpdatePreferredSize();
        layout.SetPosition({});
        ASSERT_EQ(ClientSize(*window), (CGUISize { 20, 20 }));

        const CGUISize frame = window->GetSize();
        SetWindowPos(
            window->GetHandle(), nullptr, 0, 0, frame.width + 100, frame.height + 50, SWP_NOMOVE | SWP_NOZORDER);
        layout.ArrangeContent();
        EXPECT_EQ((std::vector { NativeRect(*corner), NativeRect(*stretched) }),
            (std::vector<CGUIRect> { { 105, 55, 10, 10 }, { 5, 5, 55, 10 } }));

        layout.SetSize(frame);
        EXPECT_EQ(ClientSize(*window), (CGUISize { 20, 20 }));
        EXPECT_EQ(NativeRect(*corner), (CGUIRect { 5, 5, 10, 10 })) << "imposing a size arranges the content";
    }
    EXPECT_TRUE(IsWindow(corner->GetHandle()) && IsWindow(window->GetHandle()));
    EXPECT_EQ(NativeRect(*corner), (CGUIRect { 5, 5, 10, 10 }));
    window->Destroy();
}

} // namespace
