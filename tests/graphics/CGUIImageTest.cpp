#include "graphics/CGUIAttachedBitmap.h"
#include "graphics/CGUIBitmap.h"
#include "graphics/CGUIDIBSection.h"
#include "graphics/CGUIMemoryDrawContext.h"

#include "CCountingListener.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

bool IsBitmap(HBITMAP bitmap)
{
    return GetObjectType(bitmap) == OBJ_BITMAP;
}

CGUISize SizeOf(IGUIImage& image)
{
    CGUISize size { -1, -1 };
    image.GetSize(size);
    return size;
}

TEST(CGUIDIBSection, BottomUpMemoryAndNoBitmapForAnEmptySize)
{
    CGUIDIBSection image({ 100, 50 }, 32);
    EXPECT_EQ(SizeOf(image), (CGUISize { 100, 50 }));
    EXPECT_EQ(image.GetBitsPerPixel(), 32);
    *static_cast<uint32_t*>(image.GetBits()) = 0x00FF0000;
    {
        const std::unique_ptr<IGUIDrawContext> context(image.CreateDrawContext(nullptr));
        EXPECT_EQ(GetPixel(context->GetHDC(), 0, 49), RGB(255, 0, 0));
        EXPECT_EQ(GetPixel(context->GetHDC(), 0, 0), RGB(0, 0, 0));
        EXPECT_EQ(context->GetImage(), &image);
    }
    // The first context let the image go: a second one can select it.
    const std::unique_ptr<IGUIDrawContext> second(image.CreateDrawContext(nullptr));
    EXPECT_EQ(GetCurrentObject(second->GetHDC(), OBJ_BITMAP), image.GetHandle());

    for (const CGUISize size : { CGUISize { 0, 50 }, CGUISize { 50, 0 }, CGUISize { 10, -10 } }) {
        SCOPED_TRACE(testing::Message() << size.width << "x" << size.height);
        CGUIDIBSection empty(size, 32);
        EXPECT_EQ(empty.GetHandle(), nullptr);
        EXPECT_EQ(SizeOf(empty), (CGUISize {}));
        EXPECT_EQ(empty.GetBitsPerPixel(), 0);
        EXPECT_EQ(empty.GetBits(), nullptr);
    }
}

TEST(CGUIImage, ClonesShareTheBitmapUntilTheLastLetsGo)
{
    auto* image = new CGUIDIBSection({ 8, 8 }, 24);
    const HBITMAP bitmap = image->GetHandle();
    {
        CCountingListener listener(*image->GetSharedBitmap());
        CGUIImage* clone = image->Clone();
        EXPECT_EQ(clone->GetHandle(), bitmap);
        EXPECT_EQ(clone->GetShareCount(), 2);
        EXPECT_EQ(clone->GetBits(), image->GetBits());
        delete clone;
        EXPECT_EQ(image->GetShareCount(), 1);
        EXPECT_TRUE(IsBitmap(bitmap));
        EXPECT_EQ(listener.count, 2);
    }
    delete image;
    EXPECT_FALSE(IsBitmap(bitmap));

    CGUIImage replaced(CreateBitmap(2, 2, 1, 32, nullptr));
    const HBITMAP old = replaced.GetHandle();
    replaced.SetHandle(CreateBitmap(3, 3, 1, 32, nullptr));
    EXPECT_FALSE(IsBitmap(old));
}

TEST(CGUIAttachedBitmap, NeverDeletesTheWrappedBitmap)
{
    const HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, nullptr);
    for (const bool detach : { true, false }) {
        CGUIAttachedBitmap attached(bitmap);
        if (detach) {
            EXPECT_EQ(attached.Detach(), bitmap);
            EXPECT_EQ(attached.GetHandle(), nullptr);
        }
    }
    EXPECT_TRUE(IsBitmap(bitmap));
    DeleteObject(bitmap);
}

TEST(CGUIBitmap, TakesTheDepthOfTheReference)
{
    CGUIDrawContext screen(GetDC(GetDesktopWindow()), GetDesktopWindow());
    CGUIBitmap colour({ 10, 5 }, &screen);
    EXPECT_EQ(SizeOf(colour), (CGUISize { 10, 5 }));
    EXPECT_EQ(colour.GetBits(), nullptr);
    EXPECT_GT(colour.GetBitsPerPixel(), 1);
    EXPECT_EQ(CGUIBitmap({ 10, 5 }, nullptr).GetBitsPerPixel(), 1);
    EXPECT_EQ(CGUIBitmap({ 0, 5 }, nullptr).GetHandle(), nullptr);
}

} // namespace
