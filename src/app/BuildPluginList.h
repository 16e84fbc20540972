#pragma once

#include "app/CBoolMemberParam.h"
#include "app/CDXiPlugin.h"
#include "controls/CGUIScrollView.h"
#include "layout/CGUIBoxLayout.h"
#include "window/IGUIWindow.h"

#include <list>
#include <memory>
#include <vector>

// Fills view with the instrument table: the help text, the bold column
// titles and one row per entry with its display name and a check box that
// switches the entry. Each text's window and each check box carry their text
// (the box: the entry's display name) for screen readers; wheel turns over
// the texts scroll the view, and the view marks the focused check box. The windows and parameters it makes go to
// ownedViews and ownedParams, in creation order; the returned content box (which owns the other layouts and items) has
// placed them at the view's origin and may go.
std::unique_ptr<CGUIBoxLayout> BuildPluginList(CGUIScrollView& view, std::vector<CDXiPlugin>& plugins,
    std::list<std::unique_ptr<IGUIWindow>>& ownedViews, std::list<std::unique_ptr<CBoolMemberParam>>& ownedParams);

// How many of the last rows entries BuildPluginList added are incomplete: a
// name or a check box whose window could not be created (above all when the
// process has used up its window quota), so the row is missing or cannot be
// switched. Reads the views in the order BuildPluginList made them.
size_t CountMissingRows(const std::list<std::unique_ptr<IGUIWindow>>& ownedViews, size_t rows);
