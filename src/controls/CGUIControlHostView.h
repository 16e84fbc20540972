#pragma once

#include "controls/IGUIControl.h"
#include "controls/IGUIControlHost.h"
#include "foundation/TMemberListener.h"
#include "window/CGUICustomWindow.h"
#include "window/CGUIMouseForwarder.h"
#include "window/IGUIKeyboardListener.h"

// The framework window that hosts one tree of windowless controls: it paints
// the root control, sends the mouse to the control under the pointer (or to
// the one that captured it) in that control's coordinates, and the keyboard
// to the focused control. Entering and leaving are tracked per control: the
// control under the pointer gets OnMouseEnter when the pointer reaches it and
// OnMouseLeave when the pointer moves on to another control or out of the
// view. The root lies at the view's origin; the view keeps
// its size and the root control's size equal, whichever of them changes.
//
// With the window's option flag clear the view is transparent to the mouse
// everywhere; with it set, only where a control accepts the point, so that
// elsewhere clicks reach the window below (WM_NCHITTEST answers
// HTTRANSPARENT).
class CGUIControlHostView : public CGUICustomWindow, public IGUIControlHost {
public:
    // Takes ownership of root (may be none).
    explicit CGUIControlHostView(IGUIControl* root = nullptr);
    ~CGUIControlHostView() override;

    // Deletes the current root and takes ownership of root (may be none).
    void SetRootControl(IGUIControl* root);
    IGUIControl* GetRootControl() const { return m_root; }

    // The deepest visible control at point (in control's coordinates) that
    // is enabled, accepts the mouse and whose shape holds the point; children
    // are searched before their parent, in painting order. None when there is
    // none, or for a null control.
    static IGUIControl* FindControlAt(IGUIControl* control, CGUIPoint point);

    IGUIControl* SetFocusedControl(IGUIControl* control) override;
    IGUIControl* GetFocusedControl() const override { return m_focused; }
    IGUIControl* SetCapturedControl(IGUIControl* control) override;
    IGUIControl* GetCapturedControl() const override { return m_captured; }

    // The root control's tree painter.
    IGUIPainter* GetPainter() override;
    // The cursor of the captured control, else of the control under the
    // mouse pointer; none elsewhere.
    CGUICursor* GetCursor() override;
    [[nodiscard]] bool HitTest(CGUIPoint point) const override;
    IGUIMouseListener* GetMouseListener() override { return &m_mouseForwarder; }
    IGUIKeyboardListener* GetKeyboardListener() override { return &m_keyboardForwarder; }

protected:
    // A capture that another window takes ends the captured control's capture.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    class CMouseForwarder : public CGUIMouseForwarder {
    public:
        explicit CMouseForwarder(CGUIControlHostView& view)
            : m_view(view)
        {
        }
        void OnMouseEnter(const CGUIMouseEvent& event) override;
        void OnMouseMove(const CGUIMouseEvent& event) override;
        void OnMouseLeave(const CGUIMouseEvent& event) override;

    protected:
        // To the captured control, else to the control under the pointer.
        void Forward(const CGUIMouseEvent& event, Operation operation) override;

    private:
        static void Deliver(IGUIControl* target, const CGUIMouseEvent& event, Operation operation);
        static bool IsInTree(IGUIControl* tree, const IGUIControl* control);
        void UpdateHover(const CGUIMouseEvent& event, IGUIControl* hovered);

        CGUIControlHostView& m_view;
    };
    class CKeyboardForwarder : public IGUIKeyboardListener {
    public:
        explicit CKeyboardForwarder(CGUIControlHostView& view)
            : m_view(view)
        {
        }
        void OnKeyDown(const CGUIKeyEvent& event) override;
        void OnKeyUp(const CGUIKeyEvent& event) override;
        void OnHotKey(const CGUIHotKeyEvent& event) override;
        [[nodiscard]] bool WantsKey(const CGUIKeyEvent& event) override;
        void OnSetFocus(const CGUIFocusEvent& event) override;
        void OnKillFocus(const CGUIFocusEvent& event) override;

    private:
        IGUIKeyboardListener* Target() const;

        CGUIControlHostView& m_view;
    };
    void ReleaseRoot();
    void FollowRootSize();

    IGUIControl* m_root = nullptr;
    IGUIControl* m_focused = nullptr;
    IGUIControl* m_captured = nullptr;
    // The control the pointer is over, as last told OnMouseEnter.
    IGUIControl* m_hovered = nullptr;
    bool m_followingSize = false;
    CMouseForwarder m_mouseForwarder { *this };
    CKeyboardForwarder m_keyboardForwarder { *this };
    TMemberListener<CGUIControlHostView> m_rootSizeListener { *this, &CGUIControlHostView::FollowRootSize };
};
