#include "ControlTestSupport.h"

#include "graphics/IGUIDrawContext.h"

#include <algorithm>

CColorPainter::CColorPainter(CGUISize size, CGUIColor color, bool halfShape)
    : m_size(size)
    , m_color(color)
    , m_halfShape(halfShape)
{
}

void CColorPainter::Paint(IGUIDrawContext& dc, const IGUIRegion*)
{
    const int32_t width = m_halfShape ? m_size.width / 2 : m_size.width;
    dc.FillRectangle(CGUIRect { 0, 0, width, m_size.height }, m_color);
}

void CColorPainter::SetSize(CGUISize size)
{
    if (size == m_size) {
        return;
    }
    m_size = size;
    m_sizeNotifier.Notify();
}

bool CColorPainter::HitTest(CGUIPoint point) const
{
    return !m_halfShape || point.x < m_size.width / 2;
}

CTestControl::CTestControl(CGUISize size, CGUIColor color, bool halfShape, int* deleted)
    : m_painter(size, color, halfShape)
    , m_deleted(deleted)
{
    WatchContent(nullptr);
}

CTestControl::~CTestControl()
{
    if (m_deleted != nullptr) {
        ++*m_deleted;
    }
}

int CRecordingListener::Count(const std::string& name) const
{
    return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const Call& c) { return c.name == name; }));
}

void CRecordingHostView::InvalidateWithParents(const CGUIRect* rect)
{
    if (rect != nullptr) {
        invalidated.push_back(*rect);
    }
    CGUIControlHostView::InvalidateWithParents(rect);
}

CTopWindow::CTopWindow()
{
    static const ATOM windowClass = [] {
        WNDCLASSA description {};
        description.lpfnWndProc = DefWindowProcA;
        description.hInstance = GetModuleHandleA(nullptr);
        description.lpszClassName = "ControlTestTopWindow";
        return RegisterClassA(&description);
    }();
    m_hwnd = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, MAKEINTATOM(windowClass), nullptr,
        WS_POPUP | WS_CLIPCHILDREN, 50, 50, 400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(m_hwnd, SW_SHOWNA);
}

CTopWindow::~CTopWindow()
{
    DestroyWindow(m_hwnd);
}

CHostedTree::CHostedTree(IGUIControl* root)
    : view(new CRecordingHostView(root))
{
    view->SetVisible(true);
    view->SetPosition(CGUIPoint { 10, 10 });
    (void)view->CreateChild(parent.GetHandle(), false, false);
}

CHostedTree::~CHostedTree()
{
    delete view;
}

POINT CHostedTree::ToScreen(CGUIPoint point) const
{
    POINT screen { point.x, point.y };
    ClientToScreen(view->GetHandle(), &screen);
    return screen;
}

void CHostedTree::SendMouse(UINT message, CGUIPoint point, WPARAM keys) const
{
    SendMessageA(view->GetHandle(), message, keys, MAKELPARAM(point.x, point.y));
}
