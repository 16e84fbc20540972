#pragma once

#include "foundation/CGUINotifier.h"
#include "window/CGUICustomWindow.h"

// The framework's push button: a native "Button" control wrapped as a
// framework window. It is the default button while it has the focus,
// Enter clicks it, and every click (by mouse, Space, Enter or BM_CLICK) fires
// the click notifier once. The button's text is its window text.
class CGUIButton : public CGUICustomWindow {
public:
    // Creates the control (75 × 23 pixels, tab stop, the default GUI font) as
    // a child of parent. Clicks are reported only when parent is a framework
    // window, which reflects the control's notifications to it.
    [[nodiscard]] bool Create(IGUIWindow* parent) override;
    CGUINotifier& GetClickNotifier() { return m_clickNotifier; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CGUINotifier m_clickNotifier;
};
