#include "CRawWindowTree.h"

#include "controls/CGUIControlHostView.h"
#include "controls/CGUITextControl.h"

#include <cstdio>
#include <cstring>

namespace {
// The DrawTextA flags a plain program would pass for a framework text format.
UINT PlainDrawTextFormat(const CGUITextFormat& format)
{
    static const UINT kHorizontal[] = { DT_LEFT, DT_CENTER, DT_RIGHT };
    static const UINT kVertical[] = { DT_TOP, DT_VCENTER, DT_BOTTOM };
    UINT flags = kHorizontal[format.horizontal % 3] | kVertical[format.vertical % 3];
    flags |= (format.flags & CGUITextFormat::kSingleLine) ? DT_SINGLELINE : 0;
    flags |= (format.flags & CGUITextFormat::kWordBreak) ? DT_WORDBREAK : 0;
    return flags;
}

COLORREF ToColorRef(CGUIColor color)
{
    return RGB(color.red, color.green, color.blue);
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

// The text control shown by a framework host view, or none.
CGUITextControl* LabelOf(HWND hwnd)
{
    const auto* view = dynamic_cast<const CGUIControlHostView*>(CGUIWindow::FromHandle(hwnd));
    return view ? dynamic_cast<CGUITextControl*>(view->GetRootControl()) : nullptr;
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
    record.original = hwnd;
    record.parent = parent;
    char className[64] = {};
    GetClassNameA(hwnd, className, sizeof(className));
    record.button = lstrcmpiA(className, "Button") == 0;
    if (!record.button) {
        RegisterClassLike(hwnd, record);
    }
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
    if (CGUITextControl* label = LabelOf(hwnd)) {
        const CGUITextPainter& painter = label->GetTextPainter();
        record.hasLabel = true;
        record.label.text = label->GetText();
        record.label.font = painter.GetFont().GetDescription();
        record.label.format = PlainDrawTextFormat(painter.GetFormat());
        record.label.rect = RECT { 0, 0, painter.GetSize().width, painter.GetSize().height };
        record.label.textColor = ToColorRef(painter.GetTextColor());
        record.label.background = ToColorRef(painter.GetBackgroundColor());
    }
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

// One plain class per framework class, registered once per process.
void CRawWindowTree::RegisterClassLike(HWND original, Record& record)
{
    WNDCLASSA description {};
    description.style = static_cast<UINT>(GetClassLongPtrA(original, GCL_STYLE));
    description.hbrBackground = reinterpret_cast<HBRUSH>(GetClassLongPtrA(original, GCLP_HBRBACKGROUND));
    description.hCursor = reinterpret_cast<HCURSOR>(GetClassLongPtrA(original, GCLP_HCURSOR));
    description.lpfnWndProc = PlainWindowProc;
    description.hInstance = GetModuleHandleA(nullptr);
    char name[96];
    std::snprintf(name, sizeof(name), "PlainFloor_%X_%p_%p", description.style,
        static_cast<void*>(description.hbrBackground), static_cast<void*>(description.hCursor));
    record.className = name;
    description.lpszClassName = record.className.c_str();
    // Fails harmlessly once the class exists.
    RegisterClassA(&description);
}

LRESULT CALLBACK CRawWindowTree::PlainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        BeginPaint(hwnd, &paint);
        const auto* tree = reinterpret_cast<const CRawWindowTree*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        const LONG_PTR index = GetWindowLongPtrA(hwnd, GWLP_ID);
        if (tree && index >= 0 && static_cast<size_t>(index) < tree->m_records.size()
            && tree->m_records[index].hasLabel) {
            const Label& label = tree->m_records[index].label;
            const HBRUSH background = CreateSolidBrush(label.background);
            FillRect(paint.hdc, &label.rect, background);
            DeleteObject(background);
            const HGDIOBJ previous = SelectObject(paint.hdc, tree->m_fonts[label.fontIndex]);
            SetTextColor(paint.hdc, label.textColor);
            SetBkMode(paint.hdc, TRANSPARENT);
            RECT rect = label.rect;
            DrawTextA(paint.hdc, label.text.c_str(), -1, &rect, label.format);
            SelectObject(paint.hdc, previous);
        }
        EndPaint(hwnd, &paint);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND CRawWindowTree::Create()
{
    Destroy();
    // The fonts a plain program would make: one per distinct description.
    std::vector<LOGFONTA> made;
    for (Record& record : m_records) {
        if (!record.hasLabel) {
            continue;
        }
        size_t index = 0;
        while (index < made.size() && std::memcmp(&made[index], &record.label.font, sizeof(LOGFONTA)) != 0) {
            ++index;
        }
        if (index == made.size()) {
            made.push_back(record.label.font);
            m_fonts.push_back(CreateFontIndirectA(&record.label.font));
        }
        record.label.fontIndex = index;
    }
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    m_handles.assign(m_records.size(), nullptr);
    for (size_t i = 0; i < m_records.size(); ++i) {
        const Record& record = m_records[i];
        const HWND parent = record.parent >= 0 ? m_handles[record.parent] : nullptr;
        if (record.parent >= 0 && !parent) {
            continue;
        }
        const char* className = record.button ? "Button" : record.className.c_str();
        // The top-level window is shown by the caller, like the framework's.
        const DWORD style = record.parent >= 0 ? record.style : record.style & ~WS_VISIBLE;
        // A child's identifier is its record, which its paint looks up.
        const auto menu = record.parent >= 0 ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(i)) : nullptr;
        const HWND hwnd = CreateWindowExA(record.exStyle, className, record.text.c_str(), style, record.rect.left,
            record.rect.top, record.rect.right - record.rect.left, record.rect.bottom - record.rect.top, parent, menu,
            instance, nullptr);
        m_handles[i] = hwnd;
        if (!hwnd) {
            continue;
        }
        if (!record.button) {
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
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
    m_top = m_handles.empty() ? nullptr : m_handles[0];
    return m_top;
}

HWND CRawWindowTree::FindCreated(HWND original) const
{
    for (size_t i = 0; i < m_records.size() && i < m_handles.size(); ++i) {
        if (m_records[i].original == original) {
            return m_handles[i];
        }
    }
    return nullptr;
}

void CRawWindowTree::Destroy()
{
    if (m_top) {
        DestroyWindow(m_top);
        m_top = nullptr;
    }
    m_handles.clear();
    for (const HFONT font : m_fonts) {
        DeleteObject(font);
    }
    m_fonts.clear();
}
