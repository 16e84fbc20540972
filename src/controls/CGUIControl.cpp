#include "controls/CGUIControl.h"

#include "controls/IGUIControlHost.h"
#include "controls/IGUIControlShape.h"
#include "graphics/GUIPixelArithmetic.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

class CGUIControl::CChildIterator : public IGUIControlIterator {
public:
    explicit CChildIterator(const CGUIControl& control)
        : m_control(control)
    {
    }
    // By index, so that a list changed during the walk never leaves it
    // pointing into freed storage.
    IGUIControl* Next() override
    {
        if (m_next >= m_control.m_children.size()) {
            return nullptr;
        }
        return m_control.m_children[m_next++].control;
    }

private:
    const CGUIControl& m_control;
    size_t m_next = 0;
};

CGUIControl::CGUIControl()
    : m_cursor(LoadSystemCursor(IDC_ARROW))
{
}

CGUIControl::~CGUIControl()
{
    // The derived part is gone: from here on neither the user's listeners nor
    // the notifiers may run for this control, but the host must still forget
    // it, and whatever of its subtree holds the focus or the capture.
    m_destroying = true;
    LeaveHost();
    if (m_parent != nullptr) {
        TakeOutOfParent(m_parent, this);
        m_parent = nullptr;
    }
    std::vector<CChild> children;
    children.swap(m_children);
    for (const CChild& child : children) {
        child.control->SetParent(nullptr, false);
        if (child.owned) {
            delete child.control;
        }
    }
}

IGUIWindow* CGUIControl::GetHostWindow() const
{
    return m_parent != nullptr ? m_parent->GetHostWindow() : m_hostWindow;
}

IGUIControlHost* CGUIControl::GetHost() const
{
    return m_parent != nullptr ? m_parent->GetHost() : m_host;
}

void CGUIControl::SetParent(IGUIControl* parent, bool owned)
{
    if (parent == m_parent) {
        return;
    }
    LeaveHost();
    if (m_parent != nullptr) {
        TakeOutOfParent(m_parent, this);
    }
    m_parent = parent;
    if (m_parent != nullptr) {
        m_parent->AddChild(this, owned);
    }
    m_hostWindow = nullptr;
    m_host = nullptr;
}

void CGUIControl::SetHost(IGUIWindow* window, IGUIControlHost* host)
{
    LeaveHost();
    if (m_parent != nullptr) {
        TakeOutOfParent(m_parent, this);
        m_parent = nullptr;
    }
    m_hostWindow = window;
    m_host = host;
}

void CGUIControl::AddChild(IGUIControl* child, bool owned)
{
    if (child == nullptr || child == this) {
        return;
    }
    child->SetParent(this, owned);
    auto found = FindChild(child);
    if (found != m_children.end()) {
        found->owned = owned;
        return;
    }
    m_children.push_back(CChild { child, owned });
    m_childrenNotifier.Notify();
}

bool CGUIControl::RemoveChild(IGUIControl* child)
{
    if (FindChild(child) == m_children.end()) {
        return false;
    }
    const bool owned = TakeOutChild(child);
    child->SetParent(nullptr, false);
    if (owned) {
        delete child;
    }
    return owned;
}

bool CGUIControl::TakeOutChild(IGUIControl* child)
{
    auto found = FindChild(child);
    if (found == m_children.end()) {
        return false;
    }
    const bool owned = found->owned;
    m_children.erase(found);
    m_childrenNotifier.Notify();
    return owned;
}

void CGUIControl::TakeOutOfParent(IGUIControl* parent, IGUIControl* child)
{
    // RemoveChild would delete an owned child, which is wrong when the child
    // itself is moving elsewhere or going away.
    if (auto* control = dynamic_cast<CGUIControl*>(parent)) {
        (void)control->TakeOutChild(child);
    }
}

void CGUIControl::MoveChildToEnd(IGUIControl* child)
{
    auto found = FindChild(child);
    if (found == m_children.end()) {
        return;
    }
    const CChild entry = *found;
    m_children.erase(found);
    m_children.push_back(entry);
    m_childrenNotifier.Notify();
}

std::vector<CGUIControl::CChild>::iterator CGUIControl::FindChild(const IGUIControl* child)
{
    return std::find_if(
        m_children.begin(), m_children.end(), [child](const CChild& entry) { return entry.control == child; });
}

std::vector<CGUIControl::CChild>::const_iterator CGUIControl::FindChild(const IGUIControl* child) const
{
    return std::find_if(
        m_children.begin(), m_children.end(), [child](const CChild& entry) { return entry.control == child; });
}

IGUIControlIterator* CGUIControl::CreateChildIterator() const
{
    return new CChildIterator(*this);
}

void CGUIControl::SetVisible(bool visible)
{
    if (visible == m_visible) {
        return;
    }
    if (m_visible) {
        Invalidate();
    }
    m_visible = visible;
    if (m_visible) {
        Invalidate();
    }
    m_visibilityNotifier.Notify();
}

bool CGUIControl::IsShown() const
{
    const IGUIWindow* window = GetHostWindow();
    return m_visible && window != nullptr && window->IsWindowVisible();
}

void CGUIControl::SetPosition(CGUIPoint position)
{
    if (position == m_position) {
        return;
    }
    const bool shown = IsShown();
    if (shown) {
        Invalidate();
    }
    m_position = position;
    if (shown) {
        Invalidate();
    }
    m_positionNotifier.Notify();
}

void CGUIControl::Offset(CGUIPoint delta)
{
    SetPosition(
        CGUIPoint { GUISaturate(int64_t { m_position.x } + delta.x), GUISaturate(int64_t { m_position.y } + delta.y) });
}

void CGUIControl::BringToFront()
{
    // Moved in place: taking an owned child out with RemoveChild would delete it.
    auto* parent = dynamic_cast<CGUIControl*>(m_parent);
    if (parent == nullptr) {
        return;
    }
    parent->MoveChildToEnd(this);
    if (IsShown()) {
        Invalidate();
    }
}

bool CGUIControl::IsTranslucent() const
{
    return (m_shape != nullptr && !m_shape->CoversRectangle()) || m_opacity < 1.0f;
}

void CGUIControl::SetOpacity(float opacity)
{
    if (std::isnan(opacity)) {
        return;
    }
    opacity = std::clamp(opacity, 0.0f, 1.0f);
    if (opacity == m_opacity) {
        return;
    }
    m_opacity = opacity;
    if (IsShown()) {
        Invalidate();
    }
    m_opacityNotifier.Notify();
}

void CGUIControl::CaptureMouse()
{
    IGUIControlHost* host = GetHost();
    if (host == nullptr) {
        return;
    }
    host->SetCapturedControl(this);
    RefreshVisualState();
    m_captureNotifier.Notify();
}

void CGUIControl::ReleaseMouse()
{
    if (!HasMouseCapture()) {
        return;
    }
    GetHost()->SetCapturedControl(nullptr);
    if (m_destroying) {
        return;
    }
    RefreshVisualState();
    m_captureNotifier.Notify();
}

bool CGUIControl::Contains(const IGUIControl* control) const
{
    for (; control != nullptr; control = control->GetParent()) {
        if (control == this) {
            return true;
        }
    }
    return false;
}

void CGUIControl::LeaveHost()
{
    // The host holds raw pointers to the focused and the captured control: a
    // subtree leaving its tree takes them along, whichever of its controls
    // they name, while the host can still be reached through the parents.
    IGUIControlHost* host = GetHost();
    if (host == nullptr) {
        return;
    }
    if (IGUIControl* captured = host->GetCapturedControl(); Contains(captured)) {
        captured->ReleaseMouse();
    }
    if (IGUIControl* focused = host->GetFocusedControl(); Contains(focused)) {
        focused->SetFocus(false);
    }
}

bool CGUIControl::HasMouseCapture() const
{
    const IGUIControlHost* host = GetHost();
    return host != nullptr && host->GetCapturedControl() == this;
}

void CGUIControl::SetFocus(bool focus)
{
    IGUIControlHost* host = GetHost();
    if (host == nullptr) {
        return;
    }
    if (focus) {
        host->SetFocusedControl(this);
    } else if (host->GetFocusedControl() == this) {
        host->SetFocusedControl(nullptr);
    }
}

bool CGUIControl::HasFocus() const
{
    const IGUIControlHost* host = GetHost();
    return host != nullptr && host->GetFocusedControl() == this;
}

void CGUIControl::SetFocusOnHover(bool focusOnHover)
{
    if (focusOnHover == m_focusOnHover) {
        return;
    }
    m_focusOnHover = focusOnHover;
    if (m_focusOnHover && m_hovered) {
        SetFocus(true);
    }
}

void CGUIControl::SetCursor(const CGUICursor* cursor)
{
    m_cursor.reset(cursor != nullptr ? cursor->Clone() : nullptr);
}

void CGUIControl::InvalidateRect(const CGUIRect& rect)
{
    if (rect.width <= 0 || rect.height <= 0 || !IsShown()) {
        return;
    }
    if (m_parent == nullptr) {
        if (m_hostWindow != nullptr) {
            m_hostWindow->InvalidateWithParents(&rect);
        }
        return;
    }
    const CGUISize parentSize = m_parent->GetTreePainter()->GetSize();
    CGUIRect inParent;
    if (!GUIIntersect(GUIOffsetRect(rect, m_position.x, m_position.y),
            CGUIRect { 0, 0, parentSize.width, parentSize.height }, inParent)) {
        return;
    }
    if (const auto* parent = dynamic_cast<const CGUIControl*>(m_parent)) {
        parent->CutCoveredBands(this, inParent);
    }
    m_parent->InvalidateRect(inParent);
}

void CGUIControl::CutCoveredBands(const IGUIControl* child, CGUIRect& rect) const
{
    auto self = FindChild(child);
    if (self == m_children.end()) {
        return;
    }
    for (auto later = self + 1; later != m_children.end(); ++later) {
        const IGUIControl* sibling = later->control;
        if (!sibling->IsVisible() || sibling->IsTranslucent()) {
            continue;
        }
        const CGUIPoint at = sibling->GetPosition();
        const CGUISize size = sibling->GetTreePainter()->GetSize();
        const CGUIRect covered { at.x, at.y, size.width, size.height };
        const int64_t left = rect.x;
        const int64_t top = rect.y;
        const int64_t right = GUIRight(rect);
        const int64_t bottom = GUIBottom(rect);
        const int64_t sibRight = GUIRight(covered);
        const int64_t sibBottom = GUIBottom(covered);
        int64_t newTop = top;
        int64_t newBottom = bottom;
        int64_t newLeft = left;
        int64_t newRight = right;
        if (at.x <= left && sibRight >= right) {
            if (at.y <= top && sibBottom > top) {
                newTop = std::min(sibBottom, bottom);
            } else if (at.y < bottom && sibBottom >= bottom && at.y > top) {
                newBottom = at.y;
            }
        } else if (at.y <= top && sibBottom >= bottom) {
            if (at.x <= left && sibRight > left) {
                newLeft = std::min(sibRight, right);
            } else if (at.x < right && sibRight >= right && at.x > left) {
                newRight = at.x;
            }
        }
        rect = CGUIRect { GUISaturate(newLeft), GUISaturate(newTop), GUISaturate(newRight - newLeft),
            GUISaturate(newBottom - newTop) };
        if (rect.width <= 0 || rect.height <= 0) {
            return;
        }
    }
}

void CGUIControl::Invalidate()
{
    const CGUISize size = m_treePainter.GetSize();
    InvalidateRect(CGUIRect { 0, 0, size.width, size.height });
}

void CGUIControl::SetEnabled(bool enabled)
{
    if (enabled == m_enabled) {
        return;
    }
    m_enabled = enabled;
    RefreshVisualState();
    m_enabledNotifier.Notify();
}

void CGUIControl::SetUserMouseListener(IGUIMouseListener* listener)
{
    m_userMouseListener = listener != nullptr ? listener : &m_ownMouseListener;
}

void CGUIControl::SetUserKeyboardListener(IGUIKeyboardListener* listener)
{
    m_userKeyboardListener = listener != nullptr ? listener : &m_ownKeyboardListener;
}

void CGUIControl::RefreshVisualState()
{
    if (!m_enabled) {
        m_visualState.Set(CGUIVisualState::kDisabled);
    } else if (m_hovered) {
        m_visualState.Set(CGUIVisualState::kHovered);
    } else if (HasFocus()) {
        m_visualState.Set(CGUIVisualState::kFocused);
    } else {
        m_visualState.Set(CGUIVisualState::kNormal);
    }
}

void CGUIControl::WatchContent(CGUINotifier* changed)
{
    IGUIPainter* content = GetContentPainter();
    m_paintedSize = content->GetSize();
    m_shape = dynamic_cast<const IGUIControlShape*>(content);
    content->GetSizeNotifier().AddListener(&m_sizeListener);
    if (changed != nullptr) {
        changed->AddListener(&m_changeListener);
    }
}

void CGUIControl::OnContentSizeChanged()
{
    // One rectangle over the old and the new extent repaints what was
    // uncovered as well as what is new.
    const CGUISize size = m_treePainter.GetSize();
    InvalidateRect(
        CGUIRect { 0, 0, std::max(size.width, m_paintedSize.width), std::max(size.height, m_paintedSize.height) });
    m_paintedSize = size;
}

void CGUIControl::OnContentChanged()
{
    Invalidate();
}

void CGUIControl::Forward(const CGUIMouseEvent& event, Operation operation)
{
    (m_userMouseListener->*operation)(event);
}

void CGUIControl::OnLeftDown(const CGUIMouseEvent& event)
{
    m_userMouseListener->OnLeftDown(event);
    if (m_focusOnPress) {
        SetFocus(true);
    }
}

void CGUIControl::OnRightDown(const CGUIMouseEvent& event)
{
    m_userMouseListener->OnRightDown(event);
    if (m_focusOnPress) {
        SetFocus(true);
    }
}

void CGUIControl::OnMouseEnter(const CGUIMouseEvent& event)
{
    m_hovered = true;
    RefreshVisualState();
    m_userMouseListener->OnMouseEnter(event);
    m_enterLeaveNotifier.Notify();
    if (!m_focusOnHover) {
        return;
    }
    // The host view is a child window, which is never the active window
    // itself: its top-level window is what must be active.
    const IGUIWindow* window = GetHostWindow();
    HWND hwnd = window != nullptr ? window->GetHandle() : nullptr;
    if (hwnd != nullptr && GetAncestor(hwnd, GA_ROOT) == GetActiveWindow()) {
        SetFocus(true);
    }
}

void CGUIControl::OnMouseHover(const CGUIMouseEvent& event)
{
    m_userMouseListener->OnMouseHover(event);
    m_hoverPosition = event.point;
    m_hoverNotifier.Notify();
}

void CGUIControl::OnMouseLeave(const CGUIMouseEvent& event)
{
    m_hovered = false;
    RefreshVisualState();
    m_userMouseListener->OnMouseLeave(event);
    m_enterLeaveNotifier.Notify();
}

void CGUIControl::OnKeyDown(const CGUIKeyEvent& event)
{
    m_userKeyboardListener->OnKeyDown(event);
}

void CGUIControl::OnKeyUp(const CGUIKeyEvent& event)
{
    m_userKeyboardListener->OnKeyUp(event);
}

void CGUIControl::OnHotKey(const CGUIHotKeyEvent& event)
{
    m_userKeyboardListener->OnHotKey(event);
}

bool CGUIControl::WantsKey(const CGUIKeyEvent& event)
{
    return m_userKeyboardListener->WantsKey(event);
}

void CGUIControl::OnSetFocus(const CGUIFocusEvent& event)
{
    if (m_destroying) {
        return;
    }
    RefreshVisualState();
    m_userKeyboardListener->OnSetFocus(event);
    m_focusNotifier.Notify();
}

void CGUIControl::OnKillFocus(const CGUIFocusEvent& event)
{
    if (m_destroying) {
        return;
    }
    RefreshVisualState();
    m_userKeyboardListener->OnKillFocus(event);
    m_focusNotifier.Notify();
}
