#pragma once

#include "layout/IGUILayoutItem.h"
#include "window/IGUIWindow.h"

// How a framework window takes part in a layout: sizes and positions go
// straight to the window (positions relative to its parent's client area),
// and the window prefers the size it has.
class CGUIWindowLayoutItem : public IGUILayoutItem {
public:
    // window is not owned and must outlive the item; with none the item is
    // 0 x 0 and ignores what the layout imposes.
    explicit CGUIWindowLayoutItem(IGUIWindow* window);

    IGUIWindow* GetWindow() const { return m_window; }

    void SetSize(CGUISize size) override;
    // Nothing to compute: the window's current size is its preferred size.
    void UpdatePreferredSize() override;
    void SetPosition(CGUIPoint position) override;
    CGUISize GetSize() override;

private:
    IGUIWindow* m_window;
};
