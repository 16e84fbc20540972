#pragma once

#include "window/IGUIWindow.h"

#include <windows.h>

// Walks the framework child windows of a native window, topmost first;
// children without a framework object are skipped.
class CGUIChildWindowIterator : public IGUIWindowIterator {
public:
    explicit CGUIChildWindowIterator(HWND parent);
    IGUIWindow* Next() override;

private:
    HWND m_next;
};
