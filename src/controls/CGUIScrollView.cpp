#include "CGUIScrollView.h"

#include "CGUIDrawContext.h"
#include "GUINative.h"

#include <algorithm>

namespace {
// Wheel turns come in multiples of this per notch.
constexpr int32_t kWheelNotch = WHEEL_DELTA;

SCROLLINFO ReadBar(HWND hwnd, int bar)
{
    SCROLLINFO info {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    if (!hwnd || !GetScrollInfo(hwnd, bar, &info)) {
        info = SCROLLINFO {};
    }
    return info;
}
} // namespace

CGUIScrollView::CGUIScrollView()
    : m_background(GUIFromColorRef(GetSysColor(COLOR_WINDOW)))
{
    m_background.GetChangeNotifier().AddListener(&m_backgroundChange);
}

CGUIScrollView::~CGUIScrollView()
{
    m_background.GetChangeNotifier().RemoveListener(&m_backgroundChange);
}

void CGUIScrollView::SetContentSize(CGUISize size)
{
    if (size == m_contentSize) {
        return;
    }
    m_contentSize = size;
    UpdateRanges(GetClientSize());
}

void CGUIScrollView::UpdateRanges(CGUISize clientSize)
{
    const HWND hwnd = GetHandle();
    if (!hwnd) {
        return;
    }
    SCROLLINFO info {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = 0;
    info.nMax = m_contentSize.height;
    info.nPage = static_cast<UINT>(std::max(clientSize.height, 0));
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
    info.nMax = m_contentSize.width;
    info.nPage = static_cast<UINT>(std::max(clientSize.width, 0));
    SetScrollInfo(hwnd, SB_HORZ, &info, TRUE);
}

void CGUIScrollView::SetHorizontalLineStep(int32_t pixels)
{
    m_horizontalLineStep = std::max(pixels, 1);
}

void CGUIScrollView::SetVerticalLineStep(int32_t pixels)
{
    m_verticalLineStep = std::max(pixels, 1);
}

void CGUIScrollView::ScrollVerticalBy(int32_t lines)
{
    if (lines != 0) {
        const int32_t position = ReadBar(GetHandle(), SB_VERT).nPos;
        ScrollTo(SB_VERT, position, position + m_verticalLineStep * lines);
    }
}

void CGUIScrollView::ScrollHorizontalBy(int32_t lines)
{
    if (lines != 0) {
        const int32_t position = ReadBar(GetHandle(), SB_HORZ).nPos;
        ScrollTo(SB_HORZ, position, position + m_horizontalLineStep * lines);
    }
}

void CGUIScrollView::ScrollPagesBy(int32_t pages)
{
    const SCROLLINFO info = ReadBar(GetHandle(), SB_VERT);
    ScrollTo(SB_VERT, info.nPos, info.nPos + static_cast<int32_t>(info.nPage) * pages);
}

void CGUIScrollView::ScrollTo(int bar, int32_t oldPosition, int32_t position)
{
    const HWND hwnd = GetHandle();
    if (!hwnd) {
        return;
    }
    SCROLLINFO info {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS;
    info.nPos = position;
    SetScrollInfo(hwnd, bar, &info, TRUE);
    const int32_t clamped = ReadBar(hwnd, bar).nPos;
    if (clamped == oldPosition) {
        return;
    }
    if (bar == SB_VERT) {
        ScrollWindow(hwnd, 0, oldPosition - clamped, nullptr, nullptr);
    } else {
        ScrollWindow(hwnd, oldPosition - clamped, 0, nullptr, nullptr);
    }
    UpdateWindow(hwnd);
}

void CGUIScrollView::OnScroll(int bar, int request)
{
    const SCROLLINFO info = ReadBar(GetHandle(), bar);
    const int32_t step = bar == SB_VERT ? m_verticalLineStep : m_horizontalLineStep;
    const int32_t page = static_cast<int32_t>(info.nPage);
    int32_t position = info.nPos;
    switch (request) {
    case SB_LINEUP:
        position -= step;
        break;
    case SB_LINEDOWN:
        position += step;
        break;
    case SB_PAGEUP:
        position -= page;
        break;
    case SB_PAGEDOWN:
        position += page;
        break;
    case SB_THUMBTRACK:
        position = info.nTrackPos;
        break;
    case SB_TOP:
        // The horizontal bar's SB_LEFT and SB_RIGHT are not followed.
        if (bar == SB_VERT) {
            position = info.nMin;
        }
        break;
    case SB_BOTTOM:
        if (bar == SB_VERT) {
            position = info.nMax;
        }
        break;
    default:
        break;
    }
    ScrollTo(bar, info.nPos, position);
}

bool CGUIScrollView::HasStyle(DWORD bits) const
{
    const HWND hwnd = GetHandle();
    return hwnd && (GetWindowLongPtrA(hwnd, GWL_STYLE) & bits) != 0;
}

void CGUIScrollView::SetContentListeners(IGUIMouseListener* mouse, IGUIKeyboardListener* keyboard)
{
    m_contentMouse = mouse;
    m_contentKeyboard = keyboard;
}

LRESULT CGUIScrollView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE: {
        const std::shared_ptr<bool> alive = GetAliveFlag();
        const LRESULT result = CGUICustomWindow::WindowProc(message, wParam, lParam);
        if (*alive) {
            UpdateRanges(CGUISize { static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam)) });
        }
        return result;
    }
    case WM_VSCROLL:
        OnScroll(SB_VERT, LOWORD(wParam));
        return 0;
    case WM_HSCROLL:
        OnScroll(SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_ERASEBKGND: {
        CGUIDrawContext context(reinterpret_cast<HDC>(wParam), nullptr);
        const CGUISize size = GetClientSize();
        m_background.Paint(context, CGUIRect { 0, 0, size.width, size.height });
        static_cast<void>(context.Detach());
        return 1;
    }
    default:
        return CGUICustomWindow::WindowProc(message, wParam, lParam);
    }
}

void CGUIScrollView::CBackgroundChange::OnNotify()
{
    m_view.Invalidate(nullptr, false);
}

void CGUIScrollView::CKeyboard::OnKeyDown(const CGUIKeyEvent& event)
{
    if (!event.IsCharacter()) {
        switch (event.key) {
        case VK_PRIOR:
            m_view.ScrollPagesBy(-1);
            return;
        case VK_NEXT:
            m_view.ScrollPagesBy(1);
            return;
        case VK_UP:
            m_view.ScrollVerticalBy(-event.repeatCount);
            return;
        case VK_DOWN:
            m_view.ScrollVerticalBy(event.repeatCount);
            return;
        case VK_LEFT:
            m_view.ScrollHorizontalBy(-event.repeatCount);
            return;
        case VK_RIGHT:
            m_view.ScrollHorizontalBy(event.repeatCount);
            return;
        default:
            break;
        }
    }
    if (m_view.m_contentKeyboard) {
        m_view.m_contentKeyboard->OnKeyDown(event);
    }
}

bool CGUIScrollView::CKeyboard::WantsKey(const CGUIKeyEvent& event)
{
    if (!event.IsCharacter()) {
        switch (event.key) {
        case VK_PRIOR:
        case VK_NEXT:
        case VK_UP:
        case VK_DOWN:
            return m_view.HasStyle(WS_VSCROLL);
        case VK_LEFT:
        case VK_RIGHT:
            return m_view.HasStyle(WS_HSCROLL);
        default:
            break;
        }
    }
    return m_view.m_contentKeyboard && m_view.m_contentKeyboard->WantsKey(event);
}

void CGUIScrollView::CKeyboard::OnKeyUp(const CGUIKeyEvent& event)
{
    if (m_view.m_contentKeyboard) {
        m_view.m_contentKeyboard->OnKeyUp(event);
    }
}

void CGUIScrollView::CKeyboard::OnHotKey(const CGUIHotKeyEvent& event)
{
    if (m_view.m_contentKeyboard) {
        m_view.m_contentKeyboard->OnHotKey(event);
    }
}

void CGUIScrollView::CKeyboard::OnSetFocus(const CGUIFocusEvent& event)
{
    if (m_view.m_contentKeyboard) {
        m_view.m_contentKeyboard->OnSetFocus(event);
    }
}

void CGUIScrollView::CKeyboard::OnKillFocus(const CGUIFocusEvent& event)
{
    if (m_view.m_contentKeyboard) {
        m_view.m_contentKeyboard->OnKillFocus(event);
    }
}

void CGUIScrollView::CMouse::OnMouseWheel(const CGUIMouseEvent& event)
{
    if (m_view.HasStyle(WS_VSCROLL)) {
        // Turning the wheel away from the user (a positive delta) goes up.
        m_view.ScrollVerticalBy(-(event.wheelDelta / kWheelNotch));
    } else if (m_view.m_contentMouse) {
        m_view.m_contentMouse->OnMouseWheel(event);
    }
}

void CGUIScrollView::CMouse::Forward(
    void (IGUIMouseListener::*operation)(const CGUIMouseEvent&), const CGUIMouseEvent& event)
{
    if (m_view.m_contentMouse) {
        (m_view.m_contentMouse->*operation)(event);
    }
}

void CGUIScrollView::CMouse::OnLeftDown(const CGUIMouseEvent& event)
{
    Forward(&IGUIMouseListener::OnLeftDown, event);
}

void CGUIScrollView::CMouse::OnLeftUp(const CGUIMouseEvent& event)
{
    Forward(&IGUIMouseListener::OnLeftUp, event);
}

void CGUIScrollView::CMouse::OnLeftClick(const CGUIMouseEvent& event)
{
    Forward(&IGUIMouseListener::OnLeftClick, event);
}

void CGUIScrollView::CMouse::OnLeftDoubleClick(const CGUIMouseEvent& event)
{
    Forward(&IGUIMouseListener::OnLeftDoubleClick, event);
}

void CGUIScrollView::CMouse::OnRightDown(const CGUIMouseEvent& event)
{
    Forward(&IGUIMouseListener::OnRightDown, event);
}

void CGUIScrollView::CMouse::OnRightUp(const CGUIMouseEvent& event)
{
    Forward(&IGUIMouseListener::OnRightUp, event);
}

void CGUIScrollView::CMouse::OnRightClick(const CGUIMouseEvent& event)
{
    Forward(&IGUIMouseListener::OnRightClick, event);
}

void CGUIScrollView::CMouse::OnRightDoubleClick(const CGUIMouseEvent& event)
{
    Forward(&IGUIMouseListener::OnRightDoubleClick, event);
}

void CGUIScrollView::CMouse::OnMouseEnter(const CGUIMouseEvent& event)
{
    Forward(&IGUIMouseListener::OnMouseEnter, event);
}

void CGUIScrollView::CMouse::OnMouseMove(const CGUIMouseEvent& event)
{
    Forward(&IGUIMouseListener::OnMouseMove, event);
}

void CGUIScrollView::CMouse::OnMouseHover(const CGUIMouseEvent& event)
{
    Forward(&IGUIMouseListener::OnMouseHover, event);
}

void CGUIScrollView::CMouse::OnMouseLeave(const CGUIMouseEvent& event)
{
    Forward(&IGUIMouseListener::OnMouseLeave, event);
}
