#pragma once

#include "layout/CGUILayoutPlacement.h"
#include "layout/IGUILayoutItem.h"

#include <memory>

// One entry of a container: the item (which may be absent; such an entry is
// skipped), its placement and, when owned, the item's lifetime.
class CGUILayoutEntry {
public:
    // With owned set the entry destroys item with itself; an owned item must
    // not be given to any other container as owned.
    CGUILayoutEntry(IGUILayoutItem* item, const CGUILayoutPlacement& placement, bool owned);

    IGUILayoutItem* GetItem() const { return m_item; }
    const CGUILayoutPlacement& GetPlacement() const { return m_placement; }

    // The item's current size; with relativeAsZero set, an extent that is
    // relative counts as 0. (0, 0) for an absent item.
    CGUISize GetItemSize(bool relativeAsZero) const;
    // Gives the item its relative width as a fraction of widthBase and its
    // relative height as a fraction of heightBase (truncated toward zero),
    // calling SetSize only when that changes its size. Returns whether it did.
    [[nodiscard]] bool ResolveRelativeSize(int32_t widthBase, int32_t heightBase) const;

private:
    IGUILayoutItem* m_item;
    std::unique_ptr<IGUILayoutItem> m_ownedItem;
    CGUILayoutPlacement m_placement;
};
