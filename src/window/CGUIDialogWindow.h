#pragma once

#include "window/CGUICustomWindow.h"

#include <windows.h>

// The platform's macro would turn CreateDialog into a dialog-template call.
#undef CreateDialog

// A top-level framework window with a caption, a sizing frame and the dialog
// background colour. With quit-on-destroy set, destroying its native window
// ends the thread's message loop (PostQuitMessage (0)).
class CGUIDialogWindow : public CGUICustomWindow {
public:
    // Creates the native window (WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, plus
    // WS_VISIBLE when the visible flag is set, plus extraStyle) at the
    // system's default size, owned by owner when one is given. An existing
    // native window is destroyed first. True when the window was created.
    [[nodiscard]] bool CreateDialog(IGUIWindow* owner, DWORD extraStyle);
    // CreateDialog (parent, 0).
    [[nodiscard]] bool Create(IGUIWindow* parent) override;

    void SetQuitOnDestroy(bool quit) { m_quitOnDestroy = quit; }
    [[nodiscard]] bool GetQuitOnDestroy() const { return m_quitOnDestroy; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool m_quitOnDestroy = false;
};
