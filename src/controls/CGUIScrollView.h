#pragma once

#include "controls/CGUIColorFill.h"
#include "foundation/TMemberListener.h"
#include "window/CGUICustomWindow.h"
#include "window/CGUIMouseForwarder.h"

// A child window with native scroll bars that shows a larger content through
// its client area. The owner gives it WS_VSCROLL and/or WS_HSCROLL and tells
// it the content size; the view keeps the bars' ranges in step with the
// content and client sizes and scrolls its client area (children included)
// on scroll-bar actions, arrow and page keys and the mouse wheel. Input it
// does not use goes to the content's listeners. The content always shows the
// part the bars say, also after the system clamped them (a smaller content or
// a larger client area).
class CGUIScrollView : public CGUICustomWindow {
public:
    CGUIScrollView();
    ~CGUIScrollView() override;

    // A child that clips its children: scrolling repaints only the band it
    // uncovers.
    [[nodiscard]] bool Create(IGUIWindow* parent) override;

    // Sets the scroll ranges (0 to the content size, one client size a page);
    // the same size again does nothing.
    void SetContentSize(CGUISize size);
    CGUISize GetContentSize() const { return m_contentSize; }
    // Pixels per line for the arrow keys, the scroll-bar arrows and the
    // wheel; at least 1.
    void SetHorizontalLineStep(int32_t pixels);
    void SetVerticalLineStep(int32_t pixels);
    int32_t GetHorizontalLineStep() const { return m_horizontalLineStep; }
    int32_t GetVerticalLineStep() const { return m_verticalLineStep; }
    // Scroll by lines line steps (negative: up or left); 0 does nothing.
    void ScrollVerticalBy(int32_t lines);
    void ScrollHorizontalBy(int32_t lines);
    // Scrolls the least distance that brings rect (client coordinates) wholly
    // into the client area; along an axis where it is larger than the client
    // area, its start is shown.
    void ShowRect(const CGUIRect& rect);
    // A wheel turn by delta (WHEEL_DELTA a notch, away from the user
    // positive), as over the view: turns smaller than a notch add up until
    // they make a line; a notch scrolls the user's lines per notch, or a page.
    void ScrollByWheel(int32_t delta);
    // Give this to the controls on the view: their wheel turns scroll it.
    IGUIMouseListener& GetWheelForwarder() { return m_wheelForwarder; }

    // When on, the view draws the system's focus rectangle around the child
    // window that has the keyboard focus, while focus cues are shown; for
    // children too small for a mark of their own. Add the updater to the
    // focus notifier of every such child.
    void SetMarksFocusedChild(bool marks);
    IGUIListener& GetFocusMarkUpdater() { return m_focusMarkUpdater; }

    // Paints the background (the system's window colour until changed); fire
    // its change notifier to repaint with a new colour.
    CGUIColorFill& GetBackgroundFill() { return m_background; }
    // The listeners that get the input the view does not use; none for
    // either (the default) drops it. Not owned.
    void SetContentListeners(IGUIMouseListener* mouse, IGUIKeyboardListener* keyboard);

    IGUIMouseListener* GetMouseListener() override { return &m_mouse; }
    IGUIKeyboardListener* GetKeyboardListener() override { return &m_keyboard; }
    // The content's painter when one is set, else the background (and the
    // focus mark), so translucent children are composed over it.
    IGUIPainter* GetPainter() override;
    // Ignored while the view scrolls: its children move with the pixels they
    // show, so neither the places they leave nor those they take need painting.
    void InvalidateWithParents(const CGUIRect* rect) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    class CMouse : public CGUIMouseForwarder {
    public:
        explicit CMouse(CGUIScrollView& view)
            : m_view(view)
        {
        }
        void OnMouseWheel(const CGUIMouseEvent& event) override;

    private:
        // Hands the event to the content's listener, when there is one.
        void Forward(const CGUIMouseEvent& event, Operation operation) override;

        CGUIScrollView& m_view;
    };

    class CKeyboard : public IGUIKeyboardListener {
    public:
        explicit CKeyboard(CGUIScrollView& view)
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
        CGUIScrollView& m_view;
    };

    class CWheelForwarder : public CGUIMouseListener {
    public:
        explicit CWheelForwarder(CGUIScrollView& view)
            : m_view(view)
        {
        }
        void OnMouseWheel(const CGUIMouseEvent& event) override;

    private:
        CGUIScrollView& m_view;
    };

    // The background over the client area, then the focus mark.
    class CBackgroundPainter : public IGUIPainter {
    public:
        explicit CBackgroundPainter(CGUIScrollView& view)
            : m_view(view)
        {
        }
        void Paint(IGUIDrawContext& context, const IGUIRegion* clip) override;
        void SetSize(CGUISize size) override;
        CGUISize GetSize() const override { return m_size; }
        CGUINotifier& GetSizeNotifier() override { return m_sizeNotifier; }

    private:
        CGUIScrollView& m_view;
        CGUISize m_size;
        CGUINotifier m_sizeNotifier;
    };

    void UpdateRanges();
    void OnScroll(int bar, int request);
    // Moves bar to position (clamped by the system) and scrolls the client
    // area by the change.
    void ScrollTo(int bar, int64_t position);
    void ScrollPagesBy(int64_t pages);
    // Scrolls the client area to where the bars are, if it is not there yet.
    void FollowBars();
    [[nodiscard]] bool HasStyle(DWORD bits) const;
    // Where the focus mark of child goes, in client coordinates.
    [[nodiscard]] RECT GetFocusMarkRect(HWND child) const;
    void InvalidateFocusMark(HWND child);
    void UpdateFocusMark();
    void InvalidateAll() { Invalidate(nullptr, false); }

    CGUISize m_contentSize;
    int32_t m_horizontalLineStep = 1;
    int32_t m_verticalLineStep = 1;
    // The bar positions the client area shows.
    CGUIPoint m_shownPosition;
    bool m_scrolling = false;
    // Wheel turns not yet scrolled, in WHEEL_DELTA units times the lines per
    // notch they were counted with.
    int64_t m_wheelRemainder = 0;
    UINT m_wheelLinesPerNotch = 0;
    bool m_marksFocusedChild = false;
    HWND m_markedChild = nullptr;
    CGUIColorFill m_background;
    IGUIMouseListener* m_contentMouse = nullptr;
    IGUIKeyboardListener* m_contentKeyboard = nullptr;
    CMouse m_mouse { *this };
    CKeyboard m_keyboard { *this };
    TMemberListener<CGUIScrollView> m_backgroundChange { *this, &CGUIScrollView::InvalidateAll };
    CWheelForwarder m_wheelForwarder { *this };
    TMemberListener<CGUIScrollView> m_focusMarkUpdater { *this, &CGUIScrollView::UpdateFocusMark };
    CBackgroundPainter m_backgroundPainter { *this };
};
