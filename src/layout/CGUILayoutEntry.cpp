#include "layout/CGUILayoutEntry.h"

#include "layout/GUILayoutGeometry.h"

CGUILayoutEntry::CGUILayoutEntry(IGUILayoutItem* item, const CGUILayoutPlacement& placement, bool owned)
    : m_item(item)
    , m_ownedItem(owned ? item : nullptr)
    , m_placement(placement)
{
}

CGUISize CGUILayoutEntry::GetItemSize(bool relativeAsZero) const
{
    if (!m_item) {
        return {};
    }
    CGUISize size = m_item->GetSize();
    if (relativeAsZero && GUILayoutIsRelative(m_placement.relativeWidth)) {
        size.width = 0;
    }
    if (relativeAsZero && GUILayoutIsRelative(m_placement.relativeHeight)) {
        size.height = 0;
    }
    return size;
}

bool CGUILayoutEntry::ResolveRelativeSize(int32_t widthBase, int32_t heightBase) const
{
    if (!m_item) {
        return false;
    }
    const bool relativeWidth = GUILayoutIsRelative(m_placement.relativeWidth);
    const bool relativeHeight = GUILayoutIsRelative(m_placement.relativeHeight);
    if (!relativeWidth && !relativeHeight) {
        return false;
    }
    const CGUISize current = m_item->GetSize();
    CGUISize wanted = current;
    if (relativeWidth) {
        wanted.width = GUILayoutScale(widthBase, m_placement.relativeWidth);
    }
    if (relativeHeight) {
        wanted.height = GUILayoutScale(heightBase, m_placement.relativeHeight);
    }
    if (wanted == current) {
        return false;
    }
    m_item->SetSize(wanted);
    return true;
}
