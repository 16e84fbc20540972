#include "controls/CGUIControlHostView.h"

#include "controls/IGUIControlShape.h"
#include "window/IGUIPainter.h"

#include <memory>

namespace {

// The target's position in the root's coordinates. The root itself sits at the
// view's origin, so its own position does not count.
CGUIPoint PositionInRoot(const IGUIControl* control)
{
    CGUIPoint sum;
    for (; control != nullptr && control->GetParent() != nullptr; control = control->GetParent()) {
        const CGUIPoint position = control->GetPosition();
        sum.x += position.x;
        sum.y += position.y;
    }
    return sum;
}

bool Contains(CGUISize size, CGUIPoint point)
{
    return point.x >= 0 && point.y >= 0 && point.x < size.width && point.y < size.height;
}

CGUIFocusEvent MakeFocusEvent(UINT message)
{
    CGUIFocusEvent event;
    event.message = message;
    return event;
}

} // namespace

CGUIControlHostView::CGUIControlHostView(IGUIControl* root)
{
    SetRootControl(root);
}

CGUIControlHostView::~CGUIControlHostView()
{
    ReleaseRoot();
}

void CGUIControlHostView::ReleaseRoot()
{
    if (m_root == nullptr) {
        return;
    }
    IGUIControl* root = m_root;
    root->GetTreePainter()->GetSizeNotifier().RemoveListener(&m_rootSizeListener);
    SetCapturedControl(nullptr);
    (void)SetFocusedControl(nullptr);
    root->SetHost(nullptr, nullptr);
    m_root = nullptr;
    m_hovered = nullptr;
    delete root;
}

void CGUIControlHostView::SetRootControl(IGUIControl* root)
{
    if (root == m_root) {
        return;
    }
    ReleaseRoot();
    m_root = root;
    if (m_root == nullptr) {
        return;
    }
    m_root->SetHost(this, this);
    m_root->GetTreePainter()->GetSizeNotifier().AddListener(&m_rootSizeListener);
    FollowRootSize();
    Invalidate(nullptr, false);
}

void CGUIControlHostView::FollowRootSize()
{
    // The window tells its painter of every new client size, which comes
    // straight back here: the guard ends that round trip.
    if (m_followingSize || m_root == nullptr) {
        return;
    }
    m_followingSize = true;
    SetSize(m_root->GetTreePainter()->GetSize());
    m_followingSize = false;
}

IGUIControl* CGUIControlHostView::FindControlAt(IGUIControl* control, CGUIPoint point)
{
    if (control == nullptr || !control->IsVisible()) {
        return nullptr;
    }
    std::unique_ptr<IGUIControlIterator> children(control->CreateChildIterator());
    while (IGUIControl* child = children != nullptr ? children->Next() : nullptr) {
        if (!child->IsVisible()) {
            continue;
        }
        const CGUIPoint position = child->GetPosition();
        const CGUIPoint inChild { point.x - position.x, point.y - position.y };
        if (!Contains(child->GetTreePainter()->GetSize(), inChild)) {
            continue;
        }
        if (IGUIControl* found = FindControlAt(child, inChild)) {
            return found;
        }
    }
    if (!control->GetEnabling()->IsEnabled() || !control->AcceptsMouse()
        || !Contains(control->GetTreePainter()->GetSize(), point)) {
        return nullptr;
    }
    const auto* shape = dynamic_cast<const IGUIControlShape*>(control->GetContentPainter());
    return shape == nullptr || shape->HitTest(point) ? control : nullptr;
}

IGUIControl* CGUIControlHostView::SetFocusedControl(IGUIControl* control)
{
    IGUIControl* previous = m_focused;
    if (control == previous) {
        return previous;
    }
    // Stored first, so that the control losing the focus already sees that it
    // has none when it refreshes its look.
    m_focused = control;
    if (previous != nullptr) {
        previous->GetKeyboardListener()->OnKillFocus(MakeFocusEvent(WM_KILLFOCUS));
    }
    if (HasFocus() == (control != nullptr)) {
        if (control != nullptr) {
            control->GetKeyboardListener()->OnSetFocus(MakeFocusEvent(WM_SETFOCUS));
        }
    } else {
        // The native focus change comes back as WM_SETFOCUS or WM_KILLFOCUS
        // and reaches the focused control through the keyboard forwarder.
        SetFocus(control != nullptr);
    }
    return previous;
}

IGUIControl* CGUIControlHostView::SetCapturedControl(IGUIControl* control)
{
    IGUIControl* previous = m_captured;
    m_captured = control;
    if (control != nullptr) {
        SetCapture();
    } else {
        ReleaseCapture();
    }
    return previous;
}

LRESULT CGUIControlHostView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CAPTURECHANGED && reinterpret_cast<HWND>(lParam) != GetHandle() && m_captured != nullptr) {
        m_captured->ReleaseMouse();
    }
    return CGUICustomWindow::WindowProc(message, wParam, lParam);
}

IGUIPainter* CGUIControlHostView::GetPainter()
{
    return m_root != nullptr ? m_root->GetTreePainter() : nullptr;
}

CGUICursor* CGUIControlHostView::GetCursor()
{
    IGUIControl* source = m_captured;
    POINT cursor;
    if (source == nullptr && GetHandle() != nullptr && GetCursorPos(&cursor) && ScreenToClient(GetHandle(), &cursor)) {
        source = FindControlAt(m_root, CGUIPoint { cursor.x, cursor.y });
    }
    return source != nullptr ? source->GetCursor() : nullptr;
}

bool CGUIControlHostView::HitTest(CGUIPoint point) const
{
    return GetOption() && FindControlAt(m_root, point) != nullptr;
}

void CGUIControlHostView::CMouseForwarder::Deliver(
    IGUIControl* target, const CGUIMouseEvent& event, Operation operation)
{
    CGUIMouseEvent local = event;
    const CGUIPoint offset = PositionInRoot(target);
    local.point.x -= offset.x;
    local.point.y -= offset.y;
    (target->GetMouseListener()->*operation)(local);
}

void CGUIControlHostView::CMouseForwarder::Forward(const CGUIMouseEvent& event, Operation operation)
{
    IGUIControl* target = m_view.m_captured;
    if (target == nullptr) {
        target = FindControlAt(m_view.m_root, event.point);
    }
    if (target != nullptr) {
        Deliver(target, event, operation);
    }
}

void CGUIControlHostView::CMouseForwarder::UpdateHover(const CGUIMouseEvent& event, IGUIControl* hovered)
{
    IGUIControl* previous = m_view.m_hovered;
    if (hovered == previous) {
        return;
    }
    m_view.m_hovered = hovered;
    // The control left behind may have been taken out of the tree, or deleted,
    // since the mouse entered it.
    if (previous != nullptr && IsInTree(m_view.m_root, previous)) {
        Deliver(previous, event, &IGUIMouseListener::OnMouseLeave);
    }
    if (hovered != nullptr) {
        Deliver(hovered, event, &IGUIMouseListener::OnMouseEnter);
    }
}

bool CGUIControlHostView::CMouseForwarder::IsInTree(IGUIControl* tree, const IGUIControl* control)
{
    if (tree == nullptr) {
        return false;
    }
    if (tree == control) {
        return true;
    }
    std::unique_ptr<IGUIControlIterator> children(tree->CreateChildIterator());
    while (IGUIControl* child = children != nullptr ? children->Next() : nullptr) {
        if (IsInTree(child, control)) {
            return true;
        }
    }
    return false;
}

void CGUIControlHostView::CMouseForwarder::OnMouseEnter(const CGUIMouseEvent& event)
{
    UpdateHover(event, FindControlAt(m_view.m_root, event.point));
}

void CGUIControlHostView::CMouseForwarder::OnMouseMove(const CGUIMouseEvent& event)
{
    UpdateHover(event, FindControlAt(m_view.m_root, event.point));
    Forward(event, &IGUIMouseListener::OnMouseMove);
}

void CGUIControlHostView::CMouseForwarder::OnMouseLeave(const CGUIMouseEvent& event)
{
    UpdateHover(event, nullptr);
}

IGUIKeyboardListener* CGUIControlHostView::CKeyboardForwarder::Target() const
{
    return m_view.m_focused != nullptr ? m_view.m_focused->GetKeyboardListener() : nullptr;
}

void CGUIControlHostView::CKeyboardForwarder::OnKeyDown(const CGUIKeyEvent& event)
{
    if (IGUIKeyboardListener* target = Target()) {
        target->OnKeyDown(event);
    }
}

void CGUIControlHostView::CKeyboardForwarder::OnKeyUp(const CGUIKeyEvent& event)
{
    if (IGUIKeyboardListener* target = Target()) {
        target->OnKeyUp(event);
    }
}

void CGUIControlHostView::CKeyboardForwarder::OnHotKey(const CGUIHotKeyEvent& event)
{
    if (IGUIKeyboardListener* target = Target()) {
        target->OnHotKey(event);
    }
}

bool CGUIControlHostView::CKeyboardForwarder::WantsKey(const CGUIKeyEvent& event)
{
    IGUIKeyboardListener* target = Target();
    return target != nullptr && target->WantsKey(event);
}

void CGUIControlHostView::CKeyboardForwarder::OnSetFocus(const CGUIFocusEvent& event)
{
    if (IGUIKeyboardListener* target = Target()) {
        target->OnSetFocus(event);
    }
}

void CGUIControlHostView::CKeyboardForwarder::OnKillFocus(const CGUIFocusEvent& event)
{
    if (IGUIKeyboardListener* target = Target()) {
        target->OnKillFocus(event);
    }
}
