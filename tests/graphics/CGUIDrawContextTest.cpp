#include "graphics/CGUIDrawContext.h"
#include "GUITestImage.h"
#include "graphics/CGUIFont.h"
#include "graphics/IGUIPixelAccess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr CGUIColor kWhite { 255, 255, 255 };
constexpr CGUIColor kBlack { 0, 0, 0 };
constexpr CGUIColor kRed { 255, 0, 0 };

// With an origin, the clip and the fill are in logical coordinates: only the
// clip's pixels, moved by the origin, turn red.
TEST(CGUIDrawContext, FillAndClipFollowTheOrigin)
{
    CTestImage canvas(40, 40, 32);
    canvas.Fill(kWhite);
    canvas.Context().FillRectangle({ 2, 3, 4, 5 }, kRed);
    EXPECT_EQ(canvas.Raw(5, 7), 0x00FF0000u);
    canvas.Fill(kWhite);
    canvas.Context().SetOrigin({ 10, 20 });
    canvas.Context().SetClipRect({ 0, 0, 5, 6 });
    CGUIRect clip;
    canvas.Context().GetClipRect(clip);
    EXPECT_EQ(clip, (CGUIRect { 0, 0, 5, 6 }));
    canvas.Context().FillRectangle({ -100, -100, 300, 300 }, kRed);
    for (int32_t y = 0; y < 40; ++y) {
        for (int32_t x = 0; x < 40; ++x) {
            const bool inside = x >= 10 && x < 15 && y >= 20 && y < 26;
            ASSERT_EQ(canvas.At(x, y), inside ? kRed : kWhite) << x << "," << y;
        }
    }
    canvas.Context().IntersectClip({ 1, 1, 100, 100 });
    canvas.Context().GetClipRect(clip);
    EXPECT_EQ(clip, (CGUIRect { 1, 1, 4, 5 }));
}

// Memory pixel access at every depth: straight into memory, through the
// origin, nothing outside the image, nothing once the image lost its memory.
TEST(CGUIDrawContext, PixelsOfAnImageGoStraightToMemory)
{
    const struct {
        int32_t bitsPerPixel;
        uint32_t raw;
        CGUIColor read;
    } cases[] = { { 32, 0x00FF0000u, kRed }, { 24, 0xFF0000u, kRed }, { 16, 0x7C00u, { 248, 0, 0 } } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bitsPerPixel);
        CTestImage canvas(5, 4, c.bitsPerPixel);
        canvas.Fill(kBlack);
        canvas.Context().SetOrigin({ 2, 1 });
        IGUIPixelAccess* pixels = canvas.Context().GetPixels();
        ASSERT_EQ(dynamic_cast<CGUIGdiPixelAccess*>(pixels), nullptr);
        for (const CGUIPoint p : { CGUIPoint { 0, 0 }, CGUIPoint { 100, 0 }, CGUIPoint { -3, 0 } }) {
            pixels->SetPixel(p, kRed);
        }
        CGUIColor read;
        pixels->GetPixel(read, { 0, 0 });
        EXPECT_EQ(read, c.read);
        for (int32_t i = 0; i < 20; ++i) {
            EXPECT_EQ(canvas.Raw(i % 5, i / 5), i == 7 ? c.raw : 0u) << i % 5 << "," << i / 5;
        }
        const HBITMAP bitmap = canvas.Image().GetHandle();
        const auto* bits = static_cast<const uint8_t*>(canvas.Image().GetBits());
        const std::vector<uint8_t> before(bits, bits + 48);
        canvas.Image().SetHandle(nullptr);
        pixels->SetPixel({ 1, 1 }, kRed);
        pixels->GetPixel(read, { 0, 0 });
        EXPECT_EQ(read, kBlack);
        EXPECT_EQ(std::vector<uint8_t>(bits, bits + 48), before);
        DeleteObject(bitmap);
    }
    CGUIDrawContext device(CreateCompatibleDC(nullptr), nullptr);
    EXPECT_NE(dynamic_cast<CGUIGdiPixelAccess*>(device.GetPixels()), nullptr);
}

TEST(CGUIDrawContext, BlitsCopyPlainKeyedAlphaAndStretched)
{
    CTestImage source(4, 4, 32);
    source.Fill(kRed);
    source.Context().FillRectangle({ 0, 0, 2, 4 }, { 0, 255, 0 });
    CTestImage plain(8, 8, 32), keyed(8, 8, 32), stretched(8, 8, 32);
    for (CTestImage* target : { &plain, &keyed, &stretched }) {
        target->Fill(kWhite);
    }
    plain.Context().Blit(source.Context(), { 1, 0 }, { 4, 4 }, { 2, 2 });
    EXPECT_EQ(plain.At(4, 4), (CGUIColor { 0, 255, 0 }));
    EXPECT_EQ(plain.At(5, 5), kRed);
    EXPECT_EQ(plain.At(6, 4), kWhite);
    keyed.Context().BlitTransparent(source.Context(), { 0, 0 }, { 0, 0 }, { 4, 4 }, { 0, 255, 0 });
    EXPECT_EQ(keyed.At(1, 3), kWhite);
    EXPECT_EQ(keyed.At(2, 0), kRed);
    stretched.Context().StretchBlit(source.Context(), { 0, 0, 4, 4 }, { 0, 0, 8, 8 });
    EXPECT_EQ(stretched.At(0, 0), (CGUIColor { 0, 255, 0 }));
    EXPECT_EQ(stretched.At(7, 7), kRed);
    EXPECT_EQ(GetStretchBltMode(stretched.DC()), HALFTONE);

    // Premultiplied half-transparent red over white.
    CTestImage translucent(2, 2, 32), blended(2, 2, 32);
    std::fill_n(static_cast<uint32_t*>(translucent.Image().GetBits()), 4, 0x80800000u);
    blended.Fill(kWhite);
    blended.Context().BlitAlpha(translucent.Context(), { 0, 0 }, { 0, 0 }, { 2, 2 }, 255);
    const CGUIColor mixed = blended.At(1, 1);
    EXPECT_TRUE(std::abs(mixed.red - 255) <= 2 && std::abs(mixed.green - 127) <= 2 && std::abs(mixed.blue - 127) <= 2);
}

TEST(CGUIDrawContext, OriginSavedStatesAndBackground)
{
    CTestImage canvas(4, 4, 32);
    IGUIDrawContext& dc = canvas.Context();
    dc.SetOrigin({ 3, 4 });
    dc.OffsetOrigin({ 1, -1 });
    int32_t token = 0;
    dc.SaveState(token);
    EXPECT_NE(token, 0);
    dc.ResetOrigin();
    CGUIPoint origin;
    dc.GetOrigin(origin);
    EXPECT_EQ(origin, (CGUIPoint {}));
    dc.RestoreState(token);
    dc.GetOrigin(origin);
    EXPECT_EQ(origin, (CGUIPoint { 4, 3 }));

    dc.SetTransparentBackground(false);
    EXPECT_EQ(GetBkMode(canvas.DC()), OPAQUE);
    dc.SetTransparentBackground(true);
    EXPECT_EQ(GetBkMode(canvas.DC()), TRANSPARENT);
    dc.SetBackgroundColor(kRed);
    dc.SetTextColor({ 1, 2, 3 });
    EXPECT_EQ(GetBkColor(canvas.DC()), RGB(255, 0, 0));
    EXPECT_EQ(GetTextColor(canvas.DC()), RGB(1, 2, 3));
}

// Measures text in the font turned by angle (Tahoma, 20 pixels).
CGUISize Extent(IGUIDrawContext& dc, CGUIFont& font, float angle, const char* text)
{
    font.SetAngle(angle);
    dc.Select(font);
    CGUISize size { 5, 5 };
    dc.GetTextExtent(size, text);
    return size;
}

// Extents turn with the font and wrap in a box; wherever the text is turned,
// its ink lies in the rotated bounding box that starts at the rectangle's
// top-left corner.
TEST(CGUIDrawContext, TextExtentsAndRotatedText)
{
    CGUIFont font;
    font.SetFaceName("Tahoma");
    font.SetHeight(-20);
    CTestImage canvas(400, 400, 32);
    IGUIDrawContext& dc = canvas.Context();
    dc.SetTransparentBackground(true);
    dc.SetTextColor(kBlack);
    EXPECT_EQ(Extent(dc, font, 0.0f, nullptr), (CGUISize {}));
    const CGUISize flat = Extent(dc, font, 0.0f, "Rotated text");
    ASSERT_GT(flat.width, flat.height);
    const char* text = "one two three four five six seven";
    const CGUISize line = Extent(dc, font, 0.0f, text);
    CGUISize single, wrapped;
    dc.GetTextBoxSize(single, text, { CGUITextFormat::kSingleLine, 0, 0 }, 60);
    dc.GetTextBoxSize(wrapped, text, { CGUITextFormat::kWordBreak, 0, 0 }, 60);
    EXPECT_EQ(single, line);
    EXPECT_TRUE(wrapped.width <= 60 && wrapped.height >= 3 * line.height);
    const CGUISize turned = Extent(dc, font, 90.0f, "Rotated text");
    EXPECT_TRUE(std::abs(turned.width - flat.height) <= 1 && std::abs(turned.height - flat.width) <= 1);
    CGUISize plain;
    dynamic_cast<CGUIDrawContext&>(dc).GetPlainTextExtent(plain, "Rotated text");
    EXPECT_EQ(plain, flat);

    for (const float angle : { 30.0f, 90.0f, 135.0f, 180.0f, 225.0f, 270.0f, 315.0f }) {
        SCOPED_TRACE(angle);
        canvas.Fill(kWhite);
        const CGUISize box = Extent(dc, font, angle, "Wg Wg Wg");
        dc.DrawString("Wg Wg Wg", { 150, 150, 10, 10 }, {});
        CGUIRect ink { 400, 400, -1, -1 }; // left, top, right, bottom
        for (int32_t i = 0; i < 400 * 400; ++i) {
            if (canvas.At(i % 400, i / 400) != kWhite) {
                ink = { std::min(ink.x, i % 400), std::min(ink.y, i / 400), std::max(ink.width, i % 400),
                    std::max(ink.height, i / 400) };
            }
        }
        ASSERT_GE(ink.width, 0) << "no text drawn";
        EXPECT_TRUE(ink.x >= 147 && ink.y >= 147 && ink.width <= 153 + box.width && ink.height <= 153 + box.height)
            << ink.x << "," << ink.y << " - " << ink.width << "," << ink.height;
    }
}

// The image follows the bitmap selected now; neither it nor a borrowed
// context deletes what it did not create.
TEST(CGUIDrawContext, LeavesWhatItDidNotCreate)
{
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP first = CreateBitmap(4, 4, 1, 32, nullptr), second = CreateBitmap(6, 2, 1, 32, nullptr);
    const HGDIOBJ original = SelectObject(dc, first);
    {
        CGUIDrawContext context(CGUIDrawContext::kBorrow, dc);
        ASSERT_NE(context.GetImage(), nullptr);
        EXPECT_EQ(context.GetImage()->GetHandle(), first);
        SelectObject(dc, second);
        CGUISize size;
        context.GetImage()->GetSize(size);
        EXPECT_EQ(size, (CGUISize { 6, 2 }));
    }
    SelectObject(dc, original);
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(GetObjectType(second), static_cast<DWORD>(OBJ_BITMAP));
    DeleteObject(first);
    DeleteObject(second);
    DeleteDC(dc);
}

} // namespace
