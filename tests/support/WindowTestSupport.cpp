#include "WindowTestSupport.h"

#include "graphics/IGUIDrawContext.h"
#include "graphics/IGUIRegion.h"

#include <algorithm>

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpPending();
    }
    return true;
}

void PumpPending()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

CPlainWindow::CPlainWindow(WNDPROC procedure, bool shown)
{
    static const ATOM windowClass = [] {
        WNDCLASSA description {};
        description.lpfnWndProc = DefWindowProcA;
        description.hInstance = GetModuleHandleA(nullptr);
        description.lpszClassName = "PlainTestWindow";
        return RegisterClassA(&description);
    }();
    m_hwnd = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, MAKEINTATOM(windowClass), nullptr,
        WS_POPUP | WS_CLIPCHILDREN, 50, 50, 400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    if (shown) {
        ShowWindow(m_hwnd, SW_SHOWNA);
    }
}

std::vector<std::string> CEventRecorder::Names() const
{
    std::vector<std::string> names;
    for (const Call& call : calls) {
        names.push_back(call.name);
    }
    return names;
}

int CEventRecorder::Count(const std::string& name) const
{
    return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const Call& c) { return c.name == name; }));
}

void CEventRecorder::Record(const char* name, CGUIPoint point)
{
    calls.push_back({ name, point, focusOf != nullptr && focusOf->HasFocus() });
}

LRESULT CTestWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GUI_REFLECTED_COMMAND && lParam == reinterpret_cast<LPARAM>(GetHandle())) {
        reflectedCommands.push_back(wParam);
    } else if (message == WM_WINDOWPOSCHANGING) {
        const auto* change = reinterpret_cast<const WINDOWPOS*>(lParam);
        positionChanges += (change->flags & (SWP_NOSIZE | SWP_NOMOVE)) != (SWP_NOSIZE | SWP_NOMOVE) ? 1 : 0;
    } else if (message == WM_SHOWWINDOW) {
        ++showMessages;
        showThread = GetCurrentThreadId();
    } else if (message == WM_ENABLE) {
        enableThread = GetCurrentThreadId();
    }
    return CGUIDialogWindow::WindowProc(message, wParam, lParam);
}

CFillPainter::CFillPainter(
    CGUISize size, CGUIColor fill, bool halfShape, std::vector<std::string>* log, std::string name)
    : color(fill)
    , m_size(size)
    , m_halfShape(halfShape)
    , m_log(log)
    , m_name(std::move(name))
{
}

void CFillPainter::Paint(IGUIDrawContext& context, const IGUIRegion* clip)
{
    ++calls;
    if (clip) {
        clip->GetBounds(lastClip);
    }
    if (m_log) {
        m_log->push_back(m_name);
    }
    const CGUIRect shape { 0, 0, m_halfShape ? m_size.width / 2 : m_size.width, m_size.height };
    context.FillRectangle(area.width > 0 ? area : shape, color);
}

void CFillPainter::SetSize(CGUISize size)
{
    if (size == m_size) {
        return;
    }
    m_size = size;
    m_sizeNotifier.Notify();
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

CTestHost::CTestHost(IGUIControl* root)
    : view(new CView(root))
{
    view->SetVisible(true);
    view->SetPosition(CGUIPoint { 10, 10 });
    (void)view->CreateChild(top.Get(), false, false);
}

void CTestHost::CView::InvalidateWithParents(const CGUIRect* rect)
{
    if (rect != nullptr) {
        invalidated.push_back(*rect);
    }
    CGUIControlHostView::InvalidateWithParents(rect);
}

POINT CTestHost::ToScreen(CGUIPoint point) const
{
    POINT screen { point.x, point.y };
    ClientToScreen(view->GetHandle(), &screen);
    return screen;
}

LRESULT CTestHost::Send(UINT message, CGUIPoint point, WPARAM wParam) const
{
    return SendMessageA(view->GetHandle(), message, wParam, MAKELPARAM(point.x, point.y));
}
