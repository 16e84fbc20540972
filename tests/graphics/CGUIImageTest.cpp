#include "graphics/CGUIAttachedBitmap.h"
#include "graphics/CGUIBitmap.h"
#include "graphics/CGUIDIBSection.h"
#include "graphics/CGUIMemoryDrawContext.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class CCountingListener : public IGUIListener {
public:
    void OnNotify() override { ++count; }
    int count = 0;
};

bool IsBitmap(HBITMAP bitmap)
{
    return GetObjectType(bitmap) == OBJ_BITMAP;
}

TEST(CGUIDIBSection, HasSizeDepthAndBottomUpMemory)
{
    CGUIDIBSection image({ 100, 50 }, 32);
    CGUISize size;
    image.GetSize(size);
    EXPECT_EQ(size, (CGUISize { 100, 50 }));
    EXPECT_EQ(image.GetBitsPerPixel(), 32);
    ASSERT_NE(image.GetBits(), nullptr);
    *static_cast<uint32_t*>(image.GetBits()) = 0x00FF0000;
    const std::unique_ptr<IGUIDrawContext> context(image.CreateDrawContext(nullptr));
    EXPECT_EQ(GetPixel(context->GetHDC(), 0, 49), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(context->GetHDC(), 0, 0), RGB(0, 0, 0));
}

TEST(CGUIDIBSection, ZeroOrNegativeSizeHasNoBitmap)
{
    for (const CGUISize size : { CGUISize { 0, 50 }, CGUISize { 50, 0 }, CGUISize { 10, -10 } }) {
        SCOPED_TRACE(testing::Message() << size.width << "x" << size.height);
        CGUIDIBSection image(size, 32);
        EXPECT_EQ(image.GetHandle(), nullptr);
        CGUISize measured { 1, 1 };
        image.GetSize(measured);
        EXPECT_EQ(measured, (CGUISize {}));
        EXPECT_EQ(image.GetBitsPerPixel(), 0);
        EXPECT_EQ(image.GetBits(), nullptr);
        EXPECT_EQ(image.GetShareCount(), 1);
    }
}

TEST(CGUIImage, ClonesShareTheBitmapUntilTheLastLetsGo)
{
    auto* image = new CGUIDIBSection({ 8, 8 }, 24);
    const HBITMAP bitmap = image->GetHandle();
    CCountingListener listener;
    image->GetSharedBitmap()->AddListener(&listener);

    CGUIImage* clone = image->Clone();
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->GetHandle(), bitmap);
    EXPECT_EQ(image->GetShareCount(), 2);
    EXPECT_EQ(clone->GetShareCount(), 2);
    EXPECT_EQ(clone->GetBits(), image->GetBits());
    EXPECT_EQ(listener.count, 1);

    delete clone;
    EXPECT_EQ(image->GetShareCount(), 1);
    EXPECT_TRUE(IsBitmap(bitmap));
    EXPECT_EQ(listener.count, 2);

    image->GetSharedBitmap()->RemoveListener(&listener);
    delete image;
    EXPECT_FALSE(IsBitmap(bitmap));
}

TEST(CGUIImage, SetHandleReleasesTheOldBitmap)
{
    CGUIImage image(CreateBitmap(2, 2, 1, 32, nullptr));
    const HBITMAP old = image.GetHandle();
    const HBITMAP replacement = CreateBitmap(3, 3, 1, 32, nullptr);
    image.SetHandle(replacement);
    EXPECT_FALSE(IsBitmap(old));
    EXPECT_EQ(image.GetHandle(), replacement);
}

TEST(CGUIAttachedBitmap, NeverDeletesTheWrappedBitmap)
{
    const HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, nullptr);
    {
        CGUIAttachedBitmap attached(bitmap);
        EXPECT_EQ(attached.GetHandle(), bitmap);
        EXPECT_EQ(attached.Detach(), bitmap);
        EXPECT_EQ(attached.GetHandle(), nullptr);
    }
    EXPECT_TRUE(IsBitmap(bitmap));
    {
        const CGUIAttachedBitmap forgotten(bitmap);
    }
    EXPECT_TRUE(IsBitmap(bitmap)) << "not detached, still not owned";
    DeleteObject(bitmap);
}

TEST(CGUIMemoryDrawContext, DeletingTheContextFreesTheImageForAnother)
{
    CGUIDIBSection image({ 4, 4 }, 32);
    {
        const std::unique_ptr<IGUIDrawContext> first(image.CreateDrawContext(nullptr));
        EXPECT_EQ(GetCurrentObject(first->GetHDC(), OBJ_BITMAP), image.GetHandle());
        EXPECT_EQ(first->GetImage(), &image);
    }
    const std::unique_ptr<IGUIDrawContext> second(image.CreateDrawContext(nullptr));
    EXPECT_EQ(GetCurrentObject(second->GetHDC(), OBJ_BITMAP), image.GetHandle());
}

TEST(CGUIBitmap, TakesTheDepthOfTheReference)
{
    CGUIDrawContext screen(GetDC(GetDesktopWindow()), GetDesktopWindow());
    CGUIBitmap colour({ 10, 5 }, &screen);
    CGUISize size;
    colour.GetSize(size);
    EXPECT_EQ(size, (CGUISize { 10, 5 }));
    EXPECT_EQ(colour.GetBits(), nullptr);
    EXPECT_GT(colour.GetBitsPerPixel(), 1);

    CGUIBitmap monochrome({ 10, 5 }, nullptr);
    EXPECT_EQ(monochrome.GetBitsPerPixel(), 1);
    CGUIBitmap none({ 0, 5 }, nullptr);
    EXPECT_EQ(none.GetHandle(), nullptr);
}

} // namespace
