#include "WindowTestSupport.h"

#include "graphics/IGUIDrawContext.h"
#include "graphics/IGUIRegion.h"

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

void CEventRecorder::Record(const std::string& call)
{
    calls.push_back(focusOf != nullptr && focusOf->HasFocus() ? call + " focused" : call);
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

void CFillPainter::Paint(IGUIDrawContext& context, const IGUIRegion* clip)
{
    ++calls;
    if (clip) {
        clip->GetBounds(lastClip);
    }
    if (m_log) {
        m_log->push_back(color);
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
