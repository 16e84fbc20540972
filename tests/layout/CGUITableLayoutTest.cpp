#include "layout/CGUITableLayout.h"

#include "LayoutTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {
constexpr int32_t kStart = CGUILayoutPlacement::kAlignStart;
constexpr int32_t kCenter = CGUILayoutPlacement::kAlignCenter;
constexpr int32_t kEnd = CGUILayoutPlacement::kAlignEnd;

CGUILayoutPlacement At(int32_t horizontal, int32_t vertical)
{
    return CGUILayoutPlacement::Aligned(horizontal, vertical);
}

// Two rows of two cells of different sizes:
//   row 0: 10 x 5 centred/top,    30 x 8 left/top
//   row 1: 20 x 7 left/bottom,    5 x 12 right/centre
// so the columns are 20 and 30 wide and the rows 8 and 12 high.
class TableOfFour : public testing::Test {
protected:
    void Fill(CGUITableLayout& table)
    {
        table.AddRow();
        table.AddItem(&m_cells[0], At(kCenter, kStart), false);
        table.AddItem(&m_cells[1], At(kStart, kStart), false);
        table.AddRow();
        table.AddItem(&m_cells[2], At(kStart, kEnd), false);
        table.AddItem(&m_cells[3], At(kEnd, kCenter), false);
    }
    CLayoutTestItem m_cells[4] { CLayoutTestItem({ 10, 5 }), CLayoutTestItem({ 30, 8 }), CLayoutTestItem({ 20, 7 }),
        CLayoutTestItem({ 5, 12 }) };
};

TEST_F(TableOfFour, ColumnWidthsRowHeightsAndSpacing)
{
    CGUITableLayout table(0, 0, 40, 10);
    Fill(table);
    table.UpdatePreferredSize();
    EXPECT_EQ(table.GetColumnCount(), 2);
    EXPECT_EQ(table.GetRowCount(), 2);
    EXPECT_EQ(table.GetColumnWidth(0), 20);
    EXPECT_EQ(table.GetColumnWidth(1), 30);
    EXPECT_EQ(table.GetRowHeight(0), 8);
    EXPECT_EQ(table.GetRowHeight(1), 12);
    EXPECT_EQ(table.GetColumnWidth(2), 0);
    EXPECT_EQ(table.GetRowHeight(-1), 0);
    // One spacing between two columns and one between two rows.
    EXPECT_EQ(table.GetPreferredSize(), (CGUISize { 90, 30 }));
    EXPECT_EQ(table.GetSize(), (CGUISize { 90, 30 }));
    for (const CLayoutTestItem& cell : m_cells) {
        EXPECT_EQ(cell.updateCalls, 1);
    }
}

struct TablePlacementCase {
    const char* name;
    int32_t marginX;
    int32_t marginY;
    CGUIPoint contentAlignment;
    CGUIPoint origin;
    CGUISize size; // {0, 0}: the preferred size
    CGUIPoint positions[4];
};

const TablePlacementCase kTablePlacementCases[] = {
    { "AtOriginWithoutMargins", 0, 0, {}, {}, {}, { { 5, 0 }, { 60, 0 }, { 0, 23 }, { 85, 18 } } },
    { "MarginsAndOrigin", 2, 3, {}, { 100, 200 }, {}, { { 107, 203 }, { 162, 203 }, { 102, 226 }, { 187, 221 } } },
    { "CentredContentInLargerTable", 0, 0, { kCenter, kCenter }, {}, { 101, 41 },
        { { 10, 5 }, { 65, 5 }, { 5, 28 }, { 90, 23 } } },
    { "BottomRightContentInLargerTable", 0, 0, { kEnd, kEnd }, {}, { 101, 41 },
        { { 16, 11 }, { 71, 11 }, { 11, 34 }, { 96, 29 } } },
};

void PrintTo(const TablePlacementCase& c, std::ostream* os)
{
    *os << c.name;
}

class TablePlacementCases : public TableOfFour, public testing::WithParamInterface<TablePlacementCase> { };

TEST_P(TablePlacementCases, CellsSitInTheirColumnAndRow)
{
    const TablePlacementCase& c = GetParam();
    CGUITableLayout table(c.marginX, c.marginY, 40, 10);
    table.SetContentAlignment(c.contentAlignment.x, c.contentAlignment.y);
    Fill(table);
    table.UpdatePreferredSize();
    const CGUISize size = c.size == CGUISize {} ? table.GetPreferredSize() : c.size;
    table.Arrange(c.origin, size);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(testing::Message() << "cell " << i);
        EXPECT_EQ(m_cells[i].position, c.positions[i]);
        EXPECT_EQ(m_cells[i].setSizeCalls, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(CGUITableLayout, TablePlacementCases, testing::ValuesIn(kTablePlacementCases),
    [](const testing::TestParamInfo<TablePlacementCase>& info) { return std::string(info.param.name); });

TEST(CGUITableLayout, EmptyTableIsItsMarginsAndDestroysOwnedCellsOnly)
{
    int destroyed = 0;
    CLayoutTestItem kept({ 1, 1 }, &destroyed);
    {
        CGUITableLayout table(3, 4, 40, 10);
        table.UpdatePreferredSize();
        EXPECT_EQ(table.GetPreferredSize(), (CGUISize { 6, 8 }));
        table.AddRow();
        table.AddRow();
        table.UpdatePreferredSize();
        EXPECT_EQ(table.GetPreferredSize(), (CGUISize { 6, 18 })) << "two empty rows: one row spacing";
        table.AddItem(&kept, {}, false);
        table.AddItem(new CLayoutTestItem({ 1, 1 }, &destroyed), {}, true);
    }
    EXPECT_EQ(destroyed, 1);
}

TEST(CGUITableLayout, ShortRowsAndEmptyCellsKeepTheColumns)
{
    CLayoutTestItem wide({ 50, 5 });
    CLayoutTestItem a({ 10, 5 });
    CLayoutTestItem b({ 10, 5 });
    CLayoutTestItem c({ 10, 5 });
    CGUITableLayout table(0, 0, 4, 2);
    table.AddItem(&a, {}, false); // no row yet: the table starts one
    table.AddItem(nullptr, {}, false);
    table.AddItem(&b, {}, false);
    table.AddRow();
    table.AddItem(&wide, {}, false);
    table.AddRow();
    table.AddItem(nullptr, {}, false);
    table.AddItem(&c, {}, false);

    table.UpdatePreferredSize();
    ASSERT_EQ(table.GetRowCount(), 3);
    ASSERT_EQ(table.GetColumnCount(), 3);
    EXPECT_EQ(table.GetColumnWidth(0), 50);
    EXPECT_EQ(table.GetColumnWidth(1), 10);
    EXPECT_EQ(table.GetColumnWidth(2), 10);
    EXPECT_EQ(table.GetPreferredSize(), (CGUISize { 78, 19 }));

    table.SetPosition({});
    EXPECT_EQ(a.position, (CGUIPoint { 0, 0 }));
    EXPECT_EQ(b.position, (CGUIPoint { 68, 0 }));
    EXPECT_EQ(wide.position, (CGUIPoint { 0, 7 }));
    EXPECT_EQ(c.position, (CGUIPoint { 54, 14 })) << "the empty cell keeps its column";
}

TEST(CGUITableLayout, FixedAndRelativeRowHeights)
{
    CLayoutTestItem fixedCell({ 10, 8 });
    CLayoutTestItem relativeCell({ 10, 8 });
    CLayoutTestItem autoCell({ 10, 8 });
    CGUITableLayout table(0, 5, 0, 10);
    table.SetContentAlignment(kStart, kCenter);
    table.AddRow(25, 0.9f); // the fixed height wins
    table.AddItem(&fixedCell, At(kStart, kEnd), false);
    table.AddRow(CGUITableLayout::kNoFixedHeight, 0.5f);
    table.AddItem(&relativeCell, At(kStart, kCenter), false);
    table.AddRow();
    table.AddItem(&autoCell, {}, false);

    table.UpdatePreferredSize();
    EXPECT_EQ(table.GetRowHeight(0), 25);
    EXPECT_EQ(table.GetRowHeight(1), 0) << "unresolved until the table has a size";
    EXPECT_EQ(table.GetRowHeight(2), 8);
    EXPECT_EQ(table.GetPreferredSize(), (CGUISize { 10, 20 + 10 + 25 + 0 + 8 }));

    table.Arrange({}, { 10, 110 });
    EXPECT_EQ(table.GetRowHeight(1), 50);
    // Resolved, the relative row counts in the preferred height, and the
    // centred content uses it: (110 - 113) / 2 = -1.
    EXPECT_EQ(table.GetPreferredSize(), (CGUISize { 10, 113 }));
    EXPECT_EQ(fixedCell.position, (CGUIPoint { 0, 4 + 25 - 8 }));
    EXPECT_EQ(relativeCell.position, (CGUIPoint { 0, 4 + 35 + 21 }));
    EXPECT_EQ(autoCell.position, (CGUIPoint { 0, 4 + 35 + 60 }));
}

TEST(CGUITableLayout, RelativeCellsUseTheInnerWidthAndTheRowHeight)
{
    CLayoutTestItem halfWide({ 10, 10 });
    CLayoutTestItem halfHigh({ 10, 10 });
    CLayoutTestItem tall({ 10, 30 });
    CGUILayoutPlacement width;
    width.relativeWidth = 0.5f;
    CGUILayoutPlacement height;
    height.relativeHeight = 0.5f;
    CGUITableLayout table(4, 4, 2, 2);
    table.AddRow();
    table.AddItem(&halfWide, width, false);
    table.AddItem(&halfHigh, height, false);
    table.AddItem(&tall, {}, false);

    table.UpdatePreferredSize();
    // Relative extents count as 0 while the preferred size is worked out.
    EXPECT_EQ(table.GetColumnWidth(0), 0);
    EXPECT_EQ(table.GetColumnWidth(1), 10);
    EXPECT_EQ(table.GetRowHeight(0), 30);

    table.Arrange({}, { 101, 38 });
    EXPECT_EQ(halfWide.size, (CGUISize { 46, 10 }));
    EXPECT_EQ(halfHigh.size, (CGUISize { 10, 15 }));
    EXPECT_EQ(table.GetColumnWidth(0), 46) << "recomputed with the sizes just given";
    EXPECT_EQ(halfHigh.position, (CGUIPoint { 4 + 46 + 2, 4 }));
    EXPECT_EQ(tall.position, (CGUIPoint { 4 + 46 + 2 + 10 + 2, 4 }));
}

TEST(CGUITableLayout, ExplicitCellOffsetsCountFromTheTableOrigin)
{
    CLayoutTestItem first({ 10, 10 });
    CLayoutTestItem placed({ 10, 10 });
    CGUITableLayout table(2, 2, 5, 5);
    table.AddRow();
    table.AddItem(&first, {}, false);
    table.AddItem(&placed, ExplicitAt(3, 40, true, true), false);
    table.UpdatePreferredSize();
    table.Arrange({ 100, 100 }, table.GetPreferredSize());
    EXPECT_EQ(placed.position, (CGUIPoint { 103, 140 }));
}

TEST(CGUITableLayout, DoesNotArrangeWhatWasAddedSinceTheLastComputation)
{
    CLayoutTestItem early({ 10, 10 });
    CLayoutTestItem late({ 10, 10 });
    CGUITableLayout table(0, 0, 0, 0);
    table.AddRow();
    table.AddItem(&early, {}, false);
    table.UpdatePreferredSize();
    table.AddItem(&late, {}, false);

    table.Arrange({ 5, 5 }, { 20, 10 });
    EXPECT_EQ(early.setPositionCalls, 0);
    EXPECT_EQ(late.setPositionCalls, 0);

    table.UpdatePreferredSize();
    table.Arrange({ 5, 5 }, { 20, 10 });
    EXPECT_EQ(early.position, (CGUIPoint { 5, 5 }));
    EXPECT_EQ(late.position, (CGUIPoint { 15, 5 }));
}

} // namespace
