#pragma once

#include "controls/CGUIControlTreePainter.h"
#include "controls/CGUIVisualState.h"
#include "controls/IGUIControl.h"
#include "controls/IGUIControlNotifiers.h"
#include "foundation/CGUINotifier.h"
#include "foundation/TMemberListener.h"
#include "graphics/CGUICursor.h"
#include "window/CGUIMouseForwarder.h"
#include "window/IGUIKeyboardListener.h"
#include "window/IGUIWindow.h"

#include <memory>
#include <vector>

class IGUIControlShape;

// The base of every windowless control: the tree, visibility, opacity, input
// state, invalidation and painting of IGUIControl. A concrete control supplies
// its content painter and calls WatchContent from its constructor.
//
// The control is also its own mouse and keyboard listener (the host view
// delivers input there): it keeps hover and focus state, takes the focus on a
// button press, and passes every event on to the user listeners.
//
// A control leaving its tree (removed, moved elsewhere or deleted) takes the
// host's focus and capture along when it or a control below it holds them.
// Deleting a control calls none of its listeners or notifiers (its derived
// part is gone), takes it out of its parent and deletes the children it owns.
// Every control of a tree is a CGUIControl.
class CGUIControl : public IGUIControl,
                    public IGUIControlNotifiers,
                    public IGUIEnabling,
                    public CGUIMouseForwarder,
                    public IGUIKeyboardListener {
public:
    CGUIControl();
    CGUIControl(const CGUIControl&) = delete;
    CGUIControl& operator=(const CGUIControl&) = delete;
    ~CGUIControl() override;

    IGUIWindow* GetHostWindow() const override;
    IGUIControlHost* GetHost() const override;
    void SetParent(IGUIControl* parent, bool owned) override;
    void SetHost(IGUIWindow* window, IGUIControlHost* host) override;
    IGUIControl* GetParent() const override { return m_parent; }
    void AddChild(IGUIControl* child, bool owned) override;
    [[nodiscard]] bool RemoveChild(IGUIControl* child) override;
    IGUIControlIterator* CreateChildIterator() const override;

    void SetVisible(bool visible) override;
    [[nodiscard]] bool IsVisible() const override { return m_visible; }
    [[nodiscard]] bool IsShown() const override;
    void SetPosition(CGUIPoint position) override;
    void Offset(CGUIPoint delta) override;
    CGUIPoint GetPosition() const override { return m_position; }
    void BringToFront() override;
    [[nodiscard]] bool IsTranslucent() const override;
    // Values outside 0..1 are clamped; NaN is ignored.
    void SetOpacity(float opacity) override;
    float GetOpacity() const override { return m_opacity; }
    const IGUIPainter* GetTreePainter() const override { return &m_treePainter; }

    void CaptureMouse() override;
    void ReleaseMouse() override;
    [[nodiscard]] bool HasMouseCapture() const override;
    [[nodiscard]] bool IsHovered() const override { return m_hovered; }
    void SetAcceptsMouse(bool accepts) override { m_acceptsMouse = accepts; }
    [[nodiscard]] bool AcceptsMouse() const override { return m_acceptsMouse; }
    void SetFocus(bool focus) override;
    [[nodiscard]] bool HasFocus() const override;
    void SetFocusOnHover(bool focusOnHover) override;
    [[nodiscard]] bool IsFocusOnHover() const override { return m_focusOnHover; }
    void SetCursor(const CGUICursor* cursor) override;
    CGUICursor* GetCursor() const override { return m_cursor.get(); }

    IGUIPainter* GetTreePainter() override { return &m_treePainter; }
    void InvalidateRect(const CGUIRect& rect) override;
    void Invalidate() override;

    IGUIEnabling* GetEnabling() override { return this; }
    IGUIMouseListener* GetMouseListener() override { return this; }
    IGUIKeyboardListener* GetKeyboardListener() override { return this; }

    // A disabled control is never hit and shows visual state 0.
    void SetEnabled(bool enabled) override;
    [[nodiscard]] bool IsEnabled() const override { return m_enabled; }

    CGUINotifier& GetVisibilityNotifier() override { return m_visibilityNotifier; }
    CGUINotifier& GetEnabledNotifier() override { return m_enabledNotifier; }
    CGUINotifier& GetPositionNotifier() override { return m_positionNotifier; }
    CGUINotifier& GetOpacityNotifier() override { return m_opacityNotifier; }
    CGUINotifier& GetEnterLeaveNotifier() override { return m_enterLeaveNotifier; }
    CGUINotifier& GetHoverNotifier() override { return m_hoverNotifier; }
    CGUINotifier& GetFocusNotifier() override { return m_focusNotifier; }
    // Fires when the control takes or releases the mouse capture.
    CGUINotifier& GetCaptureNotifier() { return m_captureNotifier; }
    // Fires when a child is added or removed, or the painting order changes.
    CGUINotifier& GetChildrenNotifier() { return m_childrenNotifier; }
    // Where the mouse rested at the last hover notification, control coordinates.
    CGUIPoint GetHoverPosition() const { return m_hoverPosition; }

    CGUIVisualState& GetVisualState() { return m_visualState; }
    // Whether a button press gives the control the focus (default true).
    void SetFocusOnPress(bool focusOnPress) { m_focusOnPress = focusOnPress; }
    [[nodiscard]] bool IsFocusOnPress() const { return m_focusOnPress; }
    // Receive the events after the control's own handling; none restores the
    // control's no-op listeners. Not owned; they must outlive the control.
    void SetUserMouseListener(IGUIMouseListener* listener);
    void SetUserKeyboardListener(IGUIKeyboardListener* listener);

    void OnLeftDown(const CGUIMouseEvent& event) override;
    void OnRightDown(const CGUIMouseEvent& event) override;
    void OnMouseEnter(const CGUIMouseEvent& event) override;
    void OnMouseHover(const CGUIMouseEvent& event) override;
    void OnMouseLeave(const CGUIMouseEvent& event) override;

    void OnKeyDown(const CGUIKeyEvent& event) override;
    void OnKeyUp(const CGUIKeyEvent& event) override;
    void OnHotKey(const CGUIHotKeyEvent& event) override;
    [[nodiscard]] bool WantsKey(const CGUIKeyEvent& event) override;
    void OnSetFocus(const CGUIFocusEvent& event) override;
    void OnKillFocus(const CGUIFocusEvent& event) override;

protected:
    // Passes the other mouse events to the user mouse listener unchanged.
    void Forward(const CGUIMouseEvent& event, Operation operation) override;
    // Repaints the control when its content changes size or, when changed is
    // given, fires it, and looks for the content painter's shape
    // (IGUIControlShape). Called once by the concrete control's constructor,
    // when its content painter exists.
    void WatchContent(CGUINotifier* changed);

private:
    struct CChild {
        IGUIControl* control;
        bool owned;
    };
    class CChildIterator;

    std::vector<CChild>::iterator FindChild(const IGUIControl* child);
    std::vector<CChild>::const_iterator FindChild(const IGUIControl* child) const;
    // Takes child out of the list without deleting it or telling it, and
    // fires the children notifier; returns the owned flag (false when absent).
    bool TakeOutChild(IGUIControl* child);
    static void TakeOutOfParent(IGUIControl* parent, IGUIControl* child);
    void MoveChildToEnd(IGUIControl* child);
    // Cuts from rect (parent coordinates) what the opaque siblings painted
    // after child cover.
    void CutCoveredBands(const IGUIControl* child, CGUIRect& rect) const;
    // Whether control is this one or lies below it.
    [[nodiscard]] bool Contains(const IGUIControl* control) const;
    // Gives up the host's focus and capture held by this control or any of
    // its descendants.
    void LeaveHost();
    void RefreshVisualState();
    void OnContentSizeChanged();
    void OnContentChanged();

    std::vector<CChild> m_children;
    // Set by the destructor: the derived part is gone, so nothing that can
    // reach user code runs any more.
    bool m_destroying = false;
    bool m_visible = true;
    bool m_focusOnPress = true;
    bool m_acceptsMouse = true;
    bool m_enabled = true;
    float m_opacity = 1.0f;
    CGUIVisualState m_visualState;
    std::unique_ptr<CGUICursor> m_cursor;
    IGUIControl* m_parent = nullptr;
    IGUIWindow* m_hostWindow = nullptr;
    IGUIControlHost* m_host = nullptr;
    CGUIPoint m_position;
    bool m_hovered = false;
    bool m_focusOnHover = false;
    CGUIPoint m_hoverPosition;
    CGUISize m_paintedSize;
    // The content's shape when its painter has one; none: it fills its rectangle.
    const IGUIControlShape* m_shape = nullptr;
    CGUINotifier m_visibilityNotifier;
    CGUINotifier m_enabledNotifier;
    CGUINotifier m_positionNotifier;
    CGUINotifier m_opacityNotifier;
    CGUINotifier m_enterLeaveNotifier;
    CGUINotifier m_hoverNotifier;
    CGUINotifier m_focusNotifier;
    CGUINotifier m_captureNotifier;
    CGUINotifier m_childrenNotifier;
    CGUIMouseListener m_ownMouseListener;
    CGUIKeyboardListener m_ownKeyboardListener;
    IGUIMouseListener* m_userMouseListener = &m_ownMouseListener;
    IGUIKeyboardListener* m_userKeyboardListener = &m_ownKeyboardListener;
    CGUIControlTreePainter m_treePainter { *this };
    TMemberListener<CGUIControl> m_sizeListener { *this, &CGUIControl::OnContentSizeChanged };
    TMemberListener<CGUIControl> m_changeListener { *this, &CGUIControl::OnContentChanged };
};
