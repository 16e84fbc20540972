#include "layout/CGUIBoxLayout.h"

#include "LayoutTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace {
using Mode = CGUIBoxLayout::Mode;
constexpr int32_t kStart = CGUILayoutPlacement::kAlignStart;
constexpr int32_t kCenter = CGUILayoutPlacement::kAlignCenter;
constexpr int32_t kEnd = CGUILayoutPlacement::kAlignEnd;

CGUILayoutPlacement At(int32_t horizontal, int32_t vertical)
{
    return CGUILayoutPlacement::Aligned(horizontal, vertical);
}

CGUILayoutPlacement ExplicitX(int32_t x, int32_t horizontal)
{
    CGUILayoutPlacement placement = ExplicitAt(x, 0, true, false);
    placement.horizontalAlignment = horizontal;
    return placement;
}

// One item of a case; absent entries have no item at all.
struct BoxItem {
    CGUISize size;
    CGUILayoutPlacement placement;
    bool present = true;
};

const BoxItem kAbsent { {}, {}, false };

struct BoxCase {
    const char* name;
    Mode mode;
    int32_t marginX;
    int32_t marginY;
    int32_t spacing;
    CGUIPoint contentAlignment; // horizontal, vertical
    std::vector<BoxItem> items;
    CGUISize preferred;
    CGUIPoint origin;
    CGUISize size;
    std::vector<CGUIPoint> positions; // one per present item
};

const BoxCase kBoxCases[] = {
    { "EmptyRow", Mode::Row, 4, 3, 5, {}, {}, { 8, 0 }, {}, { 8, 0 }, {} },
    { "EmptyColumn", Mode::Column, 4, 3, 5, {}, {}, { 0, 6 }, {}, { 0, 6 }, {} },
    { "EmptyStack", Mode::Stack, 4, 3, 5, {}, {}, { 0, 0 }, {}, { 0, 0 }, {} },
    { "RowOfAbsentEntriesKeepsItsMargins", Mode::Row, 4, 3, 10, {}, { kAbsent }, { 8, 0 }, {}, { 8, 0 }, {} },
    { "RowOfTwo", Mode::Row, 4, 4, 4, {}, { { { 10, 10 }, {} }, { { 10, 10 }, {} } }, { 32, 18 }, {}, { 32, 18 },
        { { 4, 4 }, { 18, 4 } } },
    { "ColumnOfTwo", Mode::Column, 4, 4, 4, {}, { { { 10, 10 }, {} }, { { 10, 10 }, {} } }, { 18, 32 }, {}, { 18, 32 },
        { { 4, 4 }, { 4, 18 } } },
    { "AbsentEntryBetweenItems", Mode::Row, 0, 0, 5, {}, { { { 10, 10 }, {} }, kAbsent, { { 10, 10 }, {} } },
        { 25, 10 }, {}, { 25, 10 }, { { 0, 0 }, { 15, 0 } } },
    { "RowCentredInLargerBox", Mode::Row, 4, 4, 4, { kCenter, kStart },
        { { { 10, 10 }, At(kStart, kCenter) }, { { 10, 10 }, At(kStart, kEnd) } }, { 32, 18 }, { 100, 50 }, { 52, 30 },
        { { 114, 60 }, { 128, 66 } } },
    { "RowRightAlignedContent", Mode::Row, 4, 4, 4, { kEnd, kStart }, { { { 10, 10 }, {} }, { { 10, 10 }, {} } },
        { 32, 18 }, {}, { 52, 18 }, { { 24, 4 }, { 38, 4 } } },
    { "CentringTruncatesTowardZero", Mode::Row, 4, 4, 4, { kCenter, kStart },
        { { { 10, 10 }, At(kStart, kCenter) }, { { 10, 10 }, At(kStart, kCenter) } }, { 32, 18 }, {}, { 29, 17 },
        { { 3, 3 }, { 17, 3 } } },
    { "ColumnBottomContentWithItemAlignments", Mode::Column, 3, 2, 5, { kStart, kEnd },
        { { { 10, 4 }, At(kCenter, kStart) }, { { 6, 4 }, At(kEnd, kStart) } }, { 16, 17 }, {}, { 30, 27 },
        { { 10, 12 }, { 21, 21 } } },
    { "ExplicitXWidensRowAndIgnoresAlignment", Mode::Row, 4, 4, 4, {},
        { { { 10, 10 }, {} }, { { 10, 10 }, ExplicitX(50, kEnd) }, { { 10, 10 }, {} } }, { 78, 18 }, { 7, 0 },
        { 78, 18 }, { { 11, 4 }, { 57, 4 }, { 71, 4 } } },
    { "ExplicitXInsideRowKeepsRunningPosition", Mode::Row, 4, 4, 4, {},
        { { { 10, 10 }, {} }, { { 10, 10 }, ExplicitX(0, kCenter) }, { { 10, 10 }, {} } }, { 36, 18 }, {}, { 36, 18 },
        { { 4, 4 }, { 0, 4 }, { 18, 4 } } },
    { "ExplicitYInRow", Mode::Row, 4, 4, 4, {}, { { { 10, 10 }, ExplicitAt(0, 20, false, true) } }, { 18, 34 },
        { 0, 5 }, { 18, 34 }, { { 4, 25 } } },
    { "StackPlacesEachItemByItsOwnAlignment", Mode::Stack, 2, 2, 9, {},
        { { { 10, 10 }, At(kCenter, kEnd) }, { { 20, 6 }, At(kEnd, kStart) } }, { 24, 14 }, {}, { 40, 30 },
        { { 15, 18 }, { 18, 2 } } },
    { "StackWithExplicitOffsets", Mode::Stack, 2, 2, 9, {},
        { { { 10, 10 }, ExplicitAt(5, 7, true, true) }, { { 4, 4 }, {} } }, { 17, 19 }, { 10, 10 }, { 17, 19 },
        { { 15, 17 }, { 12, 12 } } },
};

void PrintTo(const BoxCase& c, std::ostream* os)
{
    *os << c.name;
}

class BoxLayoutCases : public testing::TestWithParam<BoxCase> { };

TEST_P(BoxLayoutCases, PreferredSizeAndPositions)
{
    const BoxCase& c = GetParam();
    CGUIBoxLayout box(c.marginX, c.marginY, c.spacing, c.mode);
    box.SetContentAlignment(c.contentAlignment.x, c.contentAlignment.y);
    std::vector<std::unique_ptr<CLayoutTestItem>> items;
    std::vector<CGUISize> sizes;
    for (const BoxItem& spec : c.items) {
        if (!spec.present) {
            box.AddItem(nullptr, spec.placement, false);
            continue;
        }
        items.push_back(std::make_unique<CLayoutTestItem>(spec.size));
        sizes.push_back(spec.size);
        box.AddItem(items.back().get(), spec.placement, false);
    }
    ASSERT_EQ(items.size(), c.positions.size());

    box.UpdatePreferredSize();
    EXPECT_EQ(box.GetPreferredSize(), c.preferred);
    EXPECT_EQ(box.GetSize(), c.preferred);

    box.Arrange(c.origin, c.size);
    for (size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "item " << i);
        EXPECT_EQ(items[i]->updateCalls, 1);
        EXPECT_EQ(items[i]->position, c.positions[i]);
        EXPECT_EQ(items[i]->size, sizes[i]) << "a box without relative items resizes nothing";
    }
}

INSTANTIATE_TEST_SUITE_P(CGUIBoxLayout, BoxLayoutCases, testing::ValuesIn(kBoxCases),
    [](const testing::TestParamInfo<BoxCase>& info) { return std::string(info.param.name); });

struct RelativeCase {
    const char* name;
    float fraction;
    int32_t boxExtent;
    int32_t margin;
    int32_t expected;
};

const RelativeCase kRelativeCases[] = {
    { "HalfOf101WithMargins4", 0.5f, 101, 4, 46 },
    { "Zero", 0.0f, 101, 4, 0 },
    { "TruncatesTheFraction", 0.333f, 100, 0, 33 },
    { "BoxSmallerThanItsMarginsGivesZero", 0.5f, 6, 4, 0 },
    { "InfiniteFractionSaturates", std::numeric_limits<float>::infinity(), 100, 0,
        std::numeric_limits<int32_t>::max() },
    { "InfiniteFractionOfNothingIsZero", std::numeric_limits<float>::infinity(), 8, 4, 0 },
    { "NegativeKeepsOwnSize", -1.0f, 101, 4, 10 },
    { "NaNKeepsOwnSize", std::nanf(""), 101, 4, 10 },
};

void PrintTo(const RelativeCase& c, std::ostream* os)
{
    *os << c.name;
}

class BoxRelativeCases : public testing::TestWithParam<RelativeCase> { };

TEST_P(BoxRelativeCases, RowWidthAndColumnHeight)
{
    const RelativeCase& c = GetParam();
    for (const Mode mode : { Mode::Row, Mode::Column }) {
        SCOPED_TRACE(mode == Mode::Row ? "row, relative width" : "column, relative height");
        CGUILayoutPlacement placement;
        (mode == Mode::Row ? placement.relativeWidth : placement.relativeHeight) = c.fraction;
        CLayoutTestItem item({ 10, 10 });
        CGUIBoxLayout box(c.margin, c.margin, 4, mode);
        box.AddItem(&item, placement, false);
        box.UpdatePreferredSize();

        const CGUISize boxSize = mode == Mode::Row ? CGUISize { c.boxExtent, 50 } : CGUISize { 50, c.boxExtent };
        box.Arrange({}, boxSize);
        const CGUISize expected = mode == Mode::Row ? CGUISize { c.expected, 10 } : CGUISize { 10, c.expected };
        EXPECT_EQ(item.size, expected);
        EXPECT_EQ(item.setSizeCalls, c.expected == 10 ? 0 : 1) << "SetSize only when the size changes";

        box.Arrange({}, boxSize);
        EXPECT_LE(item.setSizeCalls, 1) << "a second arrangement of the same size resizes nothing";
    }
}

INSTANTIATE_TEST_SUITE_P(CGUIBoxLayout, BoxRelativeCases, testing::ValuesIn(kRelativeCases),
    [](const testing::TestParamInfo<RelativeCase>& info) { return std::string(info.param.name); });

TEST(CGUIBoxLayout, RelativeItemMovesItsNeighboursAndTheCentredContent)
{
    CLayoutTestItem relative({ 10, 10 });
    CLayoutTestItem fixed({ 10, 10 });
    CGUILayoutPlacement half;
    half.relativeWidth = 0.5f;
    CGUIBoxLayout box(4, 4, 4, Mode::Row);
    box.SetContentAlignment(CGUILayoutPlacement::kAlignCenter, CGUILayoutPlacement::kAlignStart);
    box.AddItem(&relative, half, false);
    box.AddItem(&fixed, {}, false);
    box.UpdatePreferredSize();
    ASSERT_EQ(box.GetPreferredSize(), (CGUISize { 32, 18 }));

    box.Arrange({}, { 101, 18 });
    EXPECT_EQ(relative.size, (CGUISize { 46, 10 }));
    // The preferred width follows the new size (4 + 46 + 4 + 10 + 4), and the
    // centring uses it: (101 - 68) / 2 = 16.
    EXPECT_EQ(box.GetPreferredSize(), (CGUISize { 68, 18 }));
    EXPECT_EQ(box.GetSize(), (CGUISize { 101, 18 })) << "the arranged size stays the box's size";
    EXPECT_EQ(relative.position, (CGUIPoint { 20, 4 }));
    EXPECT_EQ(fixed.position, (CGUIPoint { 70, 4 }));
}

// A column (owned) and an item (borrowed) in a row: sized bottom up, arranged
// top down; a relative nested box keeps the size it was given; the row
// destroys the column and, through it, what the column owns.
TEST(CGUIBoxLayout, NestedBoxesSizeBottomUpArrangeTopDownAndDestroyWhatTheyOwn)
{
    int destroyed = 0;
    CLayoutTestItem top({ 10, 5 }), right({ 4, 4 });
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
    }
    EXPECT_EQ(destroyed, 1);

    CLayoutTestItem inner({ 10, 10 });
    auto* nested = new CGUIBoxLayout(0, 0, 0, Mode::Row);
    nested->SetContentAlignment(kEnd, kStart);
    nested->AddItem(&inner, {}, false);
    CGUILayoutPlacement full;
    full.relativeWidth = 1.0f;
    CGUIBoxLayout outer(5, 0, 0, Mode::Column);
    outer.AddItem(nested, full, true);
    outer.UpdatePreferredSize();
    outer.Arrange({}, { 110, 10 });
    EXPECT_EQ(nested->GetSize(), (CGUISize { 100, 10 }));
    EXPECT_EQ(inner.position, (CGUIPoint { 95, 0 })) << "right-aligned inside the 100 pixels it was given";
}
} // namespace
