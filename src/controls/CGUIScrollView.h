#pragma once

#include "CGUIColorFill.h"
#include "CGUICustomWindow.h"
#include "IGUIListener.h"

// A child window with native scroll bars that shows a larger content through
// its client area. The owner gives it WS_VSCROLL and/or WS_HSCROLL and tells
// it the content size; the view keeps the bars' ranges in step with the
// content and client sizes and scrolls its client area (children included)
// on scroll-bar actions, arrow and page keys and the mouse wheel. Input it
// does not use goes to the content's listeners.
class CGUIScrollView : public CGUICustomWindow {
public:
    CGUIScrollView();
    ~CGUIScrollView() override;

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

    // Paints the background (the system's window colour until changed); fire
    // its change notifier to repaint with a new colour.
    CGUIColorFill& GetBackgroundFill() { return m_background; }
    // The listeners that get the input the view does not use; none for
    // either (the default) drops it. Not owned.
    void SetContentListeners(IGUIMouseListener* mouse, IGUIKeyboardListener* keyboard);

    IGUIMouseListener* GetMouseListener() override { return &m_mouse; }
    IGUIKeyboardListener* GetKeyboardListener() override { return &m_keyboard; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    class CMouse : public IGUIMouseListener {
    public:
        explicit CMouse(CGUIScrollView& view)
            : m_view(view)
        {
        }
        void OnLeftDown(const CGUIMouseEvent& event) override;
        void OnLeftUp(const CGUIMouseEvent& event) override;
        void OnLeftClick(const CGUIMouseEvent& event) override;
        void OnLeftDoubleClick(const CGUIMouseEvent& event) override;
        void OnRightDown(const CGUIMouseEvent& event) override;
        void OnRightUp(const CGUIMouseEvent& event) override;
        void OnRightClick(const CGUIMouseEvent& event) override;
        void OnRightDoubleClick(const CGUIMouseEvent& event) override;
        void OnMouseEnter(const CGUIMouseEvent& event) override;
        void OnMouseMove(const CGUIMouseEvent& event) override;
        void OnMouseHover(const CGUIMouseEvent& event) override;
        void OnMouseLeave(const CGUIMouseEvent& event) override;
        void OnMouseWheel(const CGUIMouseEvent& event) override;

    private:
        // Hands the event to the content's listener, when there is one.
        void Forward(void (IGUIMouseListener::*operation)(const CGUIMouseEvent&), const CGUIMouseEvent& event);

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

    class CBackgroundChange : public IGUIListener {
    public:
        explicit CBackgroundChange(CGUIScrollView& view)
            : m_view(view)
        {
        }
        void OnNotify() override;

    private:
        CGUIScrollView& m_view;
    };

    void UpdateRanges(CGUISize clientSize);
    void OnScroll(int bar, int request);
    // Moves bar to position (clamped by the system) and scrolls the client
    // area by the change.
    void ScrollTo(int bar, int32_t oldPosition, int32_t position);
    void ScrollPagesBy(int32_t pages);
    [[nodiscard]] bool HasStyle(DWORD bits) const;

    CGUISize m_contentSize;
    int32_t m_horizontalLineStep = 1;
    int32_t m_verticalLineStep = 1;
    CGUIColorFill m_background;
    IGUIMouseListener* m_contentMouse = nullptr;
    IGUIKeyboardListener* m_contentKeyboard = nullptr;
    CMouse m_mouse { *this };
    CKeyboard m_keyboard { *this };
    CBackgroundChange m_backgroundChange { *this };
};
