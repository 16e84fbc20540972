#pragma once

#include "layout/CGUILayoutEntry.h"
#include "layout/CGUILayoutPlacement.h"
#include "layout/IGUILayoutItem.h"

#include <cstdint>
#include <vector>

// Rows of cells in aligned columns: every column is as wide as its widest
// cell, every row as high as its highest cell unless it has a fixed or a
// relative height. Each cell is placed inside its column width and row
// height by its own alignments.
class CGUITableLayout : public IGUILayoutItem {
public:
    static constexpr int32_t kNoFixedHeight = -1;

    CGUITableLayout(int32_t marginX, int32_t marginY, int32_t columnSpacing, int32_t rowSpacing);
    CGUITableLayout(const CGUITableLayout&) = delete;
    CGUITableLayout& operator=(const CGUITableLayout&) = delete;
    // Destroys the owned items.
    ~CGUITableLayout() override;

    // Starts a new row. fixedHeight >= 0 fixes its height; otherwise
    // relativeHeight >= 0 makes it that fraction of the inner height (the
    // height minus both margins); otherwise it is as high as its cells.
    void AddRow(int32_t fixedHeight = kNoFixedHeight, float relativeHeight = CGUILayoutPlacement::kNotRelative);
    // Appends a cell to the last row (to a new automatic row when there is
    // none). A null item leaves its cell empty. A relative width is a
    // fraction of the inner width, a relative height one of the row height.
    // With owned set the table destroys the item with itself.
    void AddItem(IGUILayoutItem* item, const CGUILayoutPlacement& placement, bool owned);

    int32_t GetRowCount() const { return static_cast<int32_t>(m_rows.size()); }
    // The number of cells of the longest row.
    int32_t GetColumnCount() const { return m_columnCount; }
    // As computed by the last UpdatePreferredSize or arrangement; 0 out of
    // range or before the first computation.
    int32_t GetColumnWidth(int32_t column) const;
    int32_t GetRowHeight(int32_t row) const;

    // Where the content goes when the table is larger (or smaller) than its
    // preferred size; start by default.
    void SetContentAlignment(int32_t horizontal, int32_t vertical);

    CGUISize GetPreferredSize() const { return m_preferredSize; }
    CGUIPoint GetPosition() const { return m_origin; }

    // Resolves the relative rows and cells for a table of the given size and
    // places every cell. Does nothing when rows or cells were added since the
    // last UpdatePreferredSize.
    void Arrange(CGUIPoint origin, CGUISize size);

    void SetSize(CGUISize size) override;
    void UpdatePreferredSize() override;
    // Arranges the content at position with the current size.
    void SetPosition(CGUIPoint position) override;
    CGUISize GetSize() override;

private:
    struct Row {
        std::vector<CGUILayoutEntry> cells;
        int32_t fixedHeight;
        float relativeHeight;

        bool HasFixedHeight() const { return fixedHeight >= 0; }
        bool HasRelativeHeight() const;
    };

    // With resolving set the cells update their own preferred sizes first
    // and relative extents (cells and rows) count as 0; clear, the sizes
    // they were given by the last arrangement count.
    void ComputePreferredSize(bool resolving);

    std::vector<Row> m_rows;
    int32_t m_columnCount = 0;
    int32_t m_columnSpacing;
    int32_t m_rowSpacing;
    int32_t m_marginX;
    int32_t m_marginY;
    std::vector<int32_t> m_columnWidths;
    std::vector<int32_t> m_rowHeights;
    int32_t m_contentHorizontalAlignment = CGUILayoutPlacement::kAlignStart;
    int32_t m_contentVerticalAlignment = CGUILayoutPlacement::kAlignStart;
    CGUISize m_preferredSize;
    CGUIPoint m_origin;
    CGUISize m_size;
};
