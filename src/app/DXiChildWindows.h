#pragma once

#include "layout/CGUIWindowLayout.h"
#include "window/IGUIWindow.h"

// Framework windows start hidden; the application's children are shown with
// their parent.
[[nodiscard]] inline bool CreateVisibleChild(IGUIWindow& child, IGUIWindow& parent)
{
    child.SetVisible(true);
    return child.Create(&parent);
}

// How every child window enters its parent's layout: its own window layout
// with no margins or spacing, in column mode.
inline CGUIWindowLayout* MakeChildItem(IGUIWindow& window)
{
    return new CGUIWindowLayout(&window, 0, 0, 0, CGUIBoxLayout::Mode::Column);
}
