#include "graphics/CGUIAttachedBitmap.h"
#include "graphics/CGUIBitmap.h"
#include "graphics/CGUICursor.h"
#include "graphics/CGUIDIBSection.h"
#include "graphics/CGUIFont.h"
#include "graphics/CGUIMemoryDrawContext.h"
#include "graphics/CGUIRegion.h"

#include "CCountingListener.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <memory>

namespace {

bool IsA(HGDIOBJ object, DWORD type)
{
    return GetObjectType(object) == type;
}

CGUIRect Bounds(const IGUIRegion& region)
{
    CGUIRect bounds { -1, -1, -1, -1 };
    region.GetBounds(bounds);
    return bounds;
}

CGUISize SizeOf(IGUIImage& image)
{
    CGUISize size { -1, -1 };
    image.GetSize(size);
    return size;
}

LOGFONTA Describe(HGDIOBJ font)
{
    LOGFONTA description {};
    EXPECT_EQ(GetObjectA(font, sizeof description, &description), static_cast<int>(sizeof description));
    return description;
}

TEST(CGUIRegion, IntersectOffsetCloneAndBorrow)
{
    const CGUIRegion empty({ 10, 10, 0, 5 });
    EXPECT_EQ(std::pair(empty.IsEmpty(), Bounds(empty)), std::pair(true, CGUIRect {}));
    CGUIRegion region({ 0, 0, 100, 100 });
    CGUIRect bounds;
    region.GetIntersectionBounds(bounds, { 50, 50, 100, 100 });
    EXPECT_EQ(bounds, (CGUIRect { 50, 50, 50, 50 }));
    EXPECT_EQ(Bounds(region), (CGUIRect { 0, 0, 100, 100 })) << "asking changes nothing";

    const std::unique_ptr<CGUIRegion> clone(region.Clone());
    EXPECT_NE(clone->GetHandle(), region.GetHandle());
    clone->IntersectRect({ 90, -10, 50, 30 });
    clone->Offset({ 5, -5 });
    EXPECT_EQ(
        std::pair(Bounds(*clone), Bounds(region)), std::pair(CGUIRect { 95, -5, 10, 20 }, CGUIRect { 0, 0, 100, 100 }));
    clone->IntersectRect({ 0, 0, 5, 5 });
    EXPECT_TRUE(clone->IsEmpty());

    const HRGN native = CreateRectRgn(0, 0, 5, 5);
    EXPECT_EQ(Bounds(CGUIRegion(native, false)), (CGUIRect { 0, 0, 5, 5 }));
    EXPECT_TRUE(IsA(native, OBJ_REGION)) << "a borrowed region is not deleted";
    DeleteObject(native);
}

// Clones share the record (and say so); the last sharer of a system cursor
// leaves it usable.
TEST(CGUICursor, ClonesShareTheRecordAndASystemCursorOutlivesThem)
{
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    const std::unique_ptr<CGUICursor> cursor(LoadSystemCursor(IDC_ARROW));
    EXPECT_EQ(std::pair(cursor->GetHandle(), cursor->GetShareCount()), std::pair(arrow, 1));
    CCountingListener listener(*cursor->GetSharedBitmap());
    {
        const std::unique_ptr<CGUICursor> clone(cursor->Clone());
        EXPECT_EQ(std::pair(clone->GetHandle(), cursor->GetShareCount()), std::pair(arrow, 2));
    }
    EXPECT_EQ(std::pair(listener.count, cursor->GetShareCount()), std::pair(2, 1));
    delete LoadSystemCursor(IDC_ARROW);
    ICONINFO info {};
    ASSERT_TRUE(GetIconInfo(arrow, &info)) << "the system cursor stays usable";
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow);

    // A new handle starts a new record; a detached cursor has none.
    CGUICursor replaced(arrow);
    const std::unique_ptr<CGUICursor> replacedClone(replaced.Clone());
    replaced.SetHandle(LoadCursorA(nullptr, IDC_CROSS));
    EXPECT_EQ(std::tuple(replaced.GetShareCount(), replacedClone->GetShareCount(), replacedClone->GetHandle()),
        std::tuple(1, 1, arrow));

    CGUIAttachedCursor attached(arrow);
    EXPECT_EQ(attached.Detach(), arrow);
    EXPECT_EQ(std::pair(attached.GetHandle(), attached.GetShareCount()), std::pair(HCURSOR {}, 0));
    const std::unique_ptr<CGUICursor> empty(attached.Clone());
    EXPECT_EQ(std::pair(empty->GetHandle(), empty->GetShareCount()), std::pair(HCURSOR {}, 1));
}

TEST(CGUIDIBSection, BottomUpMemoryAndNoBitmapForAnEmptySize)
{
    CGUIDIBSection image({ 100, 50 }, 32);
    EXPECT_EQ(std::pair(SizeOf(image), image.GetBitsPerPixel()), std::pair(CGUISize { 100, 50 }, 32));
    *static_cast<uint32_t*>(image.GetBits()) = 0x00FF0000;
    {
        const std::unique_ptr<IGUIDrawContext> context(image.CreateDrawContext(nullptr));
        EXPECT_EQ(std::pair(GetPixel(context->GetHDC(), 0, 49), GetPixel(context->GetHDC(), 0, 0)),
            std::pair(RGB(255, 0, 0), RGB(0, 0, 0)));
        EXPECT_EQ(context->GetImage(), &image);
    }
    // The first context let the image go: a second one can select it.
    const std::unique_ptr<IGUIDrawContext> second(image.CreateDrawContext(nullptr));
    EXPECT_EQ(GetCurrentObject(second->GetHDC(), OBJ_BITMAP), image.GetHandle());

    for (const CGUISize size : { CGUISize { 0, 50 }, CGUISize { 50, 0 }, CGUISize { 10, -10 } }) {
        SCOPED_TRACE(testing::Message() << size.width << "x" << size.height);
        CGUIDIBSection empty(size, 32);
        EXPECT_EQ(std::tuple(empty.GetHandle(), SizeOf(empty), empty.GetBitsPerPixel(), empty.GetBits()),
            std::tuple(HBITMAP {}, CGUISize {}, 0, static_cast<void*>(nullptr)));
    }
}

TEST(CGUIImage, ClonesShareTheBitmapUntilTheLastLetsGo)
{
    auto* image = new CGUIDIBSection({ 8, 8 }, 24);
    const HBITMAP bitmap = image->GetHandle();
    {
        CCountingListener listener(*image->GetSharedBitmap());
        CGUIImage* clone = image->Clone();
        EXPECT_EQ(std::tuple(clone->GetHandle(), clone->GetShareCount(), clone->GetBits()),
            std::tuple(bitmap, 2, image->GetBits()));
        delete clone;
        EXPECT_EQ(std::tuple(image->GetShareCount(), IsA(bitmap, OBJ_BITMAP), listener.count), std::tuple(1, true, 2));
    }
    delete image;
    EXPECT_FALSE(IsA(bitmap, OBJ_BITMAP));

    CGUIImage replaced(CreateBitmap(2, 2, 1, 32, nullptr));
    const HBITMAP old = replaced.GetHandle();
    replaced.SetHandle(CreateBitmap(3, 3, 1, 32, nullptr));
    EXPECT_FALSE(IsA(old, OBJ_BITMAP));

    const HBITMAP wrapped = CreateBitmap(2, 2, 1, 32, nullptr);
    for (const bool detach : { true, false }) {
        CGUIAttachedBitmap attached(wrapped);
        if (detach) {
            EXPECT_EQ(attached.Detach(), wrapped);
            EXPECT_EQ(attached.GetHandle(), nullptr);
        }
    }
    EXPECT_TRUE(IsA(wrapped, OBJ_BITMAP)) << "an attached bitmap is never deleted";
    DeleteObject(wrapped);
}

TEST(CGUIBitmap, TakesTheDepthOfTheReference)
{
    CGUIDrawContext screen(GetDC(GetDesktopWindow()), GetDesktopWindow());
    CGUIBitmap colour({ 10, 5 }, &screen);
    EXPECT_EQ(SizeOf(colour), (CGUISize { 10, 5 }));
    EXPECT_EQ(colour.GetBits(), nullptr);
    EXPECT_GT(colour.GetBitsPerPixel(), 1);
    EXPECT_EQ(std::pair(CGUIBitmap({ 10, 5 }, nullptr).GetBitsPerPixel(), CGUIBitmap({ 0, 5 }, nullptr).GetHandle()),
        std::pair(1, HBITMAP {}));
}

// Angles in tenths of a degree (saturated, non-finite ignored), face names cut
// to the native length, qualities mapped both ways; only changes notify.
TEST(CGUIFontDescription, MapsToTheNativeDescriptionAndNotifiesChanges)
{
    CGUIFontDescription description;
    CCountingListener listener(description.GetChangedNotifier());
    const LOGFONTA& native = description.GetDescription();
    EXPECT_EQ(
        std::pair(native.lfCharSet, native.lfQuality), std::pair(BYTE(DEFAULT_CHARSET), BYTE(ANTIALIASED_QUALITY)));
    EXPECT_STREQ(description.GetFaceName(), "");
    for (int round = 0; round < 2; ++round) { // the second round changes nothing
        description.SetWeight(700);
        description.SetItalic(true);
        description.SetFaceName("0123456789012345678901234567890123456789");
    }
    description.SetQuality(1); // already anti-aliased
    EXPECT_STREQ(description.GetFaceName(), "0123456789012345678901234567890");
    description.SetAngle(12.34f);
    EXPECT_EQ(native.lfEscapement, 123);
    description.SetAngle(90.0f);
    EXPECT_EQ(std::pair(native.lfOrientation, description.GetAngle()), std::pair(LONG(900), 90.0f));
    EXPECT_EQ(listener.count, 5);
    description.SetAngle(std::numeric_limits<float>::quiet_NaN());
    description.SetAngle(std::numeric_limits<float>::infinity());
    EXPECT_EQ(listener.count, 5) << "a non-finite angle changes nothing";
    description.SetAngle(1e30f);
    EXPECT_EQ(native.lfEscapement, std::numeric_limits<LONG>::max());
    description.SetFaceName(nullptr);
    EXPECT_STREQ(description.GetFaceName(), "");

    // Set, stored, read back.
    for (const auto& [set, stored, read] :
        { std::tuple<int32_t, BYTE, int32_t> { 1, ANTIALIASED_QUALITY, 1 }, { 2, CLEARTYPE_QUALITY, 2 },
            { 3, NONANTIALIASED_QUALITY, 3 }, { 0, DEFAULT_QUALITY, 0 }, { 9, DEFAULT_QUALITY, 0 } }) {
        description.SetQuality(set);
        EXPECT_EQ(std::pair(native.lfQuality, description.GetQuality()), std::pair(stored, read)) << set;
    }
}

TEST(CGUIFont, HandleIsRemadeOnlyAfterAChangeAndClonesHaveTheirOwn)
{
    CGUIFont font;
    font.SetFaceName("Tahoma");
    const HGDIOBJ first = font.GetHandle();
    EXPECT_EQ(font.GetHandle(), first);
    font.SetWeight(FW_BOLD);
    const HGDIOBJ second = font.GetHandle();
    EXPECT_EQ(std::pair(Describe(second).lfWeight, font.GetHandle()), std::pair(LONG(FW_BOLD), second));

    CGUIFont* clone = font.Clone();
    EXPECT_NE(clone->GetHandle(), second);
    EXPECT_EQ(Describe(clone->GetHandle()).lfWeight, FW_BOLD);
    delete clone;
    EXPECT_EQ(Describe(font.GetHandle()).lfWeight, FW_BOLD) << "the clone's handle was its own";

    IGUIGraphicsObject& stock = GetDefaultFont();
    EXPECT_EQ(std::pair(stock.GetHandle(), &GetDefaultFont()), std::pair(GetStockObject(DEFAULT_GUI_FONT), &stock));
    const std::unique_ptr<IGUIGraphicsObject> stockClone(stock.Clone());
    EXPECT_NE(stockClone->GetHandle(), stock.GetHandle());
}

// Attach reads the description, Detach hands the font back; CopyFrom and
// Assign take the other font's description.
TEST(CGUIFont, AttachDetachCopyAndAssign)
{
    LOGFONTA description {};
    description.lfHeight = -20;
    description.lfItalic = 1;
    std::strcpy(description.lfFaceName, "Tahoma");
    const HFONT native = CreateFontIndirectA(&description);
    {
        CGUIFont font(native);
        EXPECT_EQ(std::pair(font.GetHeight(), font.IsItalic()), std::pair(-20, true));
        EXPECT_STREQ(font.GetFaceName(), "Tahoma");
        EXPECT_EQ(font.Detach(), native);
        EXPECT_EQ(font.GetHandle(), nullptr);
    }
    EXPECT_TRUE(IsA(native, OBJ_FONT)) << "a detached font is the caller's";
    DeleteObject(native);

    CGUIFont source;
    source.SetFaceName("Tahoma");
    source.SetHeight(-17);
    source.SetUnderline(true);
    source.SetAngle(45.0f);
    CGUIFont copied;
    copied.CopyFrom(source);
    EXPECT_EQ(std::pair(copied.GetHeight(), copied.IsUnderline()), std::pair(-17, true));
    EXPECT_NE(copied.GetHandle(), source.GetHandle());

    CGUIFont assigned;
    CCountingListener listener(assigned.GetChangedNotifier());
    assigned.Assign(static_cast<const CGUIFontDescription*>(&source));
    EXPECT_STREQ(assigned.GetFaceName(), "Tahoma");
    EXPECT_EQ(std::pair(assigned.GetAngle(), listener.count), std::pair(45.0f, 4)) << "angle, face, height, underline";
    EXPECT_EQ(Describe(assigned.GetHandle()).lfHeight, -17);

    CGUIFont empty;
    copied.CopyFrom(empty);
    EXPECT_EQ(copied.GetHeight(), 0) << "a font without a native font copies the defaults";
}

} // namespace
