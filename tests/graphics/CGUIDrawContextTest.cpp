#include "graphics/CGUIDrawContext.h"
#include "GUITestImage.h"
#include "graphics/CGUIAttachedBitmap.h"
#include "graphics/CGUIFont.h"
#include "graphics/IGUIPixelAccess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr CGUIColor kWhite { 255, 255, 255 };
constexpr CGUIColor kBlack { 0, 0, 0 };
constexpr CGUIColor kRed { 255, 0, 0 };

TEST(CGUIDrawContext, FillRectangleCoversTheNativeRectangle)
{
    CTestImage canvas(20, 10, 32);
    canvas.Fill(kWhite);
    canvas.Context().FillRectangle({ 2, 3, 4, 5 }, kRed);
    EXPECT_EQ(canvas.Raw(2, 3), 0x00FF0000u);
    EXPECT_EQ(canvas.Raw(5, 7), 0x00FF0000u);
    EXPECT_EQ(canvas.At(6, 7), kWhite);
    EXPECT_EQ(canvas.At(5, 8), kWhite);
    EXPECT_EQ(canvas.At(1, 3), kWhite);
}

TEST(CGUIDrawContext, PixelsOfA32BitImageGoStraightToMemory)
{
    CTestImage canvas(8, 8, 32);
    canvas.Fill(kWhite);
    IGUIPixelAccess* pixels = canvas.Context().GetPixels();
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(dynamic_cast<CGUIGdiPixelAccess*>(pixels), nullptr);
    pixels->SetPixel({ 1, 2 }, kRed);
    EXPECT_EQ(canvas.Raw(1, 2), 0x00FF0000u);
    CGUIColor read;
    pixels->GetPixel(read, { 1, 2 });
    EXPECT_EQ(read, kRed);
    EXPECT_EQ(GetPixel(canvas.DC(), 1, 2), RGB(255, 0, 0));
}

TEST(CGUIDrawContext, SixteenBitPixelsKeepFiveBitsPerComponent)
{
    CTestImage canvas(3, 3, 16);
    canvas.Fill(kBlack);
    IGUIPixelAccess* pixels = canvas.Context().GetPixels();
    pixels->SetPixel({ 2, 0 }, kWhite);
    EXPECT_EQ(canvas.Raw(2, 0), 0x7FFFu);
    CGUIColor read;
    pixels->GetPixel(read, { 2, 0 });
    EXPECT_EQ(read, (CGUIColor { 248, 248, 248 }));
}

TEST(CGUIDrawContext, MemoryPixelsFollowTheOrigin)
{
    CTestImage canvas(5, 4, 24);
    canvas.Fill(kBlack);
    canvas.Context().SetOrigin({ 2, 1 });
    IGUIPixelAccess* pixels = canvas.Context().GetPixels();
    pixels->SetPixel({ 0, 0 }, { 1, 2, 3 });
    EXPECT_EQ(canvas.At(2, 1), (CGUIColor { 1, 2, 3 }));
    pixels->SetPixel({ 100, 0 }, kWhite);
    pixels->SetPixel({ -3, 0 }, kWhite);
    for (int32_t y = 0; y < 4; ++y) {
        for (int32_t x = 0; x < 5; ++x) {
            if (x != 2 || y != 1) {
                EXPECT_EQ(canvas.At(x, y), kBlack) << x << "," << y;
            }
        }
    }
}

TEST(CGUIDrawContext, PixelsOfADeviceWithoutImageMemoryUseThePlatform)
{
    CGUIDrawContext context(CreateCompatibleDC(nullptr), nullptr);
    EXPECT_NE(dynamic_cast<CGUIGdiPixelAccess*>(context.GetPixels()), nullptr);
}

TEST(CGUIDrawContext, MemoryPixelsDoNotWriteOnceTheImageLostItsMemory)
{
    CTestImage canvas(4, 4, 32);
    canvas.Fill(kBlack);
    const HBITMAP bitmap = canvas.Image().GetHandle();
    auto* bits = static_cast<uint32_t*>(canvas.Image().GetBits());
    IGUIPixelAccess* pixels = canvas.Context().GetPixels();
    // The bitmap stays selected (and alive) in the context, but the image no
    // longer has it.
    canvas.Image().SetHandle(nullptr);
    pixels->SetPixel({ 0, 3 }, kWhite);
    CGUIColor read { 1, 1, 1 };
    pixels->GetPixel(read, { 0, 3 });
    EXPECT_EQ(read, kBlack);
    EXPECT_EQ(bits[0], 0u);
    DeleteObject(bitmap);
}

TEST(CGUIDrawContext, BlitsCopyPlainKeyedAlphaAndStretched)
{
    CTestImage source(4, 4, 32);
    source.Fill(kRed);
    source.Context().FillRectangle({ 0, 0, 2, 4 }, { 0, 255, 0 });

    CTestImage plain(8, 8, 32);
    plain.Fill(kWhite);
    plain.Context().Blit(source.Context(), { 1, 0 }, { 4, 4 }, { 2, 2 });
    EXPECT_EQ(plain.At(4, 4), (CGUIColor { 0, 255, 0 }));
    EXPECT_EQ(plain.At(5, 5), kRed);
    EXPECT_EQ(plain.At(6, 4), kWhite);

    CTestImage keyed(8, 8, 32);
    keyed.Fill(kWhite);
    keyed.Context().BlitTransparent(source.Context(), { 0, 0 }, { 0, 0 }, { 4, 4 }, { 0, 255, 0 });
    EXPECT_EQ(keyed.At(0, 0), kWhite);
    EXPECT_EQ(keyed.At(1, 3), kWhite);
    EXPECT_EQ(keyed.At(2, 0), kRed);

    // Premultiplied half-transparent red over white.
    CTestImage translucent(2, 2, 32);
    auto* bits = static_cast<uint32_t*>(translucent.Image().GetBits());
    std::fill(bits, bits + 4, 0x80800000u);
    CTestImage blended(2, 2, 32);
    blended.Fill(kWhite);
    blended.Context().BlitAlpha(translucent.Context(), { 0, 0 }, { 0, 0 }, { 2, 2 }, 255);
    const CGUIColor mixed = blended.At(1, 1);
    EXPECT_NEAR(mixed.red, 255, 2);
    EXPECT_NEAR(mixed.green, 127, 2);
    EXPECT_NEAR(mixed.blue, 127, 2);

    CTestImage stretched(8, 8, 32);
    stretched.Fill(kWhite);
    stretched.Context().StretchBlit(source.Context(), { 0, 0, 4, 4 }, { 0, 0, 8, 8 });
    EXPECT_EQ(stretched.At(0, 0), (CGUIColor { 0, 255, 0 }));
    EXPECT_EQ(stretched.At(7, 7), kRed);
    EXPECT_EQ(GetStretchBltMode(stretched.DC()), HALFTONE);
}

TEST(CGUIDrawContext, EmptyContextSkipsBlits)
{
    CTestImage source(2, 2, 32);
    CGUIDrawContext empty(nullptr, nullptr);
    empty.Blit(source.Context(), {}, {}, { 2, 2 });
    empty.BlitAlpha(source.Context(), {}, {}, { 2, 2 }, 128);
    EXPECT_EQ(empty.GetHDC(), nullptr);
}

TEST(CGUIDrawContext, ClipAfterOriginMatchesTheMovedClipWithoutOrigin)
{
    CTestImage moved(40, 40, 32);
    moved.Fill(kWhite);
    moved.Context().SetOrigin({ 10, 20 });
    moved.Context().SetClipRect({ 0, 0, 5, 6 });
    CGUIRect clip;
    moved.Context().GetClipRect(clip);
    EXPECT_EQ(clip, (CGUIRect { 0, 0, 5, 6 }));
    moved.Context().FillRectangle({ -100, -100, 300, 300 }, kRed);

    CTestImage plain(40, 40, 32);
    plain.Fill(kWhite);
    plain.Context().SetClipRect({ 10, 20, 5, 6 });
    plain.Context().FillRectangle({ 0, 0, 40, 40 }, kRed);

    int32_t red = 0;
    for (int32_t y = 0; y < 40; ++y) {
        for (int32_t x = 0; x < 40; ++x) {
            ASSERT_EQ(moved.At(x, y), plain.At(x, y)) << x << "," << y;
            red += moved.At(x, y) == kRed ? 1 : 0;
        }
    }
    EXPECT_EQ(red, 30);
    EXPECT_EQ(moved.At(10, 20), kRed);

    moved.Context().IntersectClip({ 1, 1, 100, 100 });
    moved.Context().GetClipRect(clip);
    EXPECT_EQ(clip, (CGUIRect { 1, 1, 4, 5 }));
}

TEST(CGUIDrawContext, OriginAndSavedStates)
{
    CTestImage canvas(4, 4, 32);
    IGUIDrawContext& dc = canvas.Context();
    dc.SetOrigin({ 3, 4 });
    dc.OffsetOrigin({ 1, -1 });
    CGUIPoint origin;
    dc.GetOrigin(origin);
    EXPECT_EQ(origin, (CGUIPoint { 4, 3 }));
    int32_t token = 0;
    dc.SaveState(token);
    EXPECT_NE(token, 0);
    dc.ResetOrigin();
    dc.GetOrigin(origin);
    EXPECT_EQ(origin, (CGUIPoint {}));
    dc.RestoreState(token);
    dc.GetOrigin(origin);
    EXPECT_EQ(origin, (CGUIPoint { 4, 3 }));
}

TEST(CGUIDrawContext, BackgroundModes)
{
    CTestImage canvas(2, 2, 32);
    canvas.Context().SetTransparentBackground(false);
    EXPECT_EQ(GetBkMode(canvas.DC()), OPAQUE);
    canvas.Context().SetTransparentBackground(true);
    EXPECT_EQ(GetBkMode(canvas.DC()), TRANSPARENT);
    canvas.Context().SetBackgroundColor(kRed);
    EXPECT_EQ(GetBkColor(canvas.DC()), RGB(255, 0, 0));
    canvas.Context().SetTextColor({ 1, 2, 3 });
    EXPECT_EQ(GetTextColor(canvas.DC()), RGB(1, 2, 3));
}

class CTextTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_font.SetFaceName("Tahoma");
        m_font.SetHeight(-20);
        m_canvas.Fill(kWhite);
        m_canvas.Context().SetTransparentBackground(true);
        m_canvas.Context().SetTextColor(kBlack);
    }

    void SelectAngle(float degrees)
    {
        m_font.SetAngle(degrees);
        m_canvas.Context().Select(m_font);
    }

    CGUIFont m_font;
    CTestImage m_canvas { 400, 400, 32 };
};

TEST_F(CTextTest, NullTextMeasuresNothing)
{
    CGUISize size { 5, 5 };
    m_canvas.Context().GetTextExtent(size, nullptr);
    EXPECT_EQ(size, (CGUISize {}));
}

TEST_F(CTextTest, QuarterTurnSwapsTheExtent)
{
    SelectAngle(0.0f);
    CGUISize flat;
    m_canvas.Context().GetTextExtent(flat, "Rotated text");
    ASSERT_GT(flat.width, flat.height);
    SelectAngle(90.0f);
    CGUISize turned;
    m_canvas.Context().GetTextExtent(turned, "Rotated text");
    EXPECT_NEAR(turned.width, flat.height, 1);
    EXPECT_NEAR(turned.height, flat.width, 1);
    CGUISize plain;
    dynamic_cast<CGUIDrawContext&>(m_canvas.Context()).GetPlainTextExtent(plain, "Rotated text");
    EXPECT_EQ(plain, flat);
}

TEST_F(CTextTest, TextBoxSizeWrapsOnlyMultiLineHorizontalText)
{
    SelectAngle(0.0f);
    const char* text = "one two three four five six seven";
    CGUISize extent;
    m_canvas.Context().GetTextExtent(extent, text);
    CGUISize single;
    m_canvas.Context().GetTextBoxSize(single, text, { CGUITextFormat::kSingleLine, 0, 0 }, 60);
    EXPECT_EQ(single, extent);
    CGUISize wrapped;
    m_canvas.Context().GetTextBoxSize(wrapped, text, { CGUITextFormat::kWordBreak, 0, 0 }, 60);
    EXPECT_LE(wrapped.width, 60);
    EXPECT_GE(wrapped.height, 3 * extent.height);
}

// Wherever the text is turned, its ink lies in the rotated bounding box that
// starts at the rectangle's top-left corner.
TEST_F(CTextTest, RotatedTextStartsAtTheRectangleCorner)
{
    for (const float angle : { 30.0f, 90.0f, 135.0f, 180.0f, 225.0f, 270.0f, 315.0f }) {
        SCOPED_TRACE(angle);
        m_canvas.Fill(kWhite);
        SelectAngle(angle);
        CGUISize box;
        m_canvas.Context().GetTextExtent(box, "Wg Wg Wg");
        m_canvas.Context().DrawString("Wg Wg Wg", { 150, 150, 10, 10 }, {});
        int32_t left = 400, top = 400, right = -1, bottom = -1;
        for (int32_t y = 0; y < 400; ++y) {
            for (int32_t x = 0; x < 400; ++x) {
                if (m_canvas.At(x, y) != kWhite) {
                    left = std::min(left, x);
                    top = std::min(top, y);
                    right = std::max(right, x);
                    bottom = std::max(bottom, y);
                }
            }
        }
        ASSERT_GE(right, 0) << "no text drawn";
        constexpr int32_t kSlack = 3;
        EXPECT_GE(left, 150 - kSlack);
        EXPECT_GE(top, 150 - kSlack);
        EXPECT_LE(right, 150 + box.width + kSlack);
        EXPECT_LE(bottom, 150 + box.height + kSlack);
    }
}

TEST(CGUIDrawContext, GetImageFollowsTheSelectedBitmapWithoutOwningIt)
{
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP first = CreateBitmap(4, 4, 1, 32, nullptr);
    const HBITMAP second = CreateBitmap(6, 2, 1, 32, nullptr);
    const HGDIOBJ original = SelectObject(dc, first);
    {
        CGUIDrawContext context(dc, nullptr);
        IGUIImage* image = context.GetImage();
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->GetHandle(), first);
        SelectObject(dc, second);
        IGUIImage* again = context.GetImage();
        EXPECT_EQ(again->GetHandle(), second);
        CGUISize size;
        again->GetSize(size);
        EXPECT_EQ(size, (CGUISize { 6, 2 }));
        SelectObject(dc, original);
    }
    EXPECT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(GetObjectType(second), static_cast<DWORD>(OBJ_BITMAP));
    DeleteObject(first);
    DeleteObject(second);
}

TEST(CGUIDrawContext, BorrowedContextLeavesTheDeviceContextAlone)
{
    const HDC dc = CreateCompatibleDC(nullptr);
    {
        CGUIDrawContext context(CGUIDrawContext::kBorrow, dc);
        EXPECT_EQ(context.GetHDC(), dc);
    }
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
    DeleteDC(dc);
}

} // namespace
