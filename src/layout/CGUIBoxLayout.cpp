#include "layout/CGUIBoxLayout.h"

#include "layout/GUILayoutGeometry.h"

namespace {
// One axis of the box, so that a row and a column share one algorithm with
// the axes exchanged.
struct CBoxAxis {
    int32_t CGUISize::*extent;
    int32_t CGUIPoint::*coordinate;
    int32_t CGUILayoutPlacement::*alignment;
    int32_t CGUILayoutPlacement::*offset;
    bool CGUILayoutPlacement::*isExplicit;
};

constexpr CBoxAxis kHorizontal { &CGUISize::width, &CGUIPoint::x, &CGUILayoutPlacement::horizontalAlignment,
    &CGUILayoutPlacement::x, &CGUILayoutPlacement::explicitX };
constexpr CBoxAxis kVertical { &CGUISize::height, &CGUIPoint::y, &CGUILayoutPlacement::verticalAlignment,
    &CGUILayoutPlacement::y, &CGUILayoutPlacement::explicitY };

// The room an item needs across the box: its own extent plus both margins,
// or, when placed explicitly, its far edge plus the trailing margin.
int64_t AcrossNeed(const CBoxAxis& axis, const CGUILayoutPlacement& placement, int64_t extent, int64_t margin)
{
    if (placement.*axis.isExplicit) {
        return placement.*axis.offset + extent + margin;
    }
    return extent + 2 * margin;
}

// An item's start on an axis where nothing runs: by its alignment within the
// whole box, or at its explicit offset from the box's origin.
int64_t PlaceAcross(const CBoxAxis& axis, const CGUILayoutPlacement& placement, int64_t origin, int64_t boxExtent,
    int64_t margin, int64_t extent)
{
    if (placement.*axis.isExplicit) {
        return origin + placement.*axis.offset;
    }
    return GUILayoutAlign(placement.*axis.alignment, origin, boxExtent, margin, extent);
}
} // namespace

CGUIBoxLayout::CGUIBoxLayout(int32_t marginX, int32_t marginY, int32_t spacing, Mode mode)
    : m_marginX(marginX)
    , m_marginY(marginY)
    , m_spacing(spacing)
    , m_mode(mode)
{
}

CGUIBoxLayout::~CGUIBoxLayout() = default;

void CGUIBoxLayout::AddItem(IGUILayoutItem* item, const CGUILayoutPlacement& placement, bool owned)
{
    m_entries.emplace_back(item, placement, owned);
}

void CGUIBoxLayout::SetContentAlignment(int32_t horizontal, int32_t vertical)
{
    m_contentHorizontalAlignment = horizontal;
    m_contentVerticalAlignment = vertical;
}

void CGUIBoxLayout::ComputePreferredSize(bool updateItems)
{
    if (updateItems) {
        for (const CGUILayoutEntry& entry : m_entries) {
            if (entry.GetItem()) {
                entry.GetItem()->UpdatePreferredSize();
            }
        }
    }

    const int64_t marginX = m_marginX;
    const int64_t marginY = m_marginY;
    if (m_mode == Mode::Stack) {
        int64_t width = 0;
        int64_t height = 0;
        for (const CGUILayoutEntry& entry : m_entries) {
            if (!entry.GetItem()) {
                continue;
            }
            const CGUISize size = entry.GetItemSize(false);
            width = std::max(width, AcrossNeed(kHorizontal, entry.GetPlacement(), size.width, marginX));
            height = std::max(height, AcrossNeed(kVertical, entry.GetPlacement(), size.height, marginY));
        }
        m_preferredSize = { GUISaturate(width), GUISaturate(height) };
        return;
    }

    const CBoxAxis& along = m_mode == Mode::Row ? kHorizontal : kVertical;
    const CBoxAxis& across = m_mode == Mode::Row ? kVertical : kHorizontal;
    const int64_t marginAlong = m_mode == Mode::Row ? marginX : marginY;
    const int64_t marginAcross = m_mode == Mode::Row ? marginY : marginX;
    int64_t alongExtent = marginAlong;
    int64_t acrossExtent = 0;
    bool anyItem = false;
    for (const CGUILayoutEntry& entry : m_entries) {
        if (!entry.GetItem()) {
            continue;
        }
        const CGUILayoutPlacement& placement = entry.GetPlacement();
        const CGUISize size = entry.GetItemSize(false);
        const int64_t itemAlong = size.*along.extent;
        if (placement.*along.isExplicit) {
            alongExtent = std::max(alongExtent, placement.*along.offset + itemAlong);
        } else {
            alongExtent += itemAlong;
        }
        alongExtent += m_spacing;
        acrossExtent = std::max(acrossExtent, AcrossNeed(across, placement, size.*across.extent, marginAcross));
        anyItem = true;
    }
    // Only a spacing that was added is taken back: entries without an item
    // add none, and a box of such entries must not shrink below its margins.
    if (anyItem) {
        alongExtent -= m_spacing;
    }
    alongExtent += marginAlong;

    m_preferredSize.*along.extent = GUISaturate(alongExtent);
    m_preferredSize.*across.extent = GUISaturate(acrossExtent);
}

void CGUIBoxLayout::Arrange(CGUIPoint origin, CGUISize size)
{
    m_origin = origin;
    m_size = size;

    const int32_t innerWidth = GUISaturate(int64_t { size.width } - 2 * int64_t { m_marginX });
    const int32_t innerHeight = GUISaturate(int64_t { size.height } - 2 * int64_t { m_marginY });
    bool resized = false;
    for (const CGUILayoutEntry& entry : m_entries) {
        resized = entry.ResolveRelativeSize(innerWidth, innerHeight) || resized;
    }
    // The positions below depend on the items' new sizes, but the items keep
    // the sizes just given to them.
    if (resized) {
        ComputePreferredSize(false);
    }

    if (m_mode == Mode::Stack) {
        for (const CGUILayoutEntry& entry : m_entries) {
            if (!entry.GetItem()) {
                continue;
            }
            const CGUILayoutPlacement& placement = entry.GetPlacement();
            const CGUISize itemSize = entry.GetItemSize(false);
            const int64_t x = PlaceAcross(kHorizontal, placement, origin.x, size.width, m_marginX, itemSize.width);
            const int64_t y = PlaceAcross(kVertical, placement, origin.y, size.height, m_marginY, itemSize.height);
            entry.GetItem()->SetPosition({ GUISaturate(x), GUISaturate(y) });
        }
        return;
    }

    const CBoxAxis& along = m_mode == Mode::Row ? kHorizontal : kVertical;
    const CBoxAxis& across = m_mode == Mode::Row ? kVertical : kHorizontal;
    const int64_t marginAlong = m_mode == Mode::Row ? m_marginX : m_marginY;
    const int64_t marginAcross = m_mode == Mode::Row ? m_marginY : m_marginX;
    const int32_t contentAlignment = m_mode == Mode::Row ? m_contentHorizontalAlignment : m_contentVerticalAlignment;
    const int64_t originAlong = origin.*along.coordinate;
    const int64_t originAcross = origin.*across.coordinate;

    int64_t running = originAlong + marginAlong
        + GUILayoutAlign(contentAlignment, 0, size.*along.extent, 0, m_preferredSize.*along.extent);
    for (const CGUILayoutEntry& entry : m_entries) {
        if (!entry.GetItem()) {
            continue;
        }
        const CGUILayoutPlacement& placement = entry.GetPlacement();
        const CGUISize itemSize = entry.GetItemSize(false);
        const int64_t itemAlong = itemSize.*along.extent;
        const int64_t positionAlong = placement.*along.isExplicit ? originAlong + placement.*along.offset : running;
        const int64_t positionAcross
            = PlaceAcross(across, placement, originAcross, size.*across.extent, marginAcross, itemSize.*across.extent);
        CGUIPoint position;
        position.*along.coordinate = GUISaturate(positionAlong);
        position.*across.coordinate = GUISaturate(positionAcross);
        entry.GetItem()->SetPosition(position);
        running = std::max(running, positionAlong + m_spacing + itemAlong);
    }
}

void CGUIBoxLayout::SetSize(CGUISize size)
{
    m_size = size;
}

void CGUIBoxLayout::UpdatePreferredSize()
{
    ComputePreferredSize(true);
    m_size = m_preferredSize;
}

void CGUIBoxLayout::SetPosition(CGUIPoint position)
{
    Arrange(position, m_size);
}

CGUISize CGUIBoxLayout::GetSize()
{
    return m_size;
}
