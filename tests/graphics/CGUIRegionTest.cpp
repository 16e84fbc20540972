#include "graphics/CGUIRegion.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

CGUIRect Bounds(const IGUIRegion& region)
{
    CGUIRect bounds { -1, -1, -1, -1 };
    region.GetBounds(bounds);
    return bounds;
}

TEST(CGUIRegion, ZeroWidthIsEmptyWithZeroBounds)
{
    const CGUIRegion region({ 10, 10, 0, 5 });
    EXPECT_TRUE(region.IsEmpty());
    EXPECT_EQ(Bounds(region), (CGUIRect {}));
}

TEST(CGUIRegion, IntersectingWithADisjointRectLeavesNothing)
{
    CGUIRegion region({ 0, 0, 10, 10 });
    EXPECT_FALSE(region.IsEmpty());
    region.IntersectRect({ 20, 20, 5, 5 });
    EXPECT_TRUE(region.IsEmpty());
}

TEST(CGUIRegion, IntersectRectNarrowsTheRegion)
{
    CGUIRegion region({ 0, 0, 100, 100 });
    region.IntersectRect({ 90, -10, 50, 30 });
    EXPECT_EQ(Bounds(region), (CGUIRect { 90, 0, 10, 20 }));
}

TEST(CGUIRegion, IntersectionBoundsLeaveTheRegionUnchanged)
{
    const CGUIRegion region({ 50, 50, 100, 100 });
    CGUIRect bounds;
    region.GetIntersectionBounds(bounds, { 0, 0, 100, 100 });
    EXPECT_EQ(bounds, (CGUIRect { 50, 50, 50, 50 }));
    EXPECT_EQ(Bounds(region), (CGUIRect { 50, 50, 100, 100 }));
}

TEST(CGUIRegion, OffsetMovesTheBounds)
{
    CGUIRegion region({ 10, 20, 30, 40 });
    region.Offset({ 5, -5 });
    EXPECT_EQ(Bounds(region), (CGUIRect { 15, 15, 30, 40 }));
}

TEST(CGUIRegion, CloneIsIndependent)
{
    const CGUIRegion region({ 0, 0, 40, 40 });
    const std::unique_ptr<CGUIRegion> clone(region.Clone());
    ASSERT_NE(clone, nullptr);
    EXPECT_NE(clone->GetHandle(), region.GetHandle());
    clone->IntersectRect({ 0, 0, 10, 10 });
    clone->Offset({ 100, 0 });
    EXPECT_EQ(Bounds(*clone), (CGUIRect { 100, 0, 10, 10 }));
    EXPECT_EQ(Bounds(region), (CGUIRect { 0, 0, 40, 40 }));
}

TEST(CGUIRegion, BorrowedHandleIsNotDeleted)
{
    const HRGN native = CreateRectRgn(0, 0, 5, 5);
    {
        const CGUIRegion region(native, false);
        EXPECT_EQ(Bounds(region), (CGUIRect { 0, 0, 5, 5 }));
    }
    EXPECT_EQ(GetObjectType(native), static_cast<DWORD>(OBJ_REGION));
    DeleteObject(native);
}

} // namespace
