#pragma once

#include "controls/CGUIControl.h"
#include "controls/CGUIControlHostView.h"
#include "controls/IGUIControlShape.h"
#include "graphics/CGUIColor.h"
#include "window/CGUIDialogWindow.h"
#include "window/IGUIKeyboardListener.h"
#include "window/IGUIMouseListener.h"
#include "window/IGUIWindowListener.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

// Real windows and real messages for the Win32 test programs.

// Dispatches this thread's messages until done() holds or timeoutMs passed;
// returns done(). The timeout only ends a test that would otherwise hang.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
// Dispatches whatever is queued now (posted messages and due timers included).
void PumpPending();

// A top-level window of a plain class whose messages go to procedure. Shown, it is
// shown without activation: under Wine such a window needs no window manager and
// closes at once, where an activated one waits for it.
class CPlainWindow {
public:
    explicit CPlainWindow(WNDPROC procedure = DefWindowProcA, bool shown = false);
    CPlainWindow(const CPlainWindow&) = delete;
    CPlainWindow& operator=(const CPlainWindow&) = delete;
    ~CPlainWindow() { DestroyWindow(m_hwnd); }
    HWND Get() const { return m_hwnd; }

private:
    HWND m_hwnd;
};

// Writes down the window, mouse and keyboard notifications in order: "LeftDown 3,4"
// (with the point; a leave has none that matters), "KeyDown 65" (with the key
// code) or "SetFocus", followed by " focused" when focusOf had the focus then.
class CEventRecorder : public CGUIWindowListener, public CGUIMouseListener, public CGUIKeyboardListener {
public:
    std::vector<std::string> calls;
    const IGUIControl* focusOf = nullptr;
    bool createResult = true;
    bool wantsKeys = true;

    [[nodiscard]] bool OnCreate(const CGUIWindowEvent&) override
    {
        Record("Create");
        return createResult;
    }
    void OnLeftDown(const CGUIMouseEvent& e) override { Record("LeftDown", e.point); }
    void OnLeftUp(const CGUIMouseEvent& e) override { Record("LeftUp", e.point); }
    void OnLeftClick(const CGUIMouseEvent& e) override { Record("LeftClick", e.point); }
    void OnLeftDoubleClick(const CGUIMouseEvent& e) override { Record("LeftDoubleClick", e.point); }
    void OnRightDown(const CGUIMouseEvent& e) override { Record("RightDown", e.point); }
    void OnRightUp(const CGUIMouseEvent& e) override { Record("RightUp", e.point); }
    void OnRightClick(const CGUIMouseEvent& e) override { Record("RightClick", e.point); }
    void OnMouseEnter(const CGUIMouseEvent& e) override { Record("MouseEnter", e.point); }
    void OnMouseMove(const CGUIMouseEvent& e) override { Record("MouseMove", e.point); }
    void OnMouseHover(const CGUIMouseEvent& e) override { Record("MouseHover", e.point); }
    void OnMouseLeave(const CGUIMouseEvent&) override { Record("MouseLeave"); }
    void OnKeyDown(const CGUIKeyEvent& e) override { Record("KeyDown " + std::to_string(e.key)); }
    void OnKeyUp(const CGUIKeyEvent& e) override { Record("KeyUp " + std::to_string(e.key)); }
    [[nodiscard]] bool WantsKey(const CGUIKeyEvent&) override { return wantsKeys; }
    void OnSetFocus(const CGUIFocusEvent&) override { Record("SetFocus"); }
    void OnKillFocus(const CGUIFocusEvent&) override { Record("KillFocus"); }

private:
    void Record(const std::string& call);
    void Record(const char* name, CGUIPoint point)
    {
        Record(name + (" " + std::to_string(point.x) + "," + std::to_string(point.y)));
    }
};

// A framework window (top-level by CreateDialog, child by CreateChild) that
// is its own recording listener and counts the native calls made on it.
class CTestWindow : public CGUIDialogWindow {
public:
    CEventRecorder events;
    std::vector<WPARAM> reflectedCommands;
    std::atomic<int> positionChanges { 0 };
    std::atomic<int> showMessages { 0 };
    std::atomic<DWORD> showThread { 0 };
    std::atomic<DWORD> enableThread { 0 };

    CTestWindow() { events.wantsKeys = false; }
    IGUIWindowListener* GetWindowListener() override { return &events; }
    IGUIMouseListener* GetMouseListener() override { return &events; }
    IGUIKeyboardListener* GetKeyboardListener() override { return &events; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Fills area (when empty: its shape) with its colour, and appends the colour
// to *log, at each paint. With halfShape its shape is the left half of its size.
class CFillPainter : public IGUIPainter, public IGUIControlShape {
public:
    CFillPainter(CGUISize size, CGUIColor fill, bool halfShape = false, std::vector<CGUIColor>* log = nullptr)
        : color(fill)
        , m_size(size)
        , m_halfShape(halfShape)
        , m_log(log)
    {
    }
    CGUIColor color;
    CGUIRect area;
    CGUIRect lastClip;
    int calls = 0;

    void Paint(IGUIDrawContext& context, const IGUIRegion* clip) override;
    void SetSize(CGUISize size) override;
    CGUISize GetSize() const override { return m_size; }
    CGUINotifier& GetSizeNotifier() override { return m_sizeNotifier; }
    [[nodiscard]] bool HitTest(CGUIPoint point) const override { return !m_halfShape || point.x < m_size.width / 2; }
    [[nodiscard]] bool CoversRectangle() const override { return !m_halfShape; }

private:
    CGUISize m_size;
    bool m_halfShape;
    std::vector<CGUIColor>* m_log;
    CGUINotifier m_sizeNotifier;
};

// A control of one colour; counts its deletion in *deleted when given.
class CTestControl : public CGUIControl {
public:
    CTestControl(CGUISize size, CGUIColor color = {}, bool halfShape = false, int* deleted = nullptr)
        : m_painter(size, color, halfShape)
        , m_deleted(deleted != nullptr ? deleted : &m_unwatched)
    {
        WatchContent(nullptr);
    }
    ~CTestControl() override { ++*m_deleted; }
    IGUIPainter* GetContentPainter() override { return &m_painter; }

private:
    CFillPainter m_painter;
    int m_unwatched = 0;
    int* m_deleted;
};

// A control tree in a host view at (10, 10) of a shown plain window.
class CTestHost {
public:
    explicit CTestHost(IGUIControl* root);
    CTestHost(const CTestHost&) = delete;
    CTestHost& operator=(const CTestHost&) = delete;
    ~CTestHost() { delete view; }

    // Writes down what reaches its window's invalidation.
    class CView : public CGUIControlHostView {
    public:
        using CGUIControlHostView::CGUIControlHostView;
        void InvalidateWithParents(const CGUIRect* rect) override;
        std::vector<CGUIRect> invalidated;
    };
    CPlainWindow top { DefWindowProcA, true };
    CView* view;

    LRESULT Send(UINT message, CGUIPoint point, WPARAM wParam = 0) const
    {
        return SendMessageA(view->GetHandle(), message, wParam, MAKELPARAM(point.x, point.y));
    }
};
