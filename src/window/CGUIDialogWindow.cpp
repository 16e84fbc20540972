#include "window/CGUIDialogWindow.h"

bool CGUIDialogWindow::CreateDialog(IGUIWindow* owner, DWORD extraStyle)
{
    if (IsCreated()) {
        Destroy();
    }
    DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | extraStyle;
    if (IsVisible()) {
        style |= WS_VISIBLE;
    }
    return CreateClassWindow(EGUIWindowClass::Dialog, style, CGUIPoint { 0, 0 },
        CGUISize { CW_USEDEFAULT, CW_USEDEFAULT }, owner ? owner->GetHandle() : nullptr);
}

bool CGUIDialogWindow::Create(IGUIWindow* parent)
{
    return CreateDialog(parent, 0);
}

LRESULT CGUIDialogWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY && m_quitOnDestroy) {
        PostQuitMessage(0);
    }
    return CGUICustomWindow::WindowProc(message, wParam, lParam);
}
