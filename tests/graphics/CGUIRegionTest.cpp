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

TEST(CGUIRegion, IntersectOffsetAndClone)
{
    EXPECT_TRUE(CGUIRegion({ 10, 10, 0, 5 }).IsEmpty());
    EXPECT_EQ(Bounds(CGUIRegion({ 10, 10, 0, 5 })), (CGUIRect {}));
    CGUIRegion region({ 0, 0, 100, 100 });
    CGUIRect bounds;
    region.GetIntersectionBounds(bounds, { 50, 50, 100, 100 });
    EXPECT_EQ(bounds, (CGUIRect { 50, 50, 50, 50 }));
    EXPECT_EQ(Bounds(region), (CGUIRect { 0, 0, 100, 100 })) << "asking changes nothing";

    const std::unique_ptr<CGUIRegion> clone(region.Clone());
    EXPECT_NE(clone->GetHandle(), region.GetHandle());
    clone->IntersectRect({ 90, -10, 50, 30 });
    clone->Offset({ 5, -5 });
    EXPECT_EQ(Bounds(*clone), (CGUIRect { 95, -5, 10, 20 }));
    EXPECT_EQ(Bounds(region), (CGUIRect { 0, 0, 100, 100 }));
    clone->IntersectRect({ 0, 0, 5, 5 });
    EXPECT_TRUE(clone->IsEmpty());
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
