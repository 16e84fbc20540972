#include "CCountingListener.h"
#include "GUITestImage.h"
#include "WindowTestSupport.h"
#include "controls/CGUIButton.h"
#include "controls/CGUIScrollView.h"
#include "controls/CGUITextControl.h"
#include "controls/GUICommonControls.h"
#include "graphics/CGUICursor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <memory>
#include <new>

namespace {
using Calls = std::vector<std::string>;
using Colors = std::vector<CGUIColor>;
constexpr CGUIColor kWhite { 255, 255, 255 }, kBlack { 0, 0, 0 }, kRed { 255, 0, 0 }, kBlue { 0, 0, 255 };

std::vector<IGUIControl*> Children(const IGUIControl& control)
{
    std::vector<IGUIControl*> list;
    std::unique_ptr<IGUIControlIterator> it(control.CreateChildIterator());
    while (IGUIControl* child = it->Next()) {
        list.push_back(child);
    }
    return list;
}
} // namespace

// Constant alpha 128 blends an opaque source as s·128/255 + d·127/255; at 1.0
// the content is painted straight into the destination. A translucent control
// leaves the pixels its content does not cover alone.
TEST(CGUIControlTest, OpacityBlendsContentWithTheRoundedConstantAlpha)
{
    const struct {
        float opacity;
        CGUIColor content, expected;
        bool halfShape = false;
    } cases[] = { { 0.5f, kRed, { 128, 0, 127 } }, { 1.0f, kRed, kRed }, { 0.0f, kRed, kBlue },
        { 0.5f, kWhite, { 128, 128, 255 }, true } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.opacity);
        CTestImage image(30, 20, 32);
        image.Fill(kBlue);
        CTestControl control({ 10, 10 }, c.content, c.halfShape);
        control.SetOpacity(c.opacity);
        image.Context().OffsetOrigin({ 5, 5 });
        control.GetTreePainter()->Paint(image.Context(), nullptr);
        for (const CGUIColor pixel : { image.At(5, 5), image.At(9, 14) }) {
            EXPECT_NEAR(pixel.red, c.expected.red, 1);
            EXPECT_NEAR(pixel.green, c.expected.green, 1);
            EXPECT_NEAR(pixel.blue, c.expected.blue, 1);
        }
        EXPECT_EQ((Colors { image.At(4, 4), image.At(c.halfShape ? 12 : 15, 14) }), (Colors { kBlue, kBlue }));
    }
}

TEST(CGUIControlTest, ChildrenPaintOverTheParentInListOrderClippedToTheirRectangles)
{
    CTestImage image(40, 40, 32);
    image.Fill(kBlack);
    CTestControl root({ 30, 30 }, kWhite);
    auto* first = new CTestControl({ 20, 20 }, kRed);
    auto* second = new CTestControl({ 20, 20 }, kBlue);
    root.AddChild(first, true);
    root.AddChild(second, true);
    second->SetPosition({ 15, 15 });
    root.GetTreePainter()->Paint(image.Context(), nullptr);
    EXPECT_EQ((Colors { image.At(5, 5), image.At(17, 17), image.At(31, 31), image.At(25, 5) }),
        (Colors { kRed, kBlue, kBlack, kWhite }));
    second->SetVisible(false);
    root.GetTreePainter()->Paint(image.Context(), nullptr);
    EXPECT_EQ(image.At(17, 17), kRed);
}

TEST(CGUIControlTest, OwnedChildrenAreDeletedOnlyWhenTheyLeaveAsOwned)
{
    int deleted = 0;
    {
        CTestControl root({ 10, 10 }), other({ 10, 10 });
        auto* first = new CTestControl({ 1, 1 }, {}, false, &deleted);
        auto* second = new CTestControl({ 1, 1 }, {}, false, &deleted);
        auto* third = new CTestControl({ 1, 1 }, {}, false, &deleted);
        for (CTestControl* child : { first, second, third }) {
            root.AddChild(child, true);
        }
        // Added again: only the owned flag changes.
        root.AddChild(first, false);
        EXPECT_EQ(Children(root), (std::vector<IGUIControl*> { first, second, third }));
        first->BringToFront();
        EXPECT_EQ(Children(root), (std::vector<IGUIControl*> { second, third, first }));
        EXPECT_FALSE(root.RemoveChild(first));
        EXPECT_EQ(first->GetParent(), nullptr);
        EXPECT_TRUE(root.RemoveChild(second));
        EXPECT_EQ(deleted, 1);
        third->SetParent(&other, true);
        EXPECT_EQ(Children(other), (std::vector<IGUIControl*> { third }));
        // A child deleted by its user leaves its parent's list.
        root.AddChild(first, true);
        delete first;
        EXPECT_TRUE(Children(root).empty());
        EXPECT_EQ(deleted, 2);
    }
    EXPECT_EQ(deleted, 3);
}

TEST(CGUIControlTest, ChangesNotifyOnlyWhenTheValueChangesAndHoverDrivesTheVisualState)
{
    CTestControl control({ 10, 10 });
    CCountingListener visibility(control.GetVisibilityNotifier()), position(control.GetPositionNotifier());
    CCountingListener opacity(control.GetOpacityNotifier()), enabled(control.GetEnabledNotifier());
    const auto counts = [&] { return std::vector { visibility.count, position.count, opacity.count, enabled.count }; };
    control.SetVisible(true);
    control.SetPosition({ 0, 0 });
    control.Offset({ 0, 0 });
    control.SetOpacity(1.0f);
    control.SetOpacity(2.0f);
    control.SetEnabled(true);
    EXPECT_EQ(counts(), (std::vector { 0, 0, 0, 0 }));

    control.SetVisible(false);
    control.Offset({ 3, 4 });
    control.SetOpacity(0.25f);
    control.SetOpacity(std::numeric_limits<float>::quiet_NaN());
    control.SetEnabled(false);
    EXPECT_EQ(counts(), (std::vector { 1, 1, 1, 1 }));
    EXPECT_EQ(control.GetPosition(), (CGUIPoint { 3, 4 }));
    EXPECT_FLOAT_EQ(control.GetOpacity(), 0.25f);
    EXPECT_EQ(control.GetVisualState().Get(), CGUIVisualState::kDisabled);

    control.SetEnabled(true);
    CEventRecorder user;
    control.SetUserMouseListener(&user);
    CCountingListener enterLeave(control.GetEnterLeaveNotifier()), hover(control.GetHoverNotifier());
    CGUIMouseEvent event;
    event.point = { 4, 6 };
    control.OnMouseEnter(event);
    EXPECT_EQ(control.GetVisualState().Get(), CGUIVisualState::kHovered);
    control.OnMouseHover(event);
    EXPECT_EQ(control.GetHoverPosition(), (CGUIPoint { 4, 6 }));
    control.OnMouseLeave(event);
    EXPECT_EQ(control.GetVisualState().Get(), CGUIVisualState::kNormal);
    EXPECT_EQ((std::pair { enterLeave.count, hover.count }), (std::pair { 2, 1 }));
    EXPECT_EQ(user.calls, (Calls { "MouseEnter 4,6", "MouseHover 4,6", "MouseLeave" }));

    // The cursor is an owned copy, or none.
    EXPECT_EQ(control.GetCursor()->GetHandle(), LoadCursorA(nullptr, IDC_ARROW));
    std::unique_ptr<CGUICursor> cross(LoadSystemCursor(IDC_CROSS));
    control.SetCursor(cross.get());
    EXPECT_EQ(cross->GetShareCount(), 2);
    control.SetCursor(nullptr);
    EXPECT_EQ(control.GetCursor(), nullptr);
    EXPECT_EQ(cross->GetShareCount(), 1);
}

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
    void Key(UINT message, WPARAM key) { SendMessageA(view->GetHandle(), message, key, 1); }
    LRESULT SetCursorMessage()
    {
        const HWND hwnd = view->GetHandle();
        return SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
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
    POINT onB { 110, 20 }, besideB { 130, 20 };
    MapWindowPoints(host.view->GetHandle(), nullptr, &onB, 1);
    MapWindowPoints(host.view->GetHandle(), nullptr, &besideB, 1);
    EXPECT_EQ(WindowFromPoint(besideB), host.top.Get());
    EXPECT_EQ(WindowFromPoint(onB), host.view->GetHandle());
    host.Send(WM_LBUTTONDOWN, { 130, 20 }, MK_LBUTTON);
    host.Send(WM_LBUTTONDOWN, { 110, 20 }, MK_LBUTTON);
    EXPECT_EQ(host.userB.calls, (Calls { "LeftDown 10,20", "SetFocus focused" }));

    // Over a control, that control's cursor shows.
    const std::unique_ptr<CGUICursor> cross(LoadSystemCursor(IDC_CROSS));
    host.b->SetCursor(cross.get());
    ASSERT_TRUE(SetCursorPos(onB.x, onB.y));
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(host.SetCursorMessage(), 1);
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
        if (released) {
            host.a->ReleaseMouse();
            EXPECT_EQ(GetCapture(), nullptr);
        } else {
            SetCapture(host.top.Get());
        }
        EXPECT_FALSE(host.a->HasMouseCapture());
        host.Send(WM_MOUSEMOVE, { 110, 5 });
        EXPECT_EQ(host.userA.calls, (Calls { "MouseMove 150,30", "MouseMove 110,5" }));
        // Taken by the capture, b was left; then it is entered again.
        const Calls onB { "MouseLeave", "MouseEnter 10,5", "MouseMove 10,5" };
        EXPECT_EQ(host.userB.calls, released ? Calls(onB.begin() + 1, onB.end()) : onB);
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
        host.Key(WM_KEYDOWN, 'A');
        host.Send(WM_MOUSEMOVE, { 5, 5 });
        host.SetCursorMessage();
    }
}

TEST(CGUIControlHostViewTest, HoverFollowsThePointerAndFocusThePressAndKeysTheFocus)
{
    CHostedTree host;
    host.Send(WM_MOUSEMOVE, { 5, 5 });
    EXPECT_TRUE(host.a->IsHovered());
    host.Send(WM_MOUSEMOVE, { 105, 6 });
    EXPECT_FALSE(host.a->IsHovered());
    EXPECT_EQ(host.b->GetVisualState().Get(), CGUIVisualState::kHovered);
    SendMessageA(host.view->GetHandle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(host.b->IsHovered());
    EXPECT_EQ(host.userA.calls, (Calls { "MouseEnter 5,5", "MouseMove 5,5", "MouseLeave" }));
    EXPECT_EQ(host.userB.calls, (Calls { "MouseEnter 5,6", "MouseMove 5,6", "MouseLeave" }));

    // The press gives focus after the user listener saw it; keys go to the focus.
    host.userA.calls.clear();
    host.userB.calls.clear();
    host.Key(WM_KEYDOWN, 'A');
    host.Send(WM_LBUTTONDOWN, { 5, 5 }, MK_LBUTTON);
    EXPECT_EQ(host.view->GetFocusedControl(), host.a);
    EXPECT_EQ(host.a->GetVisualState().Get(), CGUIVisualState::kFocused);
    host.Key(WM_KEYDOWN, 'B');
    host.Key(WM_KEYUP, 'B');
    host.Send(WM_RBUTTONDOWN, { 105, 5 }, MK_RBUTTON);
    EXPECT_TRUE(host.b->HasFocus());
    EXPECT_EQ(host.a->GetVisualState().Get(), CGUIVisualState::kNormal);
    host.Key(WM_KEYDOWN, 'C');
    host.b->SetFocus(false);
    host.Key(WM_KEYDOWN, 'D');
    EXPECT_EQ(host.userA.calls,
        (Calls { "LeftDown 5,5", "SetFocus focused", "KeyDown 66 focused", "KeyUp 66 focused", "KillFocus" }));
    EXPECT_EQ(host.userB.calls, (Calls { "RightDown 5,5", "SetFocus focused", "KeyDown 67 focused", "KillFocus" }));

    // Focusing the focused control again notifies nothing.
    {
        host.userA.calls.clear();
        CCountingListener focus(host.a->GetFocusNotifier());
        EXPECT_EQ(host.view->SetFocusedControl(host.a), nullptr);
        EXPECT_EQ(host.view->SetFocusedControl(host.a), host.a);
        host.a->SetFocus(true);
        EXPECT_EQ(focus.count, 1);
        EXPECT_EQ(host.userA.calls, (Calls { "SetFocus focused" }));
    }
    // A focused control that is deleted leaves no focus behind, and its
    // listeners, which may belong to its derived part, hear nothing of it.
    host.a->CaptureMouse();
    delete host.a;
    EXPECT_EQ(host.view->GetFocusedControl(), nullptr);
    EXPECT_EQ(host.view->GetCapturedControl(), nullptr);
    EXPECT_EQ(host.userA.calls, (Calls { "SetFocus focused" }));
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

namespace {
constexpr const char* kLongText = "The quick brown fox jumps over the lazy dog and keeps on running";

// Measures text with the stock GUI font straight through GDI, on one line or
// broken into lines of width.
CGUISize MeasureWithStockFont(const char* text, int width = 0)
{
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE size {};
    GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &size);
    RECT rect { 0, 0, width, 0 };
    if (width > 0) {
        DrawTextA(dc, text, -1, &rect, DT_CALCRECT | DT_WORDBREAK);
        size = SIZE { width, rect.bottom };
    }
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return { size.cx, size.cy };
}

CGUIColor WindowColor()
{
    const COLORREF color = GetSysColor(COLOR_WINDOW);
    return { GetRValue(color), GetGValue(color), GetBValue(color) };
}

// Wraps the text at a fixed width and fits the height, as the application does.
void SetUpWrapping(CGUITextControl& control, int32_t width)
{
    CGUITextPainter& painter = control.GetTextPainter();
    painter.SetFormat(
        CGUITextFormat { CGUITextFormat::kWordBreak, CGUITextFormat::kAlignCenter, CGUITextFormat::kAlignStart });
    painter.SetAutoWidth(false);
    painter.FitToText();
    painter.SetAutoHeight(true);
    painter.FitToText();
    control.SetSize({ width, 30 });
}

int CountPixelsNotOf(CTestImage& image, CGUIRect area, CGUIColor color)
{
    int count = 0;
    for (int y = area.y; y < area.y + area.height; ++y) {
        for (int x = area.x; x < area.x + area.width; ++x) {
            count += image.At(x, y) == color ? 0 : 1;
        }
    }
    return count;
}
} // namespace

TEST(CGUITextControlTest, TheSizeFollowsTheTextAsTheSwitchesSay)
{
    CGUITextControl control;
    EXPECT_EQ(control.GetSize(), MeasureWithStockFont(""));
    control.SetText("Close");
    const CGUISize fitted = control.GetSize();
    EXPECT_EQ(fitted, MeasureWithStockFont("Close"));
    // The same text again still notifies and refits.
    CCountingListener model(control.GetTextModel().GetNotifier());
    CCountingListener changed(control.GetTextPainter().GetChangeNotifier());
    CCountingListener size(control.GetTextPainter().GetSizeNotifier());
    control.SetSize({ 3, 3 });
    control.SetText("Close");
    EXPECT_EQ((std::pair { model.count + changed.count, size.count }), (std::pair { 2, 2 }));
    EXPECT_EQ(control.GetSize(), fitted);

    CGUIFont bold(control.GetTextPainter().GetFont());
    bold.SetWeight(FW_BOLD);
    control.GetTextPainter().SetFont(bold);
    EXPECT_GT(control.GetSize().width, fitted.width);

    // A fixed width with word break grows the height; no switch keeps the size.
    CGUITextControl wrapped, fixed;
    SetUpWrapping(wrapped, 120);
    wrapped.SetText(kLongText);
    EXPECT_EQ(wrapped.GetSize(), MeasureWithStockFont(kLongText, 120));
    fixed.GetTextPainter().SetAutoWidth(false);
    fixed.GetTextPainter().SetAutoHeight(false);
    fixed.SetSize({ 50, 20 });
    fixed.SetText(kLongText);
    EXPECT_EQ(fixed.GetSize(), (CGUISize { 50, 20 }));
}

TEST(CGUITextControlTest, AnOpaqueLabelFillsItsRectangleWithTheWindowColour)
{
    for (const bool transparent : { false, true }) {
        SCOPED_TRACE(transparent ? "transparent" : "opaque");
        const CGUIColor backdrop { 1, 2, 3 };
        CGUITextControl control;
        control.GetTextPainter().SetTextColor(CGUIColor { 200, 0, 0 });
        control.GetTextPainter().SetTransparentBackground(transparent);
        control.SetText("Wg");
        control.SetSize({ 60, 30 });
        CTestImage image(80, 40, 32);
        image.Fill(backdrop);
        image.Context().OffsetOrigin({ 10, 5 });
        control.GetTreePainter()->Paint(image.Context(), nullptr);

        const CGUIColor fill = transparent ? backdrop : WindowColor();
        EXPECT_EQ((Colors { image.At(10, 5), image.At(69, 5), image.At(10, 34), image.At(69, 34), image.At(12, 20),
                      image.At(9, 5), image.At(70, 34) }),
            (Colors { fill, fill, fill, fill, fill, backdrop, backdrop }));
        EXPECT_GT(CountPixelsNotOf(image, { 10, 5, 60, 30 }, fill), 0);
    }
}

TEST(CGUITextControlTest, AHostedLabelIsPaintedByItsView)
{
    auto* control = new CGUITextControl;
    control->SetText("Click on a check box to enable or disable the corresponding DXi MIDI capabilities.");
    SetUpWrapping(*control, 400);
    CTestHost host(control);
    EXPECT_EQ(host.view->GetSize(), (CGUISize { 400, 30 }));
    CTestImage image(400, 30, 32);
    image.Fill({ 1, 2, 3 });
    SendMessageA(host.view->GetHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image.DC()), PRF_CLIENT);
    EXPECT_EQ((Colors { image.At(0, 0), image.At(399, 29) }), (Colors { WindowColor(), WindowColor() }));
    EXPECT_GT(CountPixelsNotOf(image, { 0, 0, 400, 30 }, WindowColor()), 0);
}

TEST(CGUIButton, ATabStopButtonThatIsTheDefaultOnlyWhileFocusedAndNotifiesEachClickOnce)
{
    CGUIDialogWindow dialog;
    ASSERT_TRUE(dialog.CreateDialog(nullptr, 0));
    CGUIButton button;
    ASSERT_TRUE(button.Create(&dialog));
    const HWND hwnd = button.GetHandle();
    EXPECT_EQ(button.GetSize(), (CGUISize { 75, 23 }));
    EXPECT_TRUE(button.HasTabStop());
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_VISIBLE, 0);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd, WM_GETFONT, 0, 0)), GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_NE(GetCommonControlsLibrary(), nullptr);
    for (const UINT message : { WM_KILLFOCUS, WM_SETFOCUS, WM_KILLFOCUS }) {
        SendMessageA(hwnd, message, 0, 0);
        EXPECT_EQ(GetWindowLongPtrA(hwnd, GWL_STYLE) & BS_TYPEMASK,
            message == WM_SETFOCUS ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    }

    // Enter and each click notify once, a double click nothing more.
    CCountingListener clicks(button.GetClickNotifier());
    SendMessageA(hwnd, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(clicks.count, 1);
    for (const UINT message : { WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP }) {
        SendMessageA(hwnd, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(5, 5));
    }
    SendMessageA(dialog.GetHandle(), WM_COMMAND, MAKEWPARAM(0, BN_DOUBLECLICKED), reinterpret_cast<LPARAM>(hwnd));
    EXPECT_EQ(clicks.count, 3);
}

namespace {
// The main window's shutdown in small: the click listener destroys the
// dialog, whose OnDestroy deletes the button (and, when asked, the dialog
// object too). Both live in storage poisoned as soon as they are destroyed,
// so any later use of them crashes or fails the checks.
class CClosingDialog : public CGUIDialogWindow, public CGUIWindowListener, public IGUIListener {
public:
    CClosingDialog(unsigned char* buttonStorage, bool deleteSelf)
        : m_buttonStorage(buttonStorage)
        , m_deleteSelf(deleteSelf)
    {
    }
    static inline int s_destroyed = 0;

    IGUIWindowListener* GetWindowListener() override { return this; }
    void OnNotify() override { DestroyWindow(GetHandle()); }
    void OnDestroy(const CGUIWindowEvent&) override
    {
        ++s_destroyed;
        reinterpret_cast<CGUIButton*>(m_buttonStorage)->~CGUIButton();
        std::memset(m_buttonStorage, 0xDD, sizeof(CGUIButton));
        if (m_deleteSelf) {
            auto* storage = reinterpret_cast<unsigned char*>(this);
            this->~CClosingDialog();
            std::memset(storage, 0xDD, sizeof(CClosingDialog));
        }
    }

private:
    unsigned char* m_buttonStorage;
    bool m_deleteSelf;
};
} // namespace

TEST(CGUIButton, AListenerThatClosesTheWindowLeavesNothingToTouch)
{
    for (const bool deleteDialog : { false, true }) {
        SCOPED_TRACE(deleteDialog ? "dialog object deleted" : "dialog object kept");
        alignas(CGUIButton) unsigned char buttonStorage[sizeof(CGUIButton)];
        alignas(CClosingDialog) unsigned char dialogStorage[sizeof(CClosingDialog)];
        auto* dialog = new (dialogStorage) CClosingDialog(buttonStorage, deleteDialog);
        dialog->SetVisible(true);
        ASSERT_TRUE(dialog->CreateDialog(nullptr, 0));
        const HWND dialogHwnd = dialog->GetHandle();
        auto* button = new (buttonStorage) CGUIButton;
        button->SetVisible(true);
        ASSERT_TRUE(button->Create(dialog));
        const HWND buttonHwnd = button->GetHandle();
        button->GetClickNotifier().AddListener(dialog);
        CClosingDialog::s_destroyed = 0;

        SendMessageA(buttonHwnd, WM_KEYDOWN, VK_RETURN, 1);
        EXPECT_EQ(CClosingDialog::s_destroyed, 1);
        EXPECT_FALSE(IsWindow(dialogHwnd));
        EXPECT_FALSE(IsWindow(buttonHwnd));
        if (!deleteDialog) {
            EXPECT_FALSE(dialog->IsCreated());
            dialog->~CClosingDialog();
        }
    }
}

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
    } steps[] = { // Line step 5; not tracking, the thumb position is where the bar is.
        { WM_VSCROLL, SB_LINEDOWN, 0, { 0, 5 } }, { WM_VSCROLL, SB_PAGEDOWN, 0, { 0, 105 } },
        { WM_VSCROLL, SB_THUMBTRACK, 0, { 0, 105 } }, { WM_VSCROLL, SB_THUMBPOSITION, 0, { 0, 105 } },
        { WM_VSCROLL, SB_BOTTOM, 0, { 0, 901 } }, { WM_VSCROLL, SB_TOP, 0, { 0, 0 } },
        { WM_HSCROLL, SB_PAGEDOWN, 0, { 200, 0 } }, { WM_HSCROLL, SB_LEFT, 0, { 200, 0 } },
        { WM_HSCROLL, SB_RIGHT, 0, { 200, 0 } }, { WM_KEYDOWN, VK_NEXT, 1, { 200, 100 } },
        { WM_KEYDOWN, VK_DOWN, 3, { 200, 115 } }, { WM_KEYDOWN, VK_RIGHT, 2, { 202, 115 } },
        { WM_KEYDOWN, VK_PRIOR, 1, { 202, 15 } }, { WM_KEYDOWN, VK_HOME, 1, { 202, 15 } },
        { WM_CHAR, VK_PRIOR, 1, { 202, 15 } }
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
    EXPECT_EQ(content.calls, (Calls { "KeyDown 36", "KeyDown 33" })); // VK_HOME, then VK_PRIOR as a character
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
    } cases[] = { { "a notch down", 3, { -120 }, 515 }, { "two notches up", 3, { 120, 120 }, 470 },
        { "forty small turns", 3, std::vector<int>(40, -3), 515 },
        { "small turns short of a line", 3, std::vector<int>(13, -3), 500 },
        { "a turn back drops the rest", 3, { -70, 40 }, 500 }, { "one line per notch", 1, { -120, -60, -60 }, 510 },
        { "a page per notch", WHEEL_PAGESCROLL, { -120, -60, -60 }, 700 }, { "wheel scrolling off", 0, { -120 }, 500 },
        { "huge lines stop at the end", 0x7FFFFFFF, { -120 }, 901 } };
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
    } steps[] = { { { 50, 150, 20, 30 }, { 0, -80 } }, // bottom edge to the bottom of the view
        { { 50, -10, 20, 30 }, { 0, -70 } }, // top edge to the top
        { { 190, 10, 300, 30 }, { -190, -70 } }, // wider than the view: its start
        { { 0, 0, 200, 100 }, { -190, -70 } } }; // already inside
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
    SCROLLINFO info { sizeof(info), SIF_RANGE, 0, 500, 0, 0, 0 };
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
    EXPECT_EQ((std::pair { fixture.ContentAt(), fixture.Position(SB_VERT) }), (std::pair { CGUIPoint { 0, 0 }, 0 }));
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
    std::vector<int> paints;
    for (const auto& row : rows) {
        paints.push_back(row->paints);
    }
    // Row 5 (at 100 − 3 after the scroll) reaches into the band.
    EXPECT_EQ(paints, (std::vector { 0, 0, 0, 0, 0, 1, 0, 0, 0, 0 }));

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
