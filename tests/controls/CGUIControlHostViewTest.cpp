#include "CCountingListener.h"
#include "WindowTestSupport.h"
#include "graphics/CGUICursor.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
// Root 200 × 40 that takes no mouse input, with two 40 × 40 children: a at
// (0, 0) and b at (100, 0), b accepting only its left half; each child's
// user listeners record what it gets, noting whether it had the focus.
struct CTree {
    CTestControl* root = new CTestControl({ 200, 40 });
    CTestControl* a = new CTestControl({ 40, 40 });
    CTestControl* b = new CTestControl({ 40, 40 }, {}, true);
    CEventRecorder userA, userB;
    CTree()
    {
        root->AddChild(a, true);
        root->AddChild(b, true);
        b->SetPosition({ 100, 0 });
        root->SetAcceptsMouse(false);
        for (auto [control, user] : { std::pair { a, &userA }, { b, &userB } }) {
            user->focusOf = control;
            control->SetUserMouseListener(user);
            control->SetUserKeyboardListener(user);
        }
    }
};

// The tree in a host view that takes mouse input only where a control does.
struct CHostedTree : CTree, CTestHost {
    CHostedTree()
        : CTestHost(root)
    {
        view->SetOption(true);
    }
};
} // namespace

TEST(CGUIControlHostViewTest, FindsTheDeepestControlThatAcceptsThePoint)
{
    CTree tree;
    std::unique_ptr<CTestControl> owner(tree.root);
    const struct {
        CGUIPoint point;
        IGUIControl* found;
    } cases[] = { { { 0, 0 }, tree.a }, { { 39, 39 }, tree.a }, { { 40, 10 }, nullptr }, { { 110, 10 }, tree.b },
        { { 130, 10 }, nullptr } };
    for (const auto& c : cases) {
        EXPECT_EQ(CGUIControlHostView::FindControlAt(tree.root, c.point), c.found) << c.point.x;
    }
    tree.a->SetEnabled(false);
    EXPECT_EQ(CGUIControlHostView::FindControlAt(tree.root, { 5, 5 }), nullptr);
    tree.root->SetAcceptsMouse(true);
    EXPECT_EQ(CGUIControlHostView::FindControlAt(tree.root, { 5, 5 }), tree.root);
    tree.root->SetVisible(false);
    EXPECT_EQ(CGUIControlHostView::FindControlAt(tree.root, { 5, 5 }), nullptr);
}

TEST(CGUIControlHostViewTest, ClickWhereNoControlAcceptsThePointGoesToTheWindowBelow)
{
    CHostedTree host;
    const POINT onB = host.ToScreen({ 110, 20 });
    const POINT besideB = host.ToScreen({ 130, 20 });
    EXPECT_EQ(WindowFromPoint(besideB), host.top.Get());
    EXPECT_EQ(WindowFromPoint(onB), host.view->GetHandle());
    host.Send(WM_LBUTTONDOWN, { 130, 20 }, MK_LBUTTON);
    EXPECT_TRUE(host.userB.calls.empty());
    host.Send(WM_LBUTTONDOWN, { 110, 20 }, MK_LBUTTON);
    ASSERT_EQ(host.userB.Count("LeftDown"), 1);
    EXPECT_EQ(host.userB.calls.front().point, (CGUIPoint { 10, 20 }));

    // Over a control, that control's cursor shows.
    const std::unique_ptr<CGUICursor> cross(LoadSystemCursor(IDC_CROSS));
    host.b->SetCursor(cross.get());
    ASSERT_TRUE(SetCursorPos(onB.x, onB.y));
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(SendMessageA(host.view->GetHandle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(host.view->GetHandle()),
                  MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
        1);
    EXPECT_EQ(GetCursor(), cross->GetHandle());

    // Without the option flag the view lets every point through.
    host.view->SetOption(false);
    EXPECT_EQ(SendMessageA(host.view->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(onB.x, onB.y)), HTTRANSPARENT);
}

TEST(CGUIControlHostViewTest, CapturedControlGetsMovesOutsideItsRectangleUntilTheCaptureEnds)
{
    CHostedTree host;
    // Ended by the control, or by another window taking the capture.
    for (const bool released : { true, false }) {
        SCOPED_TRACE(released ? "released" : "taken by another window");
        host.userA.calls.clear();
        host.userB.calls.clear();
        host.a->CaptureMouse();
        EXPECT_EQ(GetCapture(), host.view->GetHandle());
        host.Send(WM_MOUSEMOVE, { 150, 30 });
        host.Send(WM_MOUSEMOVE, { 110, 5 });
        ASSERT_EQ(host.userA.Count("MouseMove"), 2);
        EXPECT_EQ(host.userA.calls.back().point, (CGUIPoint { 110, 5 }));
        if (released) {
            host.a->ReleaseMouse();
            EXPECT_EQ(GetCapture(), nullptr);
        } else {
            SetCapture(host.top.Get());
        }
        EXPECT_FALSE(host.a->HasMouseCapture());
        host.Send(WM_MOUSEMOVE, { 110, 5 });
        EXPECT_EQ(host.userB.Count("MouseMove"), 1);
        EXPECT_EQ(host.userA.Count("MouseMove"), 2);
        ReleaseCapture();
    }
}

TEST(CGUIControlHostViewTest, AnAncestorOfTheFocusedAndCapturedControlLeavingTakesBothAlong)
{
    for (const bool deleted : { false, true }) {
        SCOPED_TRACE(deleted ? "ancestor deleted" : "ancestor removed");
        CHostedTree host;
        auto* inner = new CTestControl({ 20, 20 });
        host.a->AddChild(inner, true);
        inner->SetFocus(true);
        inner->CaptureMouse();
        std::unique_ptr<CTestControl> removed(host.a);
        if (deleted) {
            removed.reset();
        } else {
            host.a->SetParent(nullptr, false);
        }
        EXPECT_EQ(host.view->GetFocusedControl(), nullptr);
        EXPECT_EQ(host.view->GetCapturedControl(), nullptr);
        EXPECT_NE(GetCapture(), host.view->GetHandle());
        SendMessageA(host.view->GetHandle(), WM_KEYDOWN, 'A', 1);
        host.Send(WM_MOUSEMOVE, { 5, 5 });
        SendMessageA(host.view->GetHandle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(host.view->GetHandle()),
            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    }
}

TEST(CGUIControlHostViewTest, HoverFollowsThePointerAndFocusThePressAndKeysTheFocus)
{
    using Names = std::vector<std::string>;
    CHostedTree host;
    host.Send(WM_MOUSEMOVE, { 5, 5 });
    EXPECT_TRUE(host.a->IsHovered());
    host.Send(WM_MOUSEMOVE, { 105, 6 });
    EXPECT_FALSE(host.a->IsHovered());
    EXPECT_EQ(host.userA.Names(), (Names { "MouseEnter", "MouseMove", "MouseLeave" }));
    ASSERT_EQ(host.userB.Count("MouseEnter"), 1);
    EXPECT_EQ(host.userB.calls.front().point, (CGUIPoint { 5, 6 }));
    EXPECT_EQ(host.b->GetVisualState().Get(), CGUIVisualState::kHovered);
    SendMessageA(host.view->GetHandle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(host.b->IsHovered());
    EXPECT_EQ(host.userB.Count("MouseLeave"), 1);

    // The press gives focus after the user listener saw it.
    host.userA.calls.clear();
    host.userB.calls.clear();
    SendMessageA(host.view->GetHandle(), WM_KEYDOWN, 'A', 1);
    host.Send(WM_LBUTTONDOWN, { 5, 5 }, MK_LBUTTON);
    ASSERT_FALSE(host.userA.calls.empty());
    EXPECT_FALSE(host.userA.calls.front().hadFocus);
    EXPECT_EQ(host.view->GetFocusedControl(), host.a);
    EXPECT_EQ(host.a->GetVisualState().Get(), CGUIVisualState::kFocused);
    SendMessageA(host.view->GetHandle(), WM_KEYDOWN, 'B', 1);
    SendMessageA(host.view->GetHandle(), WM_KEYUP, 'B', 1);
    host.Send(WM_RBUTTONDOWN, { 105, 5 }, MK_RBUTTON);
    EXPECT_TRUE(host.b->HasFocus());
    EXPECT_EQ(host.a->GetVisualState().Get(), CGUIVisualState::kNormal);
    SendMessageA(host.view->GetHandle(), WM_KEYDOWN, 'C', 1);
    host.b->SetFocus(false);
    SendMessageA(host.view->GetHandle(), WM_KEYDOWN, 'D', 1);
    EXPECT_EQ(host.userB.Names(), (Names { "RightDown", "SetFocus", "KeyDown", "KillFocus" }));
    EXPECT_EQ(host.userA.Names(), (Names { "LeftDown", "SetFocus", "KeyDown", "KeyUp", "KillFocus" }));
    EXPECT_EQ(host.userA.calls[2].point.x, 'B');

    // Focusing the focused control again notifies nothing.
    {
        CCountingListener focus(host.a->GetFocusNotifier());
        EXPECT_EQ(host.view->SetFocusedControl(host.a), nullptr);
        EXPECT_EQ(host.view->SetFocusedControl(host.a), host.a);
        host.a->SetFocus(true);
        EXPECT_EQ(focus.count, 1);
        EXPECT_EQ(host.userA.Count("SetFocus"), 2);
    }
    // A focused control that is deleted leaves no focus behind, and its
    // listeners, which may belong to its derived part, hear nothing of it.
    host.a->CaptureMouse();
    const size_t seen = host.userA.calls.size();
    delete host.a;
    EXPECT_EQ(host.view->GetFocusedControl(), nullptr);
    EXPECT_EQ(host.view->GetCapturedControl(), nullptr);
    EXPECT_EQ(host.userA.calls.size(), seen);
}

TEST(CGUIControlHostViewTest, InvalidationUnderAnOpaqueLaterSiblingLosesTheCoveredBand)
{
    auto* root = new CTestControl({ 200, 100 });
    auto* below = new CTestControl({ 100, 60 });
    auto* cover = new CTestControl({ 150, 20 });
    auto* left = new CTestControl({ 30, 100 });
    for (CTestControl* child : { below, cover, left }) {
        root->AddChild(child, true);
    }
    below->SetPosition({ 20, 10 });
    cover->SetPosition({ 0, 50 });
    left->SetVisible(false);
    CTestHost host(root);
    const auto invalidated = [&](const std::function<void()>& change) {
        change();
        host.view->invalidated.clear();
        below->Invalidate();
        return host.view->invalidated;
    };
    using Rects = std::vector<CGUIRect>;
    EXPECT_EQ(invalidated([] {}), (Rects { { 20, 10, 100, 40 } }));
    // A band at the left, cut by a sibling of the full height.
    EXPECT_EQ(invalidated([&] { left->SetVisible(true); }), (Rects { { 30, 10, 90, 40 } }));
    // Translucent siblings cut nothing.
    EXPECT_EQ(invalidated([&] {
        cover->SetOpacity(0.5f);
        left->SetOpacity(0.5f);
    }),
        (Rects { { 20, 10, 100, 60 } }));
    // A control reaching past the 32-bit range is cut at its parent's edge.
    EXPECT_EQ(invalidated([&] {
        below->GetContentPainter()->SetSize({ INT32_MAX, 20 });
    }),
        (Rects { { 20, 10, 180, 20 } }));
    // Hidden windows invalidate nothing.
    EXPECT_EQ(invalidated([&] { ShowWindow(host.top.Get(), SW_HIDE); }), Rects {});
}

TEST(CGUIControlHostViewTest, ViewAndRootControlKeepOneSize)
{
    auto* root = new CTestControl({ 120, 30 });
    CTestHost host(root);
    EXPECT_EQ(host.view->GetClientSize(), (CGUISize { 120, 30 }));
    root->GetContentPainter()->SetSize({ 80, 20 });
    EXPECT_EQ(host.view->GetClientSize(), (CGUISize { 80, 20 }));
    host.view->SetSize({ 60, 50 });
    EXPECT_EQ(root->GetTreePainter()->GetSize(), (CGUISize { 60, 50 }));
}
