#include "controls/CGUIScrollView.h"

#include "foundation/CGUILifetimeGuard.h"
#include "graphics/CGUIDrawContext.h"
#include "graphics/GUINative.h"
#include "graphics/GUIPixelArithmetic.h"

#include <algorithm>

namespace {
// Wheel turns come in multiples of this per notch.
constexpr int32_t kWheelNotch = WHEEL_DELTA;
// Lines per notch when the system cannot tell.
constexpr UINT kDefaultWheelLines = 3;
// Pixels between a marked child and its focus rectangle's dots.
constexpr int kFocusMarkGap = 2;

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

// How far to scroll along one axis so that [start, start + extent) lies in
// [0, page): the least distance, or the start when it does not fit.
int64_t DistanceToShow(int64_t start, int64_t extent, int64_t page)
{
    if (start < 0 || extent > page) {
        return start;
    }
    return std::max<int64_t>(start + extent - page, 0);
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

bool CGUIScrollView::Create(IGUIWindow* parent)
{
    return CreateChild(parent ? parent->GetHandle() : nullptr, true, false);
}

void CGUIScrollView::SetContentSize(CGUISize size)
{
    if (size == m_contentSize) {
        return;
    }
    m_contentSize = size;
    UpdateRanges();
}

void CGUIScrollView::UpdateRanges()
{
    const HWND hwnd = GetHandle();
    if (!hwnd) {
        return;
    }
    // Showing or hiding a bar changes the client size (and comes back here
    // through WM_SIZE): each bar takes the size as it is when it is set.
    SCROLLINFO info {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = 0;
    info.nMax = std::max(m_contentSize.height, 0);
    info.nPage = static_cast<UINT>(std::max(GetClientSize().height, 0));
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
    info.nMax = std::max(m_contentSize.width, 0);
    info.nPage = static_cast<UINT>(std::max(GetClientSize().width, 0));
    SetScrollInfo(hwnd, SB_HORZ, &info, TRUE);
    // The system clamps the positions to the new ranges; the content follows.
    FollowBars();
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
        const int64_t position = ReadBar(GetHandle(), SB_VERT).nPos;
        ScrollTo(SB_VERT, position + static_cast<int64_t>(m_verticalLineStep) * lines);
    }
}

void CGUIScrollView::ScrollHorizontalBy(int32_t lines)
{
    if (lines != 0) {
        const int64_t position = ReadBar(GetHandle(), SB_HORZ).nPos;
        ScrollTo(SB_HORZ, position + static_cast<int64_t>(m_horizontalLineStep) * lines);
    }
}

void CGUIScrollView::ScrollPagesBy(int64_t pages)
{
    const SCROLLINFO info = ReadBar(GetHandle(), SB_VERT);
    ScrollTo(SB_VERT, info.nPos + static_cast<int64_t>(info.nPage) * pages);
}

void CGUIScrollView::ShowRect(const CGUIRect& rect)
{
    const CGUISize client = GetClientSize();
    const int64_t down = DistanceToShow(rect.y, rect.height, client.height);
    if (down != 0) {
        ScrollTo(SB_VERT, ReadBar(GetHandle(), SB_VERT).nPos + down);
    }
    const int64_t right = DistanceToShow(rect.x, rect.width, client.width);
    if (right != 0) {
        ScrollTo(SB_HORZ, ReadBar(GetHandle(), SB_HORZ).nPos + right);
    }
}

void CGUIScrollView::ScrollByWheel(int32_t delta)
{
    UINT lines = kDefaultWheelLines;
    if (!SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) {
        lines = kDefaultWheelLines;
    }
    // A turn the other way, or a changed setting, starts afresh, as the
    // system's own lists do.
    if (lines != m_wheelLinesPerNotch || (m_wheelRemainder < 0) != (delta < 0)) {
        m_wheelRemainder = 0;
        m_wheelLinesPerNotch = lines;
    }
    if (lines == 0) {
        return;
    }
    const bool pages = lines == WHEEL_PAGESCROLL;
    m_wheelRemainder += static_cast<int64_t>(delta) * (pages ? 1 : lines);
    const int64_t steps = m_wheelRemainder / kWheelNotch;
    m_wheelRemainder -= steps * kWheelNotch;
    // Turning the wheel away from the user (a positive delta) goes up.
    if (pages) {
        ScrollPagesBy(-steps);
    } else {
        ScrollVerticalBy(GUISaturate(-steps));
    }
}

void CGUIScrollView::ScrollTo(int bar, int64_t position)
{
    const HWND hwnd = GetHandle();
    if (!hwnd) {
        return;
    }
    SCROLLINFO info {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS;
    info.nPos = GUISaturate(position);
    SetScrollInfo(hwnd, bar, &info, TRUE);
    FollowBars();
}

void CGUIScrollView::FollowBars()
{
    const HWND hwnd = GetHandle();
    if (!hwnd) {
        return;
    }
    const CGUIPoint bars { ReadBar(hwnd, SB_HORZ).nPos, ReadBar(hwnd, SB_VERT).nPos };
    if (bars == m_shownPosition) {
        return;
    }
    const int32_t dx = GUISaturate(static_cast<int64_t>(m_shownPosition.x) - bars.x);
    const int32_t dy = GUISaturate(static_cast<int64_t>(m_shownPosition.y) - bars.y);
    m_shownPosition = bars;
    m_scrolling = true;
    ScrollWindow(hwnd, dx, dy, nullptr, nullptr);
    m_scrolling = false;
    UpdateWindow(hwnd);
}

void CGUIScrollView::OnScroll(int bar, int request)
{
    const SCROLLINFO info = ReadBar(GetHandle(), bar);
    const int64_t step = bar == SB_VERT ? m_verticalLineStep : m_horizontalLineStep;
    const int64_t page = info.nPage;
    int64_t position = info.nPos;
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
    ScrollTo(bar, position);
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

void CGUIScrollView::SetMarksFocusedChild(bool marks)
{
    m_marksFocusedChild = marks;
    UpdateFocusMark();
}

RECT CGUIScrollView::GetFocusMarkRect(HWND child) const
{
    RECT rect {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetHandle(), reinterpret_cast<POINT*>(&rect), 2);
    InflateRect(&rect, kFocusMarkGap + 1, kFocusMarkGap + 1);
    return rect;
}

void CGUIScrollView::InvalidateFocusMark(HWND child)
{
    if (child && IsWindow(child)) {
        const RECT rect = GetFocusMarkRect(child);
        const CGUIRect area { rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top };
        Invalidate(&area, false);
    }
}

void CGUIScrollView::UpdateFocusMark()
{
    const HWND hwnd = GetHandle();
    HWND marked = nullptr;
    if (hwnd && m_marksFocusedChild) {
        const HWND focus = ::GetFocus();
        const bool cuesHidden = (SendMessageA(hwnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
        if (focus && GetParent(focus) == hwnd && !cuesHidden) {
            marked = focus;
        }
    }
    if (marked != m_markedChild) {
        InvalidateFocusMark(m_markedChild);
        m_markedChild = marked;
        InvalidateFocusMark(marked);
    }
}

IGUIPainter* CGUIScrollView::GetPainter()
{
    IGUIPainter* content = CGUICustomWindow::GetPainter();
    return content ? content : &m_backgroundPainter;
}

void CGUIScrollView::InvalidateWithParents(const CGUIRect* rect)
{
    if (!m_scrolling) {
        CGUICustomWindow::InvalidateWithParents(rect);
    }
}

LRESULT CGUIScrollView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        m_shownPosition = CGUIPoint {};
        m_markedChild = nullptr;
        m_wheelRemainder = 0;
        return CGUICustomWindow::WindowProc(message, wParam, lParam);
    case WM_SIZE: {
        const CGUILifetimeGuard guard(GetLifetime());
        const LRESULT result = CGUICustomWindow::WindowProc(message, wParam, lParam);
        if (!guard.IsGone()) {
            UpdateRanges();
        }
        return result;
    }
    case WM_UPDATEUISTATE: {
        const CGUILifetimeGuard guard(GetLifetime());
        const LRESULT result = CGUICustomWindow::WindowProc(message, wParam, lParam);
        if (!guard.IsGone()) {
            UpdateFocusMark();
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
        CGUIDrawContext context(CGUIDrawContext::kBorrow, reinterpret_cast<HDC>(wParam));
        const CGUISize size = GetClientSize();
        m_background.Paint(context, CGUIRect { 0, 0, size.width, size.height });
        return 1;
    }
    default:
        return CGUICustomWindow::WindowProc(message, wParam, lParam);
    }
}

void CGUIScrollView::CBackgroundPainter::Paint(IGUIDrawContext& context, const IGUIRegion*)
{
    const CGUISize client = m_view.GetClientSize();
    m_view.m_background.Paint(context, CGUIRect { 0, 0, client.width, client.height });
    if (m_view.m_markedChild && IsWindow(m_view.m_markedChild)) {
        const RECT mark = m_view.GetFocusMarkRect(m_view.m_markedChild);
        DrawFocusRect(context.GetHDC(), &mark);
    }
}

void CGUIScrollView::CBackgroundPainter::SetSize(CGUISize size)
{
    if (!(size == m_size)) {
        m_size = size;
        m_sizeNotifier.Notify();
    }
}

void CGUIScrollView::CWheelForwarder::OnMouseWheel(const CGUIMouseEvent& event)
{
    m_view.m_mouse.OnMouseWheel(event);
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
        m_view.ScrollByWheel(event.wheelDelta);
    } else if (m_view.m_contentMouse) {
        m_view.m_contentMouse->OnMouseWheel(event);
    }
}

void CGUIScrollView::CMouse::Forward(const CGUIMouseEvent& event, Operation operation)
{
    if (m_view.m_contentMouse) {
        (m_view.m_contentMouse->*operation)(event);
    }
}
