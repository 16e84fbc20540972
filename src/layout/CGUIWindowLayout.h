#pragma once

#include "layout/CGUIBoxLayout.h"
#include "layout/CGUIWindowLayoutItem.h"

// Lays out the children of one window in its client area with an inner box,
// and is itself the item through which the window enters its parent's
// layout. The items added here are positioned in the window's client
// coordinates, which is where child windows are positioned.
//
// A window layout with entries prefers the outer size whose client area
// fits the inner box's preferred size; one without entries (a control
// entering its parent's layout) prefers the size the window has. Whenever
// the layout sizes or places the window it arranges the inner box in the
// window's client area; ArrangeContent does so on demand, for instance
// after the window's client size changed.
class CGUIWindowLayout : public CGUIWindowLayoutItem {
public:
    // window is not owned and must outlive the layout. marginX, marginY,
    // spacing and mode are those of the inner box.
    CGUIWindowLayout(IGUIWindow* window, int32_t marginX, int32_t marginY, int32_t spacing, CGUIBoxLayout::Mode mode);

    // Adds to the inner box; see CGUIBoxLayout::AddItem.
    void AddItem(IGUILayoutItem* item, const CGUILayoutPlacement& placement, bool owned);
    CGUIBoxLayout& GetLayout() { return m_layout; }

    // Gives the window size and position (relative to its parent's client
    // area, or to the screen) and arranges the content.
    void Arrange(CGUIPoint position, CGUISize size);
    // Arranges the inner box at the client origin with the client size.
    void ArrangeContent();

    void SetSize(CGUISize size) override;
    void UpdatePreferredSize() override;
    // Gives the window its preferred size (when it has content) and the
    // position, and arranges the content.
    void SetPosition(CGUIPoint position) override;
    CGUISize GetSize() override;

private:
    CGUIBoxLayout m_layout;
    CGUISize m_size;
    // Whether m_size is what the window should have: set by a computation
    // with content or by an imposed size; otherwise the window keeps its own.
    bool m_sizeKnown = false;
};
