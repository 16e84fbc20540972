#include "app/CGUIParamCheckBox.h"

#include "controls/GUICommonControls.h"
#include "foundation/CGUILifetimeGuard.h"

CGUIParamCheckBox::CGUIParamCheckBox(IParam& parameter)
    : m_parameter(parameter)
    , m_link(parameter)
    , m_linkListener(*this, &CGUIParamCheckBox::Update)
{
    m_link.GetPositionNotifier().AddListener(&m_linkListener);
}

CGUIParamCheckBox::~CGUIParamCheckBox()
{
    m_link.GetPositionNotifier().RemoveListener(&m_linkListener);
}

bool CGUIParamCheckBox::Create(IGUIWindow* parent)
{
    // A missing library or function is no reason to go without the box.
    InitCommonControlsOnce();
    // Sized before it exists, it is made at that size rather than resized.
    const CGUISize size = GetCachedSize();
    const bool sized = size.width > 0 && size.height > 0;
    const auto width = sized ? size.width : static_cast<int32_t>(CW_USEDEFAULT);
    const auto height = sized ? size.height : static_cast<int32_t>(CW_USEDEFAULT);
    // Named at creation, the box starts aligned as a named one (see WindowProc).
    const bool named = !GetGivenText().IsEmpty();
    if (!CreateNativeChild(0, "Button", named ? GetGivenText().GetText() : nullptr,
            WS_CHILD | WS_TABSTOP | BS_AUTOCHECKBOX | (named ? BS_TOP : 0), width, height,
            parent ? parent->GetHandle() : nullptr)) {
        return false;
    }
    SendMessageA(GetHandle(), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    // A new box is unchecked: no need to ask it.
    ShowPosition(false);
    return true;
}

void CGUIParamCheckBox::Update()
{
    if (GetHandle()) {
        ShowPosition(SendMessageA(GetHandle(), BM_GETCHECK, 0, 0) == BST_CHECKED);
    }
}

void CGUIParamCheckBox::ShowPosition(bool shown)
{
    const HWND hwnd = GetHandle();
    const bool checked = m_link.GetPosition() > 0.5f;
    if (checked != shown) {
        SendMessageA(hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    // A box not on the screen is painted when it is shown.
    if (::IsWindowVisible(hwnd)) {
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
}

LRESULT CGUIParamCheckBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTEXT && GetHandle()) {
        // The box fills the control, so no letter of a text shows; but some
        // button implementations centre the box on the text's line instead of
        // the control. Aligned to the top, a named box sits where an unnamed
        // one does.
        const bool named = lParam && *reinterpret_cast<const char*>(lParam) != '\0';
        const LONG_PTR style = GetWindowLongPtrA(GetHandle(), GWL_STYLE);
        const LONG_PTR aligned = (style & ~static_cast<LONG_PTR>(BS_VCENTER)) | (named ? BS_TOP : 0);
        if (aligned != style) {
            SetWindowLongPtrA(GetHandle(), GWL_STYLE, aligned);
        }
    }
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        const CGUILifetimeGuard guard(GetLifetime());
        SendMessageA(GetHandle(), BM_CLICK, 0, 0);
        // The click may have closed the window and deleted this box.
        if (guard.IsGone() || !IsCreated()) {
            return 0;
        }
    }
    if (message == WM_GUI_REFLECTED_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        const CGUILifetimeGuard guard(GetLifetime());
        const LRESULT result = CGUICustomWindow::WindowProc(message, wParam, lParam);
        if (!guard.IsGone()) {
            OnClicked();
        }
        return result;
    }
    return CGUICustomWindow::WindowProc(message, wParam, lParam);
}

void CGUIParamCheckBox::OnClicked()
{
    // Each step may show an error box, whose message loop lets the user close
    // the main window, which deletes this box: check before going on.
    const CGUILifetimeGuard guard(GetLifetime());
    m_parameter.OpenChange();
    if (guard.IsGone()) {
        return;
    }
    m_link.SetPosition(m_link.GetPosition());
    if (guard.IsGone() || !IsCreated()) {
        return;
    }
    const bool checked = SendMessageA(GetHandle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    m_link.SetPosition(checked ? 1.0f : 0.0f);
    if (guard.IsGone()) {
        return;
    }
    m_parameter.CloseChange();
    if (guard.IsGone()) {
        return;
    }
    m_changeNotifier.Notify();
}
