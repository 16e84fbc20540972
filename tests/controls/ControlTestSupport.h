#pragma once

#include "controls/CGUIControl.h"
#include "controls/CGUIControlHostView.h"
#include "controls/IGUIControlShape.h"
#include "graphics/CGUIColor.h"

#include <memory>
#include <string>
#include <vector>

// Fills its rectangle with one colour; with halfShape it claims only the left
// half of its rectangle and does not cover the rest.
class CColorPainter : public IGUIPainter, public IGUIControlShape {
public:
    CColorPainter(CGUISize size, CGUIColor color, bool halfShape);

    void Paint(IGUIDrawContext& dc, const IGUIRegion* clip) override;
    void SetSize(CGUISize size) override;
    CGUISize GetSize() const override { return m_size; }
    CGUINotifier& GetSizeNotifier() override { return m_sizeNotifier; }
    [[nodiscard]] bool HitTest(CGUIPoint point) const override;
    [[nodiscard]] bool CoversRectangle() const override { return !m_halfShape; }

private:
    CGUISize m_size;
    CGUIColor m_color;
    bool m_halfShape;
    CGUINotifier m_sizeNotifier;
};

// A control of one colour; counts its deletion in *deleted when given.
class CTestControl : public CGUIControl {
public:
    CTestControl(CGUISize size, CGUIColor color = {}, bool halfShape = false, int* deleted = nullptr);
    ~CTestControl() override;
    IGUIPainter* GetContentPainter() override { return &m_painter; }

private:
    CColorPainter m_painter;
    int* m_deleted;
};

// Records what a control's user listeners receive, and whether the control
// had the focus at that moment.
class CRecordingListener : public IGUIMouseListener, public IGUIKeyboardListener {
public:
    explicit CRecordingListener(const IGUIControl* control = nullptr)
        : m_control(control)
    {
    }

    struct Call {
        std::string name;
        CGUIPoint point;
        bool hadFocus;
    };
    std::vector<Call> calls;

    void OnLeftDown(const CGUIMouseEvent& event) override { Record("LeftDown", event.point); }
    void OnLeftUp(const CGUIMouseEvent& event) override { Record("LeftUp", event.point); }
    void OnLeftClick(const CGUIMouseEvent& event) override { Record("LeftClick", event.point); }
    void OnLeftDoubleClick(const CGUIMouseEvent& event) override { Record("LeftDoubleClick", event.point); }
    void OnRightDown(const CGUIMouseEvent& event) override { Record("RightDown", event.point); }
    void OnRightUp(const CGUIMouseEvent& event) override { Record("RightUp", event.point); }
    void OnRightClick(const CGUIMouseEvent& event) override { Record("RightClick", event.point); }
    void OnRightDoubleClick(const CGUIMouseEvent& event) override { Record("RightDoubleClick", event.point); }
    void OnMouseEnter(const CGUIMouseEvent& event) override { Record("MouseEnter", event.point); }
    void OnMouseMove(const CGUIMouseEvent& event) override { Record("MouseMove", event.point); }
    void OnMouseHover(const CGUIMouseEvent& event) override { Record("MouseHover", event.point); }
    void OnMouseLeave(const CGUIMouseEvent& event) override { Record("MouseLeave", event.point); }
    void OnMouseWheel(const CGUIMouseEvent& event) override { Record("MouseWheel", event.point); }
    void OnKeyDown(const CGUIKeyEvent& event) override { Record("KeyDown", { static_cast<int32_t>(event.key), 0 }); }
    void OnKeyUp(const CGUIKeyEvent& event) override { Record("KeyUp", { static_cast<int32_t>(event.key), 0 }); }
    void OnHotKey(const CGUIHotKeyEvent&) override { Record("HotKey", {}); }
    [[nodiscard]] bool WantsKey(const CGUIKeyEvent&) override { return true; }
    void OnSetFocus(const CGUIFocusEvent&) override { Record("SetFocus", {}); }
    void OnKillFocus(const CGUIFocusEvent&) override { Record("KillFocus", {}); }

    int Count(const std::string& name) const;

private:
    void Record(const char* name, CGUIPoint point)
    {
        calls.push_back({ name, point, m_control != nullptr && m_control->HasFocus() });
    }

    const IGUIControl* m_control;
};

// A host view that records what reaches its window's invalidation.
class CRecordingHostView : public CGUIControlHostView {
public:
    using CGUIControlHostView::CGUIControlHostView;
    void InvalidateWithParents(const CGUIRect* rect) override;

    std::vector<CGUIRect> invalidated;
};

// A visible pop-up tool window of a plain class, shown without activation.
// Under Wine such a window needs no window manager and closes at once, where
// an activated one waits for the manager (about two seconds without one).
class CTopWindow {
public:
    CTopWindow();
    CTopWindow(const CTopWindow&) = delete;
    CTopWindow& operator=(const CTopWindow&) = delete;
    ~CTopWindow();
    HWND GetHandle() const { return m_hwnd; }

private:
    HWND m_hwnd;
};

// A visible top-level window with a host view as its child at (10, 10).
class CHostedTree {
public:
    explicit CHostedTree(IGUIControl* root);
    ~CHostedTree();

    CTopWindow parent;
    CRecordingHostView* view;
    // The screen position of a point in the view's client area.
    POINT ToScreen(CGUIPoint point) const;
    // Sends a mouse message at point (view client coordinates).
    void SendMouse(UINT message, CGUIPoint point, WPARAM keys = 0) const;
};

// Counts the notifications of one notifier.
class CNotifyCounter : public IGUIListener {
public:
    explicit CNotifyCounter(CGUINotifier& notifier)
        : m_notifier(notifier)
    {
        m_notifier.AddListener(this);
    }
    ~CNotifyCounter() override { m_notifier.RemoveListener(this); }
    void OnNotify() override { ++count; }

    int count = 0;

private:
    CGUINotifier& m_notifier;
};
