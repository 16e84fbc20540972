#include "ControlTestSupport.h"
#include "graphics/CGUICursor.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Root 200 × 40 with two 40 × 40 children: a at (0, 0) and b at (100, 0),
// b accepting only its left half.
struct CTree {
    CTestControl* root = new CTestControl({ 200, 40 });
    CTestControl* a = new CTestControl({ 40, 40 });
    CTestControl* b = new CTestControl({ 40, 40 }, {}, true);
    CTree()
    {
        root->AddChild(a, true);
        root->AddChild(b, true);
        b->SetPosition({ 100, 0 });
        root->SetAcceptsMouse(false);
    }
};

TEST(CGUIControlHostViewTest, FindsTheDeepestControlThatAcceptsThePoint)
{
    CTree tree;
    std::unique_ptr<CTestControl> owner(tree.root);
    EXPECT_EQ(CGUIControlHostView::FindControlAt(tree.root, { 0, 0 }), tree.a);
    EXPECT_EQ(CGUIControlHostView::FindControlAt(tree.root, { 39, 39 }), tree.a);
    EXPECT_EQ(CGUIControlHostView::FindControlAt(tree.root, { 40, 10 }), nullptr);
    EXPECT_EQ(CGUIControlHostView::FindControlAt(tree.root, { 110, 10 }), tree.b);
    EXPECT_EQ(CGUIControlHostView::FindControlAt(tree.root, { 130, 10 }), nullptr);
    tree.a->SetEnabled(false);
    EXPECT_EQ(CGUIControlHostView::FindControlAt(tree.root, { 5, 5 }), nullptr);
    tree.root->SetAcceptsMouse(true);
    EXPECT_EQ(CGUIControlHostView::FindControlAt(tree.root, { 5, 5 }), tree.root);
    tree.root->SetVisible(false);
    EXPECT_EQ(CGUIControlHostView::FindControlAt(tree.root, { 5, 5 }), nullptr);
}

TEST(CGUIControlHostViewTest, ClickWhereNoControlAcceptsThePointGoesToTheWindowBelow)
{
    CTree tree;
    CHostedTree host(tree.root);
    host.view->SetOption(true);
    ASSERT_TRUE(host.view->IsCreated());
    CRecordingListener user(tree.b);
    tree.b->SetUserMouseListener(&user);

    const POINT onB = host.ToScreen({ 110, 20 });
    const POINT besideB = host.ToScreen({ 130, 20 });
    EXPECT_EQ(SendMessageA(host.view->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(besideB.x, besideB.y)), HTTRANSPARENT);
    EXPECT_NE(SendMessageA(host.view->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(onB.x, onB.y)), HTTRANSPARENT);
    EXPECT_EQ(WindowFromPoint(besideB), host.parent.GetHandle());
    EXPECT_EQ(WindowFromPoint(onB), host.view->GetHandle());

    host.SendMouse(WM_LBUTTONDOWN, { 130, 20 }, MK_LBUTTON);
    EXPECT_TRUE(user.calls.empty());
    host.SendMouse(WM_LBUTTONDOWN, { 110, 20 }, MK_LBUTTON);
    ASSERT_EQ(user.Count("LeftDown"), 1);
    EXPECT_EQ(user.calls.back().point, (CGUIPoint { 10, 20 }));

    // Without the option flag the view lets every point through.
    host.view->SetOption(false);
    EXPECT_EQ(SendMessageA(host.view->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(onB.x, onB.y)), HTTRANSPARENT);
}

TEST(CGUIControlHostViewTest, CapturedControlGetsMovesOutsideItsRectangle)
{
    CTree tree;
    CHostedTree host(tree.root);
    host.view->SetOption(true);
    CRecordingListener userA(tree.a);
    CRecordingListener userB(tree.b);
    tree.a->SetUserMouseListener(&userA);
    tree.b->SetUserMouseListener(&userB);

    tree.a->CaptureMouse();
    EXPECT_TRUE(tree.a->HasMouseCapture());
    EXPECT_EQ(GetCapture(), host.view->GetHandle());
    host.SendMouse(WM_MOUSEMOVE, { 150, 30 });
    host.SendMouse(WM_MOUSEMOVE, { 110, 5 });
    ASSERT_EQ(userA.Count("MouseMove"), 2);
    EXPECT_EQ(userA.calls.back().point, (CGUIPoint { 110, 5 }));
    EXPECT_EQ(userB.Count("MouseMove"), 0);

    tree.a->ReleaseMouse();
    EXPECT_FALSE(tree.a->HasMouseCapture());
    EXPECT_EQ(GetCapture(), nullptr);
    host.SendMouse(WM_MOUSEMOVE, { 110, 5 });
    EXPECT_EQ(userB.Count("MouseMove"), 1);
    EXPECT_EQ(userA.Count("MouseMove"), 2);

    // Another window taking the capture ends the control's capture too.
    tree.a->CaptureMouse();
    SetCapture(host.parent.GetHandle());
    EXPECT_FALSE(tree.a->HasMouseCapture());
    host.SendMouse(WM_MOUSEMOVE, { 110, 5 });
    EXPECT_EQ(userB.Count("MouseMove"), 2);
    EXPECT_EQ(userA.Count("MouseMove"), 2);
    ReleaseCapture();
}

TEST(CGUIControlHostViewTest, AnAncestorOfTheFocusedAndCapturedControlLeavingTakesBothAlong)
{
    for (const bool deleted : { false, true }) {
        SCOPED_TRACE(deleted ? "ancestor deleted" : "ancestor removed");
        CTree tree;
        auto* inner = new CTestControl({ 20, 20 });
        tree.a->AddChild(inner, true);
        CHostedTree host(tree.root);
        host.view->SetOption(true);
        inner->SetFocus(true);
        inner->CaptureMouse();
        ASSERT_EQ(GetCapture(), host.view->GetHandle());

        std::unique_ptr<CTestControl> removed(tree.a);
        if (deleted) {
            removed.reset();
        } else {
            tree.a->SetParent(nullptr, false);
        }
        EXPECT_EQ(host.view->GetFocusedControl(), nullptr);
        EXPECT_EQ(host.view->GetCapturedControl(), nullptr);
        EXPECT_NE(GetCapture(), host.view->GetHandle());
        SendMessageA(host.view->GetHandle(), WM_KEYDOWN, 'A', 1);
        host.SendMouse(WM_MOUSEMOVE, { 5, 5 });
        SendMessageA(host.view->GetHandle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(host.view->GetHandle()),
            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    }
}

TEST(CGUIControlHostViewTest, EachControlUnderThePointerIsEnteredAndLeftInTurn)
{
    CTree tree;
    CHostedTree host(tree.root);
    host.view->SetOption(true);
    CRecordingListener userA(tree.a);
    CRecordingListener userB(tree.b);
    tree.a->SetUserMouseListener(&userA);
    tree.b->SetUserMouseListener(&userB);

    host.SendMouse(WM_MOUSEMOVE, { 5, 5 });
    EXPECT_TRUE(tree.a->IsHovered());
    ASSERT_EQ(userA.Count("MouseEnter"), 1);
    EXPECT_EQ(userA.calls.front().point, (CGUIPoint { 5, 5 }));
    host.SendMouse(WM_MOUSEMOVE, { 105, 6 });
    EXPECT_FALSE(tree.a->IsHovered());
    EXPECT_TRUE(tree.b->IsHovered());
    EXPECT_EQ(userA.Count("MouseLeave"), 1);
    ASSERT_EQ(userB.Count("MouseEnter"), 1);
    EXPECT_EQ(userB.calls.front().point, (CGUIPoint { 5, 6 }));
    EXPECT_EQ(tree.b->GetVisualState().Get(), CGUIVisualState::kHovered);

    SendMessageA(host.view->GetHandle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(tree.b->IsHovered());
    EXPECT_EQ(userB.Count("MouseLeave"), 1);
    EXPECT_EQ(userA.Count("MouseEnter"), 1);
}

TEST(CGUIControlHostViewTest, PressGivesFocusAfterTheUserListenerSawIt)
{
    CTree tree;
    CHostedTree host(tree.root);
    host.view->SetOption(true);
    CRecordingListener user(tree.a);
    tree.a->SetUserMouseListener(&user);
    tree.a->SetUserKeyboardListener(&user);

    host.SendMouse(WM_LBUTTONDOWN, { 5, 5 }, MK_LBUTTON);
    ASSERT_FALSE(user.calls.empty());
    EXPECT_EQ(user.calls.front().name, "LeftDown");
    EXPECT_FALSE(user.calls.front().hadFocus);
    EXPECT_TRUE(tree.a->HasFocus());
    EXPECT_EQ(host.view->GetFocusedControl(), tree.a);
    EXPECT_EQ(user.Count("SetFocus"), 1);
    EXPECT_EQ(tree.a->GetVisualState().Get(), CGUIVisualState::kFocused);

    host.SendMouse(WM_RBUTTONDOWN, { 105, 5 }, MK_RBUTTON);
    EXPECT_TRUE(tree.b->HasFocus());
    EXPECT_EQ(user.Count("KillFocus"), 1);
    EXPECT_EQ(tree.a->GetVisualState().Get(), CGUIVisualState::kNormal);
}

TEST(CGUIControlHostViewTest, KeysGoToTheFocusedControlOnly)
{
    CTree tree;
    CHostedTree host(tree.root);
    CRecordingListener user(tree.a);
    tree.a->SetUserKeyboardListener(&user);

    SendMessageA(host.view->GetHandle(), WM_KEYDOWN, 'A', 1);
    EXPECT_TRUE(user.calls.empty());

    tree.a->SetFocus(true);
    ASSERT_EQ(user.Count("SetFocus"), 1);
    SendMessageA(host.view->GetHandle(), WM_KEYDOWN, 'B', 1);
    SendMessageA(host.view->GetHandle(), WM_KEYUP, 'B', 1);
    EXPECT_EQ(user.Count("KeyDown"), 1);
    EXPECT_EQ(user.Count("KeyUp"), 1);
    EXPECT_EQ(user.calls.back().point.x, 'B');

    tree.a->SetFocus(false);
    EXPECT_EQ(user.Count("KillFocus"), 1);
    SendMessageA(host.view->GetHandle(), WM_KEYDOWN, 'C', 1);
    EXPECT_EQ(user.Count("KeyDown"), 1);
}

TEST(CGUIControlHostViewTest, FocusingTheFocusedControlAgainNotifiesNothing)
{
    CTree tree;
    CHostedTree host(tree.root);
    CRecordingListener user(tree.a);
    tree.a->SetUserKeyboardListener(&user);
    {
        CNotifyCounter focus(tree.a->GetFocusNotifier());
        EXPECT_EQ(host.view->SetFocusedControl(tree.a), nullptr);
        const size_t seen = user.calls.size();
        const int fired = focus.count;
        EXPECT_EQ(fired, 1);
        EXPECT_EQ(host.view->SetFocusedControl(tree.a), tree.a);
        tree.a->SetFocus(true);
        EXPECT_EQ(user.calls.size(), seen);
        EXPECT_EQ(focus.count, fired);
    }

    // A focused control that is deleted leaves no focus behind, and its
    // listeners, which may belong to its derived part, hear nothing of it.
    tree.a->CaptureMouse();
    const size_t seen = user.calls.size();
    delete tree.a;
    EXPECT_EQ(host.view->GetFocusedControl(), nullptr);
    EXPECT_EQ(host.view->GetCapturedControl(), nullptr);
    EXPECT_EQ(user.calls.size(), seen);
}

TEST(CGUIControlHostViewTest, InvalidationUnderAnOpaqueLaterSiblingLosesTheCoveredBand)
{
    auto* root = new CTestControl({ 200, 100 });
    auto* below = new CTestControl({ 100, 60 });
    auto* cover = new CTestControl({ 150, 20 });
    auto* left = new CTestControl({ 30, 100 });
    root->AddChild(below, true);
    root->AddChild(cover, true);
    root->AddChild(left, true);
    below->SetPosition({ 20, 10 });
    cover->SetPosition({ 0, 50 });
    CHostedTree host(root);
    left->SetVisible(false);

    host.view->invalidated.clear();
    below->Invalidate();
    ASSERT_EQ(host.view->invalidated.size(), 1u);
    EXPECT_EQ(host.view->invalidated[0], (CGUIRect { 20, 10, 100, 40 }));

    // A band at the left, cut by a sibling of the full height.
    left->SetVisible(true);
    host.view->invalidated.clear();
    below->Invalidate();
    ASSERT_EQ(host.view->invalidated.size(), 1u);
    EXPECT_EQ(host.view->invalidated[0], (CGUIRect { 30, 10, 90, 40 }));

    // Translucent siblings cut nothing.
    cover->SetOpacity(0.5f);
    left->SetOpacity(0.5f);
    host.view->invalidated.clear();
    below->InvalidateRect({ 0, 0, 10, 10 });
    ASSERT_EQ(host.view->invalidated.size(), 1u);
    EXPECT_EQ(host.view->invalidated[0], (CGUIRect { 20, 10, 10, 10 }));

    // A control reaching past the 32-bit range is cut at its parent's edge.
    below->GetContentPainter()->SetSize({ INT32_MAX, 20 });
    host.view->invalidated.clear();
    below->Invalidate();
    ASSERT_EQ(host.view->invalidated.size(), 1u);
    EXPECT_EQ(host.view->invalidated[0], (CGUIRect { 20, 10, 180, 20 }));

    // Hidden windows invalidate nothing.
    ShowWindow(host.parent.GetHandle(), SW_HIDE);
    host.view->invalidated.clear();
    below->Invalidate();
    EXPECT_TRUE(host.view->invalidated.empty());
}

TEST(CGUIControlHostViewTest, ViewAndRootControlKeepOneSize)
{
    auto* root = new CTestControl({ 120, 30 });
    CHostedTree host(root);
    EXPECT_EQ(host.view->GetClientSize(), (CGUISize { 120, 30 }));
    root->GetContentPainter()->SetSize({ 80, 20 });
    EXPECT_EQ(host.view->GetClientSize(), (CGUISize { 80, 20 }));
    host.view->SetSize({ 60, 50 });
    EXPECT_EQ(root->GetTreePainter()->GetSize(), (CGUISize { 60, 50 }));
    EXPECT_EQ(root->GetHostWindow(), host.view);
    EXPECT_EQ(root->GetHost(), host.view);
    EXPECT_TRUE(root->IsShown());
}

} // namespace

TEST(CGUIControlHostViewTest, PointerOverAControlShowsThatControlsCursor)
{
    CTree tree;
    CHostedTree host(tree.root);
    host.view->SetOption(true);
    const std::unique_ptr<CGUICursor> cross(LoadSystemCursor(IDC_CROSS));
    tree.b->SetCursor(cross.get());

    const POINT onB = host.ToScreen({ 110, 20 });
    ASSERT_TRUE(SetCursorPos(onB.x, onB.y));
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(SendMessageA(host.view->GetHandle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(host.view->GetHandle()),
                  MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
        1);
    EXPECT_EQ(GetCursor(), cross->GetHandle());
}
