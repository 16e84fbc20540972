#include "CRawWindowTree.h"

namespace {
const char kTopClass[] = "StartupFloorTopWindow";
const char kChildClass[] = "StartupFloorChildWindow";

LRESULT CALLBACK PlainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        BeginPaint(hwnd, &paint);
        EndPaint(hwnd, &paint);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void RegisterPlainClasses()
{
    static const bool registered = [] {
        WNDCLASSA description {};
        description.lpfnWndProc = PlainWindowProc;
        description.hInstance = GetModuleHandleA(nullptr);
        description.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
        description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        description.lpszClassName = kTopClass;
        const bool top = RegisterClassA(&description) != 0;
        description.lpszClassName = kChildClass;
        return top && RegisterClassA(&description) != 0;
    }();
    (void)registered;
}

SCROLLINFO ReadScrollBar(HWND hwnd, int bar)
{
    SCROLLINFO info {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(hwnd, bar, &info)) {
        info.fMask = 0;
    }
    return info;
}
} // namespace

CRawWindowTree::CRawWindowTree(HWND top)
{
    Capture(top, -1);
}

CRawWindowTree::~CRawWindowTree()
{
    Destroy();
}

void CRawWindowTree::Capture(HWND hwnd, int parent)
{
    Record record;
    record.parent = parent;
    char className[64] = {};
    GetClassNameA(hwnd, className, sizeof(className));
    record.button = lstrcmpiA(className, "Button") == 0;
    record.style = static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE));
    record.exStyle = static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_EXSTYLE));
    GetWindowRect(hwnd, &record.rect);
    if (parent >= 0) {
        MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&record.rect), 2);
    }
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof(text));
    record.text = text;
    record.hasFont = SendMessageA(hwnd, WM_GETFONT, 0, 0) != 0;
    record.vertical = ReadScrollBar(hwnd, SB_VERT);
    record.horizontal = ReadScrollBar(hwnd, SB_HORZ);
    m_records.push_back(std::move(record));

    const int self = static_cast<int>(m_records.size()) - 1;
    // A native button's own children, if it had any, are its business.
    if (m_records.back().button) {
        return;
    }
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        Capture(child, self);
    }
}

HWND CRawWindowTree::Create()
{
    Destroy();
    RegisterPlainClasses();
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    std::vector<HWND> handles(m_records.size(), nullptr);
    for (size_t i = 0; i < m_records.size(); ++i) {
        const Record& record = m_records[i];
        const HWND parent = record.parent >= 0 ? handles[record.parent] : nullptr;
        if (record.parent >= 0 && !parent) {
            continue;
        }
        const char* className = record.button ? "Button" : (record.parent >= 0 ? kChildClass : kTopClass);
        // The top-level window is shown by the caller, like the framework's.
        const DWORD style = record.parent >= 0 ? record.style : record.style & ~WS_VISIBLE;
        const HWND hwnd = CreateWindowExA(record.exStyle, className, record.text.c_str(), style, record.rect.left,
            record.rect.top, record.rect.right - record.rect.left, record.rect.bottom - record.rect.top, parent,
            nullptr, instance, nullptr);
        handles[i] = hwnd;
        if (!hwnd) {
            continue;
        }
        if (record.hasFont) {
            SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
        }
        if (record.vertical.fMask) {
            SetScrollInfo(hwnd, SB_VERT, &record.vertical, FALSE);
        }
        if (record.horizontal.fMask) {
            SetScrollInfo(hwnd, SB_HORZ, &record.horizontal, FALSE);
        }
    }
    m_top = handles.empty() ? nullptr : handles[0];
    return m_top;
}

void CRawWindowTree::Destroy()
{
    if (m_top) {
        DestroyWindow(m_top);
        m_top = nullptr;
    }
}
