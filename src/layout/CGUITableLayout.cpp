#include "layout/CGUITableLayout.h"

#include "layout/GUILayoutGeometry.h"

#include <numeric>

namespace {
// The extent of items of the given sizes with spacing between neighbours and
// margin on both sides; without items only the margins remain.
int64_t SpannedExtent(const std::vector<int32_t>& sizes, int64_t spacing, int64_t margin)
{
    const int64_t gaps = sizes.empty() ? 0 : static_cast<int64_t>(sizes.size()) - 1;
    return gaps * spacing + 2 * margin + std::accumulate(sizes.begin(), sizes.end(), int64_t { 0 });
}
} // namespace

bool CGUITableLayout::Row::HasRelativeHeight() const
{
    return GUILayoutIsRelative(relativeHeight);
}

CGUITableLayout::CGUITableLayout(int32_t marginX, int32_t marginY, int32_t columnSpacing, int32_t rowSpacing)
    : m_columnSpacing(columnSpacing)
    , m_rowSpacing(rowSpacing)
    , m_marginX(marginX)
    , m_marginY(marginY)
{
}

CGUITableLayout::~CGUITableLayout() = default;

void CGUITableLayout::AddRow(int32_t fixedHeight, float relativeHeight)
{
    m_rows.push_back({ {}, fixedHeight, relativeHeight });
}

void CGUITableLayout::AddItem(IGUILayoutItem* item, const CGUILayoutPlacement& placement, bool owned)
{
    // A cell needs a row; dropping it would also lose an owned item.
    if (m_rows.empty()) {
        AddRow();
    }
    std::vector<CGUILayoutEntry>& cells = m_rows.back().cells;
    cells.emplace_back(item, placement, owned);
    m_columnCount = std::max(m_columnCount, static_cast<int32_t>(cells.size()));
}

int32_t CGUITableLayout::GetColumnWidth(int32_t column) const
{
    if (column < 0 || column >= static_cast<int32_t>(m_columnWidths.size())) {
        return 0;
    }
    return m_columnWidths[column];
}

int32_t CGUITableLayout::GetRowHeight(int32_t row) const
{
    if (row < 0 || row >= static_cast<int32_t>(m_rowHeights.size())) {
        return 0;
    }
    return m_rowHeights[row];
}

void CGUITableLayout::SetContentAlignment(int32_t horizontal, int32_t vertical)
{
    m_contentHorizontalAlignment = horizontal;
    m_contentVerticalAlignment = vertical;
}

void CGUITableLayout::ComputePreferredSize(bool resolving)
{
    m_columnWidths.assign(m_columnCount, 0);
    // Relative rows keep the height their last arrangement gave them.
    m_rowHeights.resize(m_rows.size(), 0);

    for (size_t r = 0; r < m_rows.size(); ++r) {
        const Row& row = m_rows[r];
        const bool automatic = !row.HasFixedHeight() && !row.HasRelativeHeight();
        if (automatic) {
            m_rowHeights[r] = 0;
        }
        for (size_t c = 0; c < row.cells.size(); ++c) {
            const CGUILayoutEntry& cell = row.cells[c];
            if (!cell.GetItem()) {
                continue;
            }
            if (resolving) {
                cell.GetItem()->UpdatePreferredSize();
            }
            const CGUISize size = cell.GetItemSize(resolving);
            m_columnWidths[c] = std::max(m_columnWidths[c], size.width);
            if (automatic) {
                m_rowHeights[r] = std::max(m_rowHeights[r], size.height);
            }
        }
        if (row.HasFixedHeight()) {
            m_rowHeights[r] = row.fixedHeight;
        } else if (row.HasRelativeHeight() && resolving) {
            m_rowHeights[r] = 0;
        }
    }

    m_preferredSize.width = GUISaturate(SpannedExtent(m_columnWidths, m_columnSpacing, m_marginX));
    m_preferredSize.height = GUISaturate(SpannedExtent(m_rowHeights, m_rowSpacing, m_marginY));
}

void CGUITableLayout::Arrange(CGUIPoint origin, CGUISize size)
{
    if (m_columnWidths.size() != static_cast<size_t>(m_columnCount) || m_rowHeights.size() != m_rows.size()) {
        return;
    }
    m_origin = origin;
    m_size = size;

    const int32_t innerWidth = GUISaturate(int64_t { size.width } - 2 * int64_t { m_marginX });
    const int32_t innerHeight = GUISaturate(int64_t { size.height } - 2 * int64_t { m_marginY });
    // A relative row that changes height changes the preferred height as much
    // as a resized cell does, so both call for a new computation.
    bool changed = false;
    for (size_t r = 0; r < m_rows.size(); ++r) {
        const Row& row = m_rows[r];
        if (row.HasRelativeHeight() && !row.HasFixedHeight()) {
            const int32_t height = GUILayoutScale(innerHeight, row.relativeHeight);
            changed = changed || height != m_rowHeights[r];
            m_rowHeights[r] = height;
        }
        for (const CGUILayoutEntry& cell : row.cells) {
            changed = cell.ResolveRelativeSize(innerWidth, m_rowHeights[r]) || changed;
        }
    }
    if (changed) {
        ComputePreferredSize(false);
    }

    const int64_t rowStart = int64_t { origin.x } + m_marginX
        + GUILayoutAlign(m_contentHorizontalAlignment, 0, size.width, 0, m_preferredSize.width);
    int64_t y = int64_t { origin.y } + m_marginY
        + GUILayoutAlign(m_contentVerticalAlignment, 0, size.height, 0, m_preferredSize.height);
    for (size_t r = 0; r < m_rows.size(); ++r) {
        const int32_t rowHeight = m_rowHeights[r];
        int64_t x = rowStart;
        const std::vector<CGUILayoutEntry>& cells = m_rows[r].cells;
        for (size_t c = 0; c < cells.size(); ++c) {
            const CGUILayoutEntry& cell = cells[c];
            const int32_t columnWidth = m_columnWidths[c];
            if (cell.GetItem()) {
                const CGUILayoutPlacement& placement = cell.GetPlacement();
                const CGUISize itemSize = cell.GetItemSize(false);
                const int64_t cellX = placement.explicitX
                    ? origin.x + int64_t { placement.x }
                    : GUILayoutAlign(placement.horizontalAlignment, x, columnWidth, 0, itemSize.width);
                const int64_t cellY = placement.explicitY
                    ? origin.y + int64_t { placement.y }
                    : GUILayoutAlign(placement.verticalAlignment, y, rowHeight, 0, itemSize.height);
                cell.GetItem()->SetPosition({ GUISaturate(cellX), GUISaturate(cellY) });
            }
            x += int64_t { columnWidth } + m_columnSpacing;
        }
        y += int64_t { rowHeight } + m_rowSpacing;
    }
}

void CGUITableLayout::SetSize(CGUISize size)
{
    m_size = size;
}

void CGUITableLayout::UpdatePreferredSize()
{
    ComputePreferredSize(true);
    m_size = m_preferredSize;
}

void CGUITableLayout::SetPosition(CGUIPoint position)
{
    Arrange(position, m_size);
}

CGUISize CGUITableLayout::GetSize()
{
    return m_size;
}
