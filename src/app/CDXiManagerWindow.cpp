#include "app/CDXiManagerWindow.h"

#include "app/BuildPluginList.h"
#include "app/CDXiPluginStore.h"
#include "app/DXiChildWindows.h"
#include "foundation/CGUILifetimeGuard.h"
#include "graphics/GUINative.h"
#include "layout/CGUIBoxLayout.h"
#include "layout/CGUIWindowLayout.h"
#include "window/CenterWindow.h"

#include <algorithm>
#include <vector>

#include <cstdio>

namespace {
constexpr const char* kAboutCaption = "About Vedodir's DXi Manager";
constexpr const char* kAboutText = "Vedodir's DXi Manager 1.1\n"
                                   "Made by Vedodir Audio (https://www.vedodir.example/)\n"
                                   "This software is provided \"as is\", without warranty of any kind.";
// Shown once when windows of the list could not be created.
constexpr const char* kMissingRowsText = "Not all DXi plug-ins could be listed. Close other programs and try again:\n"
                                         "%zu of %zu DXi plug-ins are missing from the list.";

// The visible, enabled tab stops under parent in screen order: siblings top
// to bottom and left to right, each followed by what lies inside it, so a
// scrolled list keeps its place however far its rows reach.
void CollectTabStops(HWND parent, std::vector<HWND>& stops)
{
    struct CPlaced {
        HWND hwnd;
        RECT rect;
    };
    std::vector<CPlaced> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect {};
        if (IsWindowVisible(child) && IsWindowEnabled(child) && GetWindowRect(child, &rect)) {
            children.push_back({ child, rect });
        }
    }
    std::stable_sort(children.begin(), children.end(), [](const CPlaced& a, const CPlaced& b) {
        return a.rect.top != b.rect.top ? a.rect.top < b.rect.top : a.rect.left < b.rect.left;
    });
    for (const CPlaced& child : children) {
        if (GetWindowLongPtrA(child.hwnd, GWL_STYLE) & WS_TABSTOP) {
            stops.push_back(child.hwnd);
        }
        CollectTabStops(child.hwnd, stops);
    }
}

// A rectangle on the screen in the client coordinates of window.
CGUIRect ScreenToClientRect(HWND window, RECT rect)
{
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return CGUIRect { rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top };
}

// Room for the focus mark drawn around a check box.
constexpr int kFocusMarkRoom = 3;
} // namespace

CDXiManagerWindow::CDXiManagerWindow()
    : CDXiManagerWindow(std::make_unique<CDXiWin32Registry>(HKEY_CLASSES_ROOT), nullptr)
{
}

CDXiManagerWindow::CDXiManagerWindow(IDXiRegistry& registry)
    : CDXiManagerWindow(nullptr, &registry)
{
}

CDXiManagerWindow::CDXiManagerWindow(std::unique_ptr<IDXiRegistry> ownRegistry, IDXiRegistry* registry)
    : m_ownRegistry(std::move(ownRegistry))
    , m_registry(registry ? *registry : *m_ownRegistry)
    , m_closeListener(*this, &IGUIWindow::Destroy)
    , m_aboutListener(*this, &CDXiManagerWindow::ShowAbout)
{
    m_closeButton.GetClickNotifier().AddListener(&m_closeListener);
    m_aboutButton.GetClickNotifier().AddListener(&m_aboutListener);
}

CDXiManagerWindow::~CDXiManagerWindow()
{
    // The native window goes first, while the members it reaches still exist.
    Destroy();
}

void CDXiManagerWindow::ScanPlugins()
{
    CDXiPluginStore(m_registry).ScanPlugins(m_plugins);
}

bool CDXiManagerWindow::OnCreate(const CGUIWindowEvent& event)
{
    if (!GetDialogListener().OnCreate(event)) {
        return false;
    }
    ScanPlugins();

    CGUIWindowLayout mainLayout(this, 4, 4, 4, CGUIBoxLayout::Mode::Column);

    if (!CreateVisibleChild(m_scrollView, *this)) {
        return false;
    }
    const HWND view = m_scrollView.GetHandle();
    SetWindowLongPtrA(view, GWL_STYLE, GetWindowLongPtrA(view, GWL_STYLE) | WS_VSCROLL);
    SetWindowLongPtrA(view, GWL_STYLE, GetWindowLongPtrA(view, GWL_STYLE) | WS_HSCROLL);
    const CGUIColor face = GUIFromColorRef(GetSysColor(COLOR_BTNFACE));
    CGUIColorFill& background = m_scrollView.GetBackgroundFill();
    if (background.GetColor() != face) {
        background.SetColor(face);
        background.GetChangeNotifier().Notify();
    }
    m_scrollView.SetVerticalLineStep(5);
    m_scrollView.SetMarksFocusedChild(true);

    const std::unique_ptr<CGUIBoxLayout> content
        = BuildPluginList(m_scrollView, m_plugins, m_ownedViews, m_ownedParams);
    if (const size_t missing = CountMissingRows(m_ownedViews, m_plugins.size())) {
        char text[192];
        std::snprintf(text, sizeof(text), kMissingRowsText, missing, m_plugins.size());
        m_registry.ShowError(text);
    }
    m_scrollView.SetContentSize(content->GetSize());
    m_scrollView.SetSize({ 500, 400 });

    CGUIWindowLayout scrollItem(&m_scrollView, 0, 0, 0, CGUIBoxLayout::Mode::Column);
    mainLayout.AddItem(&scrollItem, CGUILayoutPlacement::Aligned(1, 1), false);

    if (!CreateVisibleChild(m_closeButton, *this) || !CreateVisibleChild(m_aboutButton, *this)) {
        return false;
    }
    m_closeButton.SetText("Close");
    m_aboutButton.SetText("About");
    auto* buttons = new CGUIBoxLayout(2, 2, 5, CGUIBoxLayout::Mode::Row);
    buttons->AddItem(MakeChildItem(m_aboutButton), CGUILayoutPlacement::Aligned(1, 1), true);
    buttons->AddItem(MakeChildItem(m_closeButton), CGUILayoutPlacement::Aligned(1, 1), true);
    mainLayout.AddItem(buttons, CGUILayoutPlacement::Aligned(2, 1), true);

    mainLayout.UpdatePreferredSize();
    mainLayout.SetPosition({ 0, 0 });
    CenterWindow(*this);
    // Focus marks show from the start when the program was started from the
    // keyboard, else from the first Tab on (the system's rule).
    SendMessageA(GetHandle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS), 0);
    return true;
}

LRESULT CDXiManagerWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        if (focus && IsChild(GetHandle(), focus)) {
            m_lastFocus = focus;
        }
    }
    const CGUILifetimeGuard guard(GetLifetime());
    const LRESULT result = CGUIDialogWindow::WindowProc(message, wParam, lParam);
    // The window itself has nothing to type into: the focus goes on to a control.
    if (message == WM_SETFOCUS && !guard.IsGone()) {
        if (const HWND target = GetFocusTarget()) {
            ::SetFocus(target);
        }
    }
    return result;
}

HWND CDXiManagerWindow::GetFocusTarget() const
{
    const HWND hwnd = GetHandle();
    if (m_lastFocus && IsChild(hwnd, m_lastFocus) && ::IsWindowVisible(m_lastFocus) && IsWindowEnabled(m_lastFocus)) {
        return m_lastFocus;
    }
    std::vector<HWND> stops;
    CollectTabStops(hwnd, stops);
    const HWND list = m_scrollView.GetHandle();
    const auto box = std::find_if(stops.begin(), stops.end(), [list](HWND w) { return GetParent(w) == list; });
    return box != stops.end() ? *box : m_closeButton.GetHandle();
}

void CDXiManagerWindow::MoveFocus(bool backwards)
{
    std::vector<HWND> stops;
    CollectTabStops(GetHandle(), stops);
    if (stops.empty()) {
        return;
    }
    const size_t count = stops.size();
    const size_t current = static_cast<size_t>(std::find(stops.begin(), stops.end(), ::GetFocus()) - stops.begin());
    size_t next = 0;
    if (current == count) {
        next = backwards ? count - 1 : 0;
    } else {
        next = backwards ? (current + count - 1) % count : (current + 1) % count;
    }
    // Moving by keyboard shows where the focus is, from now on.
    SendMessageA(GetHandle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    FocusControl(stops[next]);
}

void CDXiManagerWindow::FocusControl(HWND control)
{
    m_lastFocus = control;
    ::SetFocus(control);
    const HWND list = m_scrollView.GetHandle();
    if (GetParent(control) != list) {
        return;
    }
    // The row is the box and whatever stands beside it: its name.
    RECT box {};
    GetWindowRect(control, &box);
    RECT row = box;
    for (HWND child = GetWindow(list, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect {};
        if (::IsWindowVisible(child) && GetWindowRect(child, &rect) && rect.top < box.bottom && rect.bottom > box.top) {
            UnionRect(&row, &row, &rect);
        }
    }
    InflateRect(&row, 0, kFocusMarkRoom);
    m_scrollView.ShowRect(ScreenToClientRect(list, row));
    // A row wider than the view: the box itself at least, where it is now.
    GetWindowRect(control, &box);
    InflateRect(&box, kFocusMarkRoom, kFocusMarkRoom);
    m_scrollView.ShowRect(ScreenToClientRect(list, box));
}

bool CDXiManagerWindow::CKeyboardNavigation::WantsKey(const CGUIKeyEvent& event)
{
    return event.message == WM_KEYDOWN && (event.key == VK_TAB || event.key == VK_ESCAPE);
}

void CDXiManagerWindow::CKeyboardNavigation::OnKeyDown(const CGUIKeyEvent& event)
{
    if (event.key == VK_ESCAPE) {
        m_window.Destroy();
    } else {
        m_window.MoveFocus(GetKeyState(VK_SHIFT) < 0);
    }
}

void CDXiManagerWindow::OnDestroy(const CGUIWindowEvent&)
{
    m_ownedViews.clear();
    m_ownedParams.clear();
    std::vector<CDXiPlugin>().swap(m_plugins);
}

void CDXiManagerWindow::OnSize(const CGUISizeEvent& event)
{
    GetDialogListener().OnSize(event);
}

void CDXiManagerWindow::OnMove(const CGUIMoveEvent& event)
{
    GetDialogListener().OnMove(event);
}

void CDXiManagerWindow::OnEnable(const CGUIWindowEvent& event)
{
    GetDialogListener().OnEnable(event);
}

void CDXiManagerWindow::ShowAbout()
{
    MessageBoxA(GetHandle(), kAboutText, kAboutCaption, MB_ICONINFORMATION);
}
