#include "layout/CGUIBoxLayout.h"
#include "layout/CGUITableLayout.h"

#include "LayoutTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
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

CGUILayoutPlacement Explicit(int32_t x, int32_t y, bool explicitX, bool explicitY, int32_t horizontal = kStart)
{
    CGUILayoutPlacement placement = At(horizontal, kStart);
    placement.x = x;
    placement.y = y;
    placement.explicitX = explicitX;
    placement.explicitY = explicitY;
    return placement;
}

CGUILayoutPlacement Relative(float width, float height)
{
    CGUILayoutPlacement placement;
    placement.relativeWidth = width;
    placement.relativeHeight = height;
    return placement;
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

const Entry kNoItem { {}, {}, Entry::kNoItem };

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
    std::vector<int32_t> columnWidths = {}, rowHeights = {}; // of a table before the arrangement, if given
};

const Entry k10 { { 10, 10 } };

const LayoutCase kCases[] = {
    { "EmptyRow", false, Mode::Row, { 4, 3 }, { 5, 0 }, {}, {}, { 8, 0 }, {}, { 8, 0 }, {} },
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
        { k10, { { 10, 10 }, Explicit(50, 0, true, false, kEnd) }, k10 }, { 78, 18 }, { 7, 0 }, {},
        { { 11, 4 }, { 57, 4 }, { 71, 4 } } },
    { "ExplicitXInsideRowKeepsRunningPosition", false, Mode::Row, { 4, 4 }, { 4, 0 }, {},
        { k10, { { 10, 10 }, Explicit(0, 0, true, false, kCenter) }, k10 }, { 36, 18 }, {}, {},
        { { 4, 4 }, { 0, 4 }, { 18, 4 } } },
    { "ExplicitYInRow", false, Mode::Row, { 4, 4 }, { 4, 0 }, {}, { { { 10, 10 }, Explicit(0, 20, false, true) } },
        { 18, 34 }, { 0, 5 }, {}, { { 4, 25 } } },
    { "StackPlacesEachItemByItsOwnAlignment", false, Mode::Stack, { 2, 2 }, { 9, 0 }, {},
        { { { 10, 10 }, At(kCenter, kEnd) }, { { 20, 6 }, At(kEnd, kStart) } }, { 24, 14 }, {}, { 40, 30 },
        { { 15, 18 }, { 18, 2 } } },
    { "StackWithExplicitOffsets", false, Mode::Stack, { 2, 2 }, { 9, 0 }, {},
        { { { 10, 10 }, Explicit(5, 7, true, true) }, { { 4, 4 } } }, { 17, 19 }, { 10, 10 }, {},
        { { 15, 17 }, { 12, 12 } } },
    // The preferred width follows the relative item's new size (4 + 46 + 4 +
    // 10 + 4), and the centring uses it: (101 - 68) / 2 = 16.
    { "RelativeItemMovesItsNeighboursAndTheCentredContent", false, Mode::Row, { 4, 4 }, { 4, 0 }, { kCenter, kStart },
        { { { 10, 10 }, Relative(0.5f, -1.0f) }, k10 }, { 32, 18 }, {}, { 101, 18 }, { { 20, 4 }, { 70, 4 } },
        { { 46, 10 }, { 10, 10 } }, { 68, 18 } },

// Four cells: columns 20 and 30 wide, rows 8 and 12 high, spaced 40 and 10.
#define FOUR_CELLS                                                                                                     \
    {                                                                                                                  \
        NewRow(), { { 10, 5 }, At(kCenter, kStart) }, { { 30, 8 }, At(kStart, kStart) }, NewRow(),                     \
            { { 20, 7 }, At(kStart, kEnd) },                                                                           \
        {                                                                                                              \
            { 5, 12 }, At(kEnd, kCenter)                                                                               \
        }                                                                                                              \
    }
    { "FourCells", true, {}, {}, { 40, 10 }, {}, FOUR_CELLS, { 90, 30 }, {}, {},
        { { 5, 0 }, { 60, 0 }, { 0, 23 }, { 85, 18 } }, {}, {}, { 20, 30 }, { 8, 12 } },
    { "FourCellsWithMarginsAndOrigin", true, {}, { 2, 3 }, { 40, 10 }, {}, FOUR_CELLS, { 94, 36 }, { 100, 200 }, {},
        { { 107, 203 }, { 162, 203 }, { 102, 226 }, { 187, 221 } } },
    { "FourCellsCentredInALargerTable", true, {}, {}, { 40, 10 }, { kCenter, kCenter }, FOUR_CELLS, { 90, 30 }, {},
        { 101, 41 }, { { 10, 5 }, { 65, 5 }, { 5, 28 }, { 90, 23 } } },
    { "FourCellsBottomRightInALargerTable", true, {}, {}, { 40, 10 }, { kEnd, kEnd }, FOUR_CELLS, { 90, 30 }, {},
        { 101, 41 }, { { 16, 11 }, { 71, 11 }, { 11, 34 }, { 96, 29 } } },
#undef FOUR_CELLS
    { "EmptyTableIsItsMargins", true, {}, { 3, 4 }, { 40, 10 }, {}, {}, { 6, 8 }, {}, {}, {} },
    { "TwoEmptyRowsHaveOneRowSpacing", true, {}, { 3, 4 }, { 40, 10 }, {}, { NewRow(), NewRow() }, { 6, 18 }, {}, {},
        {}, {}, {}, {}, { 0, 0 } },
    // The first item starts a row; empty cells keep their column.
    { "ShortRowsAndEmptyCellsKeepTheColumns", true, {}, {}, { 4, 2 }, {},
        { { { 10, 5 } }, kNoItem, { { 10, 5 } }, NewRow(), { { 50, 5 } }, NewRow(), kNoItem, { { 10, 5 } } },
        { 78, 19 }, {}, {}, { { 0, 0 }, { 68, 0 }, { 0, 7 }, { 54, 14 } }, {}, {}, { 50, 10, 10 }, { 5, 5, 5 } },
    // The fixed height wins over the relative one; the relative row is 0
    // until the table has a size, then counts in the preferred height, which
    // the centred content uses: (110 - 113) / 2 = -1.
    { "FixedAndRelativeRowHeights", true, {}, { 0, 5 }, { 0, 10 }, { kStart, kCenter },
        { NewRow(25, 0.9f), { { 10, 8 }, At(kStart, kEnd) }, NewRow(kAuto, 0.5f), { { 10, 8 }, At(kStart, kCenter) },
            NewRow(), { { 10, 8 } } },
        { 10, 63 }, {}, { 10, 110 }, { { 0, 21 }, { 0, 60 }, { 0, 99 } }, {}, { 10, 113 }, { 10 }, { 25, 0, 8 } },
    // Relative extents count as 0 until the table has a size.
    { "RelativeCellsUseTheInnerWidthAndTheRowHeight", true, {}, { 4, 4 }, { 2, 2 }, {},
        { NewRow(), { { 10, 10 }, Relative(0.5f, -1.0f) }, { { 10, 10 }, Relative(-1.0f, 0.5f) }, { { 10, 30 } } },
        { 32, 38 }, {}, { 101, 38 }, { { 4, 4 }, { 52, 4 }, { 64, 4 } }, { { 46, 10 }, { 10, 15 }, { 10, 30 } },
        { 78, 38 }, { 0, 10, 10 }, { 30 } },
    { "ExplicitCellOffsetsCountFromTheTableOrigin", true, {}, { 2, 2 }, { 5, 5 }, {},
        { NewRow(), k10, { { 10, 10 }, Explicit(3, 40, true, true) } }, { 29, 14 }, { 100, 100 }, {},
        { { 102, 102 }, { 103, 140 } } },
};

void PrintTo(const LayoutCase& c, std::ostream* os)
{
    *os << c.name;
}

template <class TLayout> void CheckCase(TLayout& layout, const LayoutCase& c)
{
    constexpr bool table = std::is_same_v<TLayout, CGUITableLayout>;
    layout.SetContentAlignment(c.contentAlignment.x, c.contentAlignment.y);
    std::vector<std::unique_ptr<CLayoutTestItem>> items;
    std::vector<CGUISize> ownSizes;
    for (const Entry& entry : c.entries) {
        if constexpr (table) {
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
        ownSizes.push_back(entry.size);
        layout.AddItem(items.back().get(), entry.placement, false);
    }
    ASSERT_EQ(items.size(), c.positions.size());

    layout.UpdatePreferredSize();
    EXPECT_EQ(layout.GetPreferredSize(), c.preferred);
    EXPECT_EQ(layout.GetSize(), c.preferred);
    if constexpr (table) {
        if (!c.rowHeights.empty()) {
            EXPECT_EQ(layout.GetColumnCount(), static_cast<int32_t>(c.columnWidths.size()));
            EXPECT_EQ(layout.GetRowCount(), static_cast<int32_t>(c.rowHeights.size()));
            for (int32_t i = -1; i <= static_cast<int32_t>(c.columnWidths.size()); ++i) {
                const bool inside = i >= 0 && i < static_cast<int32_t>(c.columnWidths.size());
                EXPECT_EQ(layout.GetColumnWidth(i), inside ? c.columnWidths[static_cast<size_t>(i)] : 0) << i;
            }
            for (int32_t i = -1; i <= static_cast<int32_t>(c.rowHeights.size()); ++i) {
                const bool inside = i >= 0 && i < static_cast<int32_t>(c.rowHeights.size());
                EXPECT_EQ(layout.GetRowHeight(i), inside ? c.rowHeights[static_cast<size_t>(i)] : 0) << i;
            }
        }
    }

    const CGUISize size = c.size == CGUISize {} ? c.preferred : c.size;
    layout.Arrange(c.origin, size);
    EXPECT_EQ(layout.GetSize(), size);
    EXPECT_EQ(layout.GetPreferredSize(), c.preferredAfter == CGUISize {} ? c.preferred : c.preferredAfter);
    for (size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "item " << i);
        EXPECT_EQ(items[i]->updateCalls, 1);
        EXPECT_EQ(items[i]->position, c.positions[i]);
        EXPECT_EQ(items[i]->size, c.sizes.empty() ? ownSizes[i] : c.sizes[i]);
        EXPECT_EQ(items[i]->setSizeCalls, items[i]->size == ownSizes[i] ? 0 : 1) << "resized only on a change";
    }
}

class LayoutCases : public testing::TestWithParam<LayoutCase> { };

TEST_P(LayoutCases, PreferredSizeAndPositions)
{
    const LayoutCase& c = GetParam();
    if (c.table) {
        CGUITableLayout table(c.margin.x, c.margin.y, c.spacing.x, c.spacing.y);
        CheckCase(table, c);
    } else {
        CGUIBoxLayout box(c.margin.x, c.margin.y, c.spacing.x, c.mode);
        CheckCase(box, c);
    }
}

INSTANTIATE_TEST_SUITE_P(GUILayout, LayoutCases, testing::ValuesIn(kCases),
    [](const testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

// One relative item, as the width of a row and the height of a column.
TEST(CGUIBoxLayout, RelativeExtents)
{
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    const struct {
        float fraction;
        int32_t boxExtent, margin, expected;
    } cases[] = { { 0.5f, 101, 4, 46 }, { 0.0f, 101, 4, 0 }, { 0.333f, 100, 0, 33 }, { 0.5f, 6, 4, 0 },
        { kInfinity, 100, 0, std::numeric_limits<int32_t>::max() }, { kInfinity, 8, 4, 0 }, { -1.0f, 101, 4, 10 },
        { std::nanf(""), 101, 4, 10 } };
    for (const auto& c : cases) {
        for (const Mode mode : { Mode::Row, Mode::Column }) {
            SCOPED_TRACE(
                testing::Message() << c.fraction << " of " << c.boxExtent << (mode == Mode::Row ? " wide" : " high"));
            const bool row = mode == Mode::Row;
            CLayoutTestItem item({ 10, 10 });
            CGUIBoxLayout box(c.margin, c.margin, 4, mode);
            box.AddItem(&item, row ? Relative(c.fraction, -1.0f) : Relative(-1.0f, c.fraction), false);
            box.UpdatePreferredSize();
            const CGUISize boxSize = row ? CGUISize { c.boxExtent, 50 } : CGUISize { 50, c.boxExtent };
            box.Arrange({}, boxSize);
            box.Arrange({}, boxSize);
            EXPECT_EQ(item.size, (row ? CGUISize { c.expected, 10 } : CGUISize { 10, c.expected }));
            EXPECT_EQ(item.setSizeCalls, c.expected == 10 ? 0 : 1) << "resized once, and only on a change";
        }
    }
}

// A column (owned) and an item (borrowed) in a row: sized bottom up, arranged
// top down; a relative nested box keeps the size it was given; layouts
// destroy what they own, and a table arranges only what it has measured.
TEST(GUILayout, NestingOwnershipAndMeasuring)
{
    int destroyed = 0;
    CLayoutTestItem top({ 10, 5 }), right({ 4, 4 }), early({ 10, 10 }), late({ 10, 10 });
    {
        auto* bottom = new CLayoutTestItem({ 6, 8 }, &destroyed);
        auto* column = new CGUIBoxLayout(1, 1, 1, Mode::Column);
        column->AddItem(&top, {}, false);
        column->AddItem(bottom, {}, true);
        CGUIBoxLayout row(2, 2, 3, Mode::Row);
        row.AddItem(column, {}, true);
        row.AddItem(nullptr, {}, true);
        row.AddItem(&right, {}, false);
        row.UpdatePreferredSize();
        EXPECT_EQ(column->GetSize(), (CGUISize { 12, 16 }));
        EXPECT_EQ(row.GetPreferredSize(), (CGUISize { 23, 20 }));
        row.SetPosition({ 10, 20 });
        EXPECT_EQ(column->GetPosition(), (CGUIPoint { 12, 22 }));
        EXPECT_EQ(top.position, (CGUIPoint { 13, 23 }));
        EXPECT_EQ(bottom->position, (CGUIPoint { 13, 29 }));
        EXPECT_EQ(right.position, (CGUIPoint { 27, 22 }));

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

    CLayoutTestItem inner({ 10, 10 });
    auto* nested = new CGUIBoxLayout(0, 0, 0, Mode::Row);
    nested->SetContentAlignment(kEnd, kStart);
    nested->AddItem(&inner, {}, false);
    CGUIBoxLayout outer(5, 0, 0, Mode::Column);
    outer.AddItem(nested, Relative(1.0f, -1.0f), true);
    outer.UpdatePreferredSize();
    outer.Arrange({}, { 110, 10 });
    EXPECT_EQ(nested->GetSize(), (CGUISize { 100, 10 }));
    EXPECT_EQ(inner.position, (CGUIPoint { 95, 0 })) << "right-aligned inside the 100 pixels it was given";
}
} // namespace
