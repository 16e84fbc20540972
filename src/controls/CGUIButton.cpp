#include "controls/CGUIButton.h"

#include "controls/GUICommonControls.h"
#include "foundation/CGUILifetimeGuard.h"

#include <commctrl.h>

namespace {
// The ICC_ classes up to ICC_ANIMATE_CLASS.
constexpr DWORD kCommonControlClasses = 0xFF;
constexpr int32_t kDefaultWidth = 75;
constexpr int32_t kDefaultHeight = 23;
} // namespace

bool CGUIButton::Create(IGUIWindow* parent)
{
    // A missing InitCommonControlsEx leaves the system's own buttons: usable.
    static_cast<void>(InitCommonControlClasses(kCommonControlClasses));
    if (!CreateNativeChild(0, "Button", nullptr, WS_CHILD | WS_TABSTOP, kDefaultWidth, kDefaultHeight,
            parent ? parent->GetHandle() : nullptr)) {
        return false;
    }
    SendMessageA(GetHandle(), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    return IsCreated();
}

LRESULT CGUIButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            const CGUILifetimeGuard guard(GetLifetime());
            SendMessageA(GetHandle(), BM_CLICK, 0, 0);
            // A click listener may have closed the window (and deleted this).
            if (guard.IsGone() || !IsCreated()) {
                return 0;
            }
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        // Default only while focused: Enter then presses this button and no other.
        if (const HWND hwnd = GetHandle()) {
            const LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
            SetWindowLongPtrA(hwnd, GWL_STYLE,
                message == WM_SETFOCUS ? style | BS_DEFPUSHBUTTON : style & ~static_cast<LONG_PTR>(BS_DEFPUSHBUTTON));
            InvalidateWithParents(nullptr);
        }
        break;
    case WM_GUI_REFLECTED_COMMAND:
        switch (HIWORD(wParam)) {
        case BN_CLICKED:
            m_clickNotifier.Notify();
            return 0;
        case BN_DOUBLECLICKED:
            // The native button reports each click of a double click already.
            return 0;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return CGUICustomWindow::WindowProc(message, wParam, lParam);
}
