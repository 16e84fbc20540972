#include "layout/CGUIBoxLayout.h"
#include "layout/CGUITableLayout.h"

#include "LayoutTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <tuple>
#include <type_traits>
#include <vector>

namespace {
using Mode = CGUIBoxLayout::Mode;
constexpr int32_t kStart = CGUILayoutPlacement::kAlignStart;
constexpr int32_t kCenter = CGUILayoutPlacement::kAlignCenter;
constexpr int32_t kEnd = CGUILayoutPlacement::kAlignEnd;
constexpr int32_t kAuto = CGUITableLayout::kNoFixedHeight;

CGUILayoutPlacement At(int32_t horizontal, int32_t vertical)
{
    return CGUILayoutPlacement::Aligned(horizontal, vertical);
}

// What a case adds, in order: an item, an empty cell (no item), or a table row.
struct Entry {
    enum Kind { kItem, kNoItem, kRow };
    CGUISize size;
    CGUILayoutPlacement placement {};
    Kind kind = kItem;
    int32_t fixedHeight = kAuto;
    float relativeHeight = CGUILayoutPlacement::kNotRelative;
};

const Entry kNoItem { {}, {}, Entry::kNoItem }, k10 { { 10, 10 } };

Entry NewRow(int32_t fixedHeight = kAuto, float relativeHeight = CGUILayoutPlacement::kNotRelative)
{
    return { {}, {}, Entry::kRow, fixedHeight, relativeHeight };
}

struct LayoutCase {
    const char* name;
    bool table; // otherwise a box of the mode
    Mode mode;
    CGUIPoint margin;
    CGUIPoint spacing; // between columns, between rows; a box uses x
    CGUIPoint contentAlignment; // horizontal, vertical
    std::vector<Entry> entries;
    CGUISize preferred;
    CGUIPoint origin;
    CGUISize size; // {}: the preferred size
    std::vector<CGUIPoint> positions; // one per item
    std::vector<CGUISize> sizes = {}; // one per item; empty: nothing resized
    CGUISize preferredAfter = {}; // after the arrangement; {}: unchanged
    // Of a table before the arrangement, if given, from -1 to one past the last.
    std::vector<int32_t> columnWidths = {}, rowHeights = {};
};

// Four cells: columns 20 and 30 wide, rows 8 and 12 high, spaced 40 and 10.
const std::vector<Entry> kFourCells { NewRow(), { { 10, 5 }, At(kCenter, kStart) }, { { 30, 8 }, At(kStart, kStart) },
    NewRow(), { { 20, 7 }, At(kStart, kEnd) }, { { 5, 12 }, At(kEnd, kCenter) } };

const LayoutCase kCases[] = { { "EmptyRow", false, Mode::Row, { 4, 3 }, { 5, 0 }, {}, {}, { 8, 0 }, {}, { 8, 0 }, {} },
    { "EmptyColumn", false, Mode::Column, { 4, 3 }, { 5, 0 }, {}, {}, { 0, 6 }, {}, { 0, 6 }, {} },
    { "EmptyStack", false, Mode::Stack, { 4, 3 }, { 5, 0 }, {}, {}, { 0, 0 }, {}, { 0, 0 }, {} },
    { "RowOfAbsentEntriesKeepsItsMargins", false, Mode::Row, { 4, 3 }, { 10, 0 }, {}, { kNoItem }, { 8, 0 }, {},
        { 8, 0 }, {} },
    { "RowOfTwo", false, Mode::Row, { 4, 4 }, { 4, 0 }, {}, { k10, k10 }, { 32, 18 }, {}, {}, { { 4, 4 }, { 18, 4 } } },
    { "ColumnOfTwo", false, Mode::Column, { 4, 4 }, { 4, 0 }, {}, { k10, k10 }, { 18, 32 }, {}, {},
        { { 4, 4 }, { 4, 18 } } },
    { "AbsentEntryBetweenItems", false, Mode::Row, {}, { 5, 0 }, {}, { k10, kNoItem, k10 }, { 25, 10 }, {}, {},
        { { 0, 0 }, { 15, 0 } } },
    { "RowCentredInLargerBox", false, Mode::Row, { 4, 4 }, { 4, 0 }, { kCenter, kStart },
        { { { 10, 10 }, At(kStart, kCenter) }, { { 10, 10 }, At(kStart, kEnd) } }, { 32, 18 }, { 100, 50 }, { 52, 30 },
        { { 114, 60 }, { 128, 66 } } },
    { "RowRightAlignedContent", false, Mode::Row, { 4, 4 }, { 4, 0 }, { kEnd, kStart }, { k10, k10 }, { 32, 18 }, {},
        { 52, 18 }, { { 24, 4 }, { 38, 4 } } },
    { "CentringTruncatesTowardZero", false, Mode::Row, { 4, 4 }, { 4, 0 }, { kCenter, kStart },
        { { { 10, 10 }, At(kStart, kCenter) }, { { 10, 10 }, At(kStart, kCenter) } }, { 32, 18 }, {}, { 29, 17 },
        { { 3, 3 }, { 17, 3 } } },
    { "ColumnBottomContentWithItemAlignments", false, Mode::Column, { 3, 2 }, { 5, 0 }, { kStart, kEnd },
        { { { 10, 4 }, At(kCenter, kStart) }, { { 6, 4 }, At(kEnd, kStart) } }, { 16, 17 }, {}, { 30, 27 },
        { { 10, 12 }, { 21, 21 } } },
    { "ExplicitXWidensRowAndIgnoresAlignment", false, Mode::Row, { 4, 4 }, { 4, 0 }, {},
        { k10, { { 10, 10 }, { .horizontalAlignment = kEnd, .x = 50, .explicitX = true } }, k10 }, { 78, 18 }, { 7, 0 },
        {}, { { 11, 4 }, { 57, 4 }, { 71, 4 } } },
    { "ExplicitXInsideRowKeepsRunningPosition", false, Mode::Row, { 4, 4 }, { 4, 0 }, {},
        { k10, { { 10, 10 }, { .horizontalAlignment = kCenter, .explicitX = true } }, k10 }, { 36, 18 }, {}, {},
        { { 4, 4 }, { 0, 4 }, { 18, 4 } } },
    { "ExplicitYInRow", false, Mode::Row, { 4, 4 }, { 4, 0 }, {}, { { { 10, 10 }, { .y = 20, .explicitY = true } } },
        { 18, 34 }, { 0, 5 }, {}, { { 4, 25 } } },
    { "StackPlacesEachItemByItsOwnAlignment", false, Mode::Stack, { 2, 2 }, { 9, 0 }, {},
        { { { 10, 10 }, At(kCenter, kEnd) }, { { 20, 6 }, At(kEnd, kStart) } }, { 24, 14 }, {}, { 40, 30 },
        { { 15, 18 }, { 18, 2 } } },
    { "StackWithExplicitOffsets", false, Mode::Stack, { 2, 2 }, { 9, 0 }, {},
        { { { 10, 10 }, { .x = 5, .y = 7, .explicitX = true, .explicitY = true } }, { { 4, 4 } } }, { 17, 19 },
        { 10, 10 }, {}, { { 15, 17 }, { 12, 12 } } },
    // The preferred width follows the relative item's new size (4 + 46 + 4 +
    // 10 + 4), and the centring uses it: (101 - 68) / 2 = 16.
    { "RelativeItemMovesItsNeighboursAndTheCentredContent", false, Mode::Row, { 4, 4 }, { 4, 0 }, { kCenter, kStart },
        { { { 10, 10 }, { .relativeWidth = 0.5f } }, k10 }, { 32, 18 }, {}, { 101, 18 }, { { 20, 4 }, { 70, 4 } },
        { { 46, 10 }, { 10, 10 } }, { 68, 18 } },
    { "FourCells", true, {}, {}, { 40, 10 }, {}, kFourCells, { 90, 30 }, {}, {},
        { { 5, 0 }, { 60, 0 }, { 0, 23 }, { 85, 18 } }, {}, {}, { 0, 20, 30, 0 }, { 0, 8, 12, 0 } },
    { "FourCellsWithMarginsAndOrigin", true, {}, { 2, 3 }, { 40, 10 }, {}, kFourCells, { 94, 36 }, { 100, 200 }, {},
        { { 107, 203 }, { 162, 203 }, { 102, 226 }, { 187, 221 } } },
    { "FourCellsCentredInALargerTable", true, {}, {}, { 40, 10 }, { kCenter, kCenter }, kFourCells, { 90, 30 }, {},
        { 101, 41 }, { { 10, 5 }, { 65, 5 }, { 5, 28 }, { 90, 23 } } },
    { "FourCellsBottomRightInALargerTable", true, {}, {}, { 40, 10 }, { kEnd, kEnd }, kFourCells, { 90, 30 }, {},
        { 101, 41 }, { { 16, 11 }, { 71, 11 }, { 11, 34 }, { 96, 29 } } },
    { "EmptyTableIsItsMargins", true, {}, { 3, 4 }, { 40, 10 }, {}, {}, { 6, 8 }, {}, {}, {} },
    { "TwoEmptyRowsHaveOneRowSpacing", true, {}, { 3, 4 }, { 40, 10 }, {}, { NewRow(), NewRow() }, { 6, 18 }, {}, {},
        {}, {}, {}, { 0, 0 }, { 0, 0, 0, 0 } },
    // The first item starts a row; empty cells keep their column.
    { "ShortRowsAndEmptyCellsKeepTheColumns", true, {}, {}, { 4, 2 }, {},
        { { { 10, 5 } }, kNoItem, { { 10, 5 } }, NewRow(), { { 50, 5 } }, NewRow(), kNoItem, { { 10, 5 } } },
        { 78, 19 }, {}, {}, { { 0, 0 }, { 68, 0 }, { 0, 7 }, { 54, 14 } }, {}, {}, { 0, 50, 10, 10, 0 },
        { 0, 5, 5, 5, 0 } },
    // The fixed height wins over the relative one; the relative row is 0
    // until the table has a size, then counts in the preferred height, which
    // the centred content uses: (110 - 113) / 2 = -1.
    { "FixedAndRelativeRowHeights", true, {}, { 0, 5 }, { 0, 10 }, { kStart, kCenter },
        { NewRow(25, 0.9f), { { 10, 8 }, At(kStart, kEnd) }, NewRow(kAuto, 0.5f), { { 10, 8 }, At(kStart, kCenter) },
            NewRow(), { { 10, 8 } } },
        { 10, 63 }, {}, { 10, 110 }, { { 0, 21 }, { 0, 60 }, { 0, 99 } }, {}, { 10, 113 }, { 0, 10, 0 },
        { 0, 25, 0, 8, 0 } },
    // Relative extents count as 0 until the table has a size.
    { "RelativeCellsUseTheInnerWidthAndTheRowHeight", true, {}, { 4, 4 }, { 2, 2 }, {},
        { NewRow(), { { 10, 10 }, { .relativeWidth = 0.5f } }, { { 10, 10 }, { .relativeHeight = 0.5f } },
            { { 10, 30 } } },
        { 32, 38 }, {}, { 101, 38 }, { { 4, 4 }, { 52, 4 }, { 64, 4 } }, { { 46, 10 }, { 10, 15 }, { 10, 30 } },
        { 78, 38 }, { 0, 0, 10, 10, 0 }, { 0, 30, 0 } },
    { "ExplicitCellOffsetsCountFromTheTableOrigin", true, {}, { 2, 2 }, { 5, 5 }, {},
        { NewRow(), k10, { { 10, 10 }, { .x = 3, .y = 40, .explicitX = true, .explicitY = true } } }, { 29, 14 },
        { 100, 100 }, {}, { { 102, 102 }, { 103, 140 } } } };

template <class TLayout> void CheckCase(TLayout& layout, const LayoutCase& c)
{
    layout.SetContentAlignment(c.contentAlignment.x, c.contentAlignment.y);
    std::vector<std::unique_ptr<CLayoutTestItem>> items;
    // Per item: position, size, set-size calls, update calls.
    std::vector<std::tuple<CGUIPoint, CGUISize, int, int>> expected;
    for (const Entry& entry : c.entries) {
        if constexpr (std::is_same_v<TLayout, CGUITableLayout>) {
            if (entry.kind == Entry::kRow) {
                layout.AddRow(entry.fixedHeight, entry.relativeHeight);
                continue;
            }
        }
        if (entry.kind == Entry::kNoItem) {
            layout.AddItem(nullptr, entry.placement, false);
            continue;
        }
        items.push_back(std::make_unique<CLayoutTestItem>(entry.size));
        layout.AddItem(items.back().get(), entry.placement, false);
        const size_t i = expected.size();
        const CGUISize size = c.sizes.empty() ? entry.size : c.sizes[i];
        expected.emplace_back(
            i < c.positions.size() ? c.positions[i] : CGUIPoint {}, size, size == entry.size ? 0 : 1, 1);
    }
    ASSERT_EQ(items.size(), c.positions.size());

    layout.UpdatePreferredSize();
    EXPECT_EQ(std::pair(layout.GetPreferredSize(), layout.GetSize()), std::pair(c.preferred, c.preferred));
    if constexpr (std::is_same_v<TLayout, CGUITableLayout>) {
        if (!c.rowHeights.empty()) {
            std::vector<int32_t> columns, rows;
            for (int32_t i = -1; i <= layout.GetColumnCount(); ++i) {
                columns.push_back(layout.GetColumnWidth(i));
            }
            for (int32_t i = -1; i <= layout.GetRowCount(); ++i) {
                rows.push_back(layout.GetRowHeight(i));
            }
            EXPECT_EQ(std::pair(columns, rows), std::pair(c.columnWidths, c.rowHeights));
        }
    }

    const CGUISize size = c.size == CGUISize {} ? c.preferred : c.size;
    layout.Arrange(c.origin, size);
    EXPECT_EQ(std::pair(layout.GetSize(), layout.GetPreferredSize()),
        std::pair(size, c.preferredAfter == CGUISize {} ? c.preferred : c.preferredAfter));
    std::vector<std::tuple<CGUIPoint, CGUISize, int, int>> observed;
    for (const auto& item : items) {
        observed.emplace_back(item->position, item->size, item->setSizeCalls, item->updateCalls);
    }
    EXPECT_EQ(observed, expected) << "resized only on a change, each updated once";
}

TEST(GUILayout, PreferredSizesAndPositions)
{
    for (const LayoutCase& c : kCases) {
        SCOPED_TRACE(c.name);
        if (c.table) {
            CGUITableLayout table(c.margin.x, c.margin.y, c.spacing.x, c.spacing.y);
            CheckCase(table, c);
        } else {
            CGUIBoxLayout box(c.margin.x, c.margin.y, c.spacing.x, c.mode);
            CheckCase(box, c);
        }
    }
}

// One relative item, as the width of a row and the height of a column.
TEST(CGUIBoxLayout, RelativeExtents)
{
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    // Fraction, extent of the box, margin, extent of the item.
    for (const auto& [fraction, boxExtent, margin, expected] : { std::tuple { 0.5f, 101, 4, 46 }, { 0.0f, 101, 4, 0 },
             { 0.333f, 100, 0, 33 }, { 0.5f, 6, 4, 0 }, { kInfinity, 100, 0, std::numeric_limits<int32_t>::max() },
             { kInfinity, 8, 4, 0 }, { -1.0f, 101, 4, 10 }, { std::nanf(""), 101, 4, 10 } }) {
        for (const bool row : { true, false }) {
            SCOPED_TRACE(testing::Message() << fraction << " of " << boxExtent << (row ? " wide" : " high"));
            CLayoutTestItem item({ 10, 10 });
            CGUIBoxLayout box(margin, margin, 4, row ? Mode::Row : Mode::Column);
            CGUILayoutPlacement placement;
            (row ? placement.relativeWidth : placement.relativeHeight) = fraction;
            box.AddItem(&item, placement, false);
            box.UpdatePreferredSize();
            const CGUISize boxSize = row ? CGUISize { boxExtent, 50 } : CGUISize { 50, boxExtent };
            box.Arrange({}, boxSize);
            box.Arrange({}, boxSize);
            EXPECT_EQ(std::pair(item.size, item.setSizeCalls),
                std::pair(row ? CGUISize { expected, 10 } : CGUISize { 10, expected }, expected == 10 ? 0 : 1))
                << "resized once, and only on a change";
        }
    }
}

// Layouts destroy what they own, and a table arranges only what it has
// measured.
TEST(GUILayout, OwnershipAndMeasuring)
{
    int destroyed = 0;
    CLayoutTestItem early({ 10, 10 }), late({ 10, 10 });
    {
        CGUIBoxLayout row(2, 2, 3, Mode::Row);
        row.AddItem(new CLayoutTestItem({ 6, 8 }, &destroyed), {}, true);
        row.AddItem(nullptr, {}, true);
        CGUITableLayout table(0, 0, 0, 0);
        table.AddRow();
        table.AddItem(&early, {}, false);
        table.AddItem(new CLayoutTestItem({ 1, 1 }, &destroyed), {}, true);
        table.UpdatePreferredSize();
        table.AddItem(&late, {}, false);
        table.Arrange({ 5, 5 }, { 20, 10 });
        EXPECT_EQ(early.position, (CGUIPoint { -1000, -1000 })) << "nothing arranged while a cell is unmeasured";
        table.UpdatePreferredSize();
        table.SetPosition({ 5, 5 });
        EXPECT_EQ(late.position, (CGUIPoint { 16, 5 }));
    }
    EXPECT_EQ(destroyed, 2);
}
} // namespace
