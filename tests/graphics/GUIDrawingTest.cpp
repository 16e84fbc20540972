#include "GUITestImage.h"
#include "graphics/CGUIBitmap.h"
#include "graphics/CGUIDIBPen.h"
#include "graphics/CGUIDrawContext.h"
#include "graphics/CGUIFont.h"
#include "graphics/IGUIPixelAccess.h"
#include "graphics/TGUIPixelSurface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr CGUIColor kWhite { 255, 255, 255 }, kBlack { 0, 0, 0 }, kRed { 255, 0, 0 }, kGreen { 0, 255, 0 };

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
    for (int32_t i = 0; i < 40 * 40; ++i) {
        const int32_t x = i % 40, y = i / 40;
        ASSERT_EQ(canvas.At(x, y), x >= 10 && x < 15 && y >= 20 && y < 26 ? kRed : kWhite) << x << "," << y;
    }
    canvas.Context().IntersectClip({ 1, 1, 100, 100 });
    canvas.Context().GetClipRect(clip);
    EXPECT_EQ(clip, (CGUIRect { 1, 1, 4, 5 }));
}

// Memory pixel access at every depth: straight into memory, through the
// origin, nothing outside the image, nothing once the image lost its memory.
TEST(CGUIDrawContext, PixelsOfAnImageGoStraightToMemory)
{
    // Depth, red as stored, red as read back.
    for (const auto& [depth, raw, red] :
        { std::tuple { 32, 0x00FF0000u, kRed }, { 24, 0xFF0000u, kRed }, { 16, 0x7C00u, CGUIColor { 248, 0, 0 } } }) {
        SCOPED_TRACE(depth);
        CTestImage canvas(5, 4, depth);
        canvas.Fill(kBlack);
        canvas.Context().SetOrigin({ 2, 1 });
        IGUIPixelAccess* pixels = canvas.Context().GetPixels();
        ASSERT_EQ(dynamic_cast<CGUIGdiPixelAccess*>(pixels), nullptr);
        for (const CGUIPoint p : { CGUIPoint { 0, 0 }, CGUIPoint { 100, 0 }, CGUIPoint { -3, 0 } }) {
            pixels->SetPixel(p, kRed);
        }
        CGUIColor read;
        pixels->GetPixel(read, { 0, 0 });
        EXPECT_EQ(read, red);
        for (int32_t i = 0; i < 20; ++i) {
            EXPECT_EQ(canvas.Raw(i % 5, i / 5), i == 7 ? raw : 0u) << i % 5 << "," << i / 5;
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
    CTestImage source(4, 4, 32), plain(8, 8, 32), keyed(8, 8, 32), stretched(8, 8, 32);
    source.Fill(kRed);
    source.Context().FillRectangle({ 0, 0, 2, 4 }, kGreen);
    for (CTestImage* target : { &plain, &keyed, &stretched }) {
        target->Fill(kWhite);
    }
    plain.Context().Blit(source.Context(), { 1, 0 }, { 4, 4 }, { 2, 2 });
    keyed.Context().BlitTransparent(source.Context(), { 0, 0 }, { 0, 0 }, { 4, 4 }, kGreen);
    stretched.Context().StretchBlit(source.Context(), { 0, 0, 4, 4 }, { 0, 0, 8, 8 });
    EXPECT_EQ((std::vector { plain.At(4, 4), plain.At(5, 5), plain.At(6, 4), keyed.At(1, 3), keyed.At(2, 0),
                  stretched.At(0, 0), stretched.At(7, 7) }),
        (std::vector { kGreen, kRed, kWhite, kWhite, kRed, kGreen, kRed }));
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
    CGUIPoint reset, restored;
    dc.GetOrigin(reset);
    dc.RestoreState(token);
    dc.GetOrigin(restored);
    EXPECT_EQ((std::vector { reset, restored }), (std::vector<CGUIPoint> { {}, { 4, 3 } }));

    dc.SetTransparentBackground(false);
    EXPECT_EQ(GetBkMode(canvas.DC()), OPAQUE);
    dc.SetTransparentBackground(true);
    dc.SetBackgroundColor(kRed);
    dc.SetTextColor({ 1, 2, 3 });
    EXPECT_EQ(std::tuple(GetBkMode(canvas.DC()), GetBkColor(canvas.DC()), GetTextColor(canvas.DC())),
        std::tuple(TRANSPARENT, RGB(255, 0, 0), RGB(1, 2, 3)));
}

// Measures text in the font turned by angle.
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
    CGUISize single, wrapped, plain;
    dc.GetTextBoxSize(single, text, { CGUITextFormat::kSingleLine, 0, 0 }, 60);
    dc.GetTextBoxSize(wrapped, text, { CGUITextFormat::kWordBreak, 0, 0 }, 60);
    EXPECT_EQ(single, line);
    EXPECT_TRUE(wrapped.width <= 60 && wrapped.height >= 3 * line.height);
    const CGUISize turned = Extent(dc, font, 90.0f, "Rotated text");
    EXPECT_TRUE(std::abs(turned.width - flat.height) <= 1 && std::abs(turned.height - flat.width) <= 1);
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
    EXPECT_EQ((std::vector { GetObjectType(dc), GetObjectType(first), GetObjectType(second) }),
        (std::vector<DWORD> { OBJ_MEMDC, OBJ_BITMAP, OBJ_BITMAP }));
    DeleteObject(first);
    DeleteObject(second);
    DeleteDC(dc);
}

// Whole-pixel lines: a context over a screen-compatible bitmap (no pixel
// memory) makes platform pens that honour the style; a DIB section's pens
// draw solid 1-pixel lines whatever the style and width. The end pixel stays out.
TEST(CGUIPen, StylesOnThePlatformAndSolidInMemory)
{
    const struct {
        int32_t style;
        bool memory = false, solid = true;
    } cases[] = { { 0 }, { 7 }, { -1 }, { 1, false, false }, { 2, false, false }, { 1, true } };
    CGUIDrawContext screen(GetDC(GetDesktopWindow()), GetDesktopWindow());
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << (c.memory ? " in memory" : " on the platform"));
        CTestImage image(64, 16, 32);
        CGUIBitmap bitmap({ 64, 16 }, &screen);
        const std::unique_ptr<IGUIDrawContext> platform(bitmap.CreateDrawContext(nullptr));
        IGUIDrawContext& context = c.memory ? image.Context() : *platform;
        context.FillRectangle({ 0, 0, 64, 16 }, kWhite);
        const std::unique_ptr<IGUIPen> pen(
            context.CreatePen(kBlack, c.style, c.memory ? CGUISize { 5, 5 } : CGUISize { 1, 1 }));
        EXPECT_EQ(dynamic_cast<CGUIDIBPen32*>(pen.get()) != nullptr, c.memory);
        pen->DrawLine({ 0, 5 }, { 60, 5 });
        pen->DrawPoint({ 3, 9 });
        int32_t gaps = 0;
        for (int32_t x = 0; x <= 60; ++x) {
            gaps += GetPixel(context.GetHDC(), x, 5) == RGB(255, 255, 255) ? 1 : 0;
            if (c.memory) {
                EXPECT_TRUE(image.At(x, 4) == kWhite && image.At(x, 6) == kWhite) << x;
            }
        }
        EXPECT_EQ(GetPixel(context.GetHDC(), 60, 5), RGB(255, 255, 255));
        EXPECT_EQ(gaps == 1, c.solid);
        if (c.memory) {
            EXPECT_TRUE(image.At(3, 9) == kBlack && image.At(3, 10) == kWhite);
        }
    }
}

TEST(CGUIPen, OperationsLeaveThePreviousPenSelected)
{
    CTestImage canvas(8, 8, 32);
    const HPEN mine = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    const HGDIOBJ original = SelectObject(canvas.DC(), mine);
    {
        CGUIPen pen(canvas.DC(), kBlack, 0, { 1, 1 });
        const CGUIPoint points[] = { { 1, 1 }, { 5, 1 }, { 5, 5 } };
        pen.DrawPolyline(points, 1);
        pen.DrawPolyline(points, 3);
        pen.DrawLine(CGUIPointF { 0.5f, 0.5f }, CGUIPointF { 7.0f, 3.0f });
        pen.DrawPoint(CGUIPointF { 2.0f, 6.0f });
        EXPECT_EQ(GetCurrentObject(canvas.DC(), OBJ_PEN), mine);
        EXPECT_EQ(canvas.At(5, 3), kBlack) << "the polyline was drawn";
    }
    SelectObject(canvas.DC(), original);
    DeleteObject(mine);
}

TEST(CGUIDIBPen, PointsAreUnblendedInsideTheClipAndNothingIsDrawnWithoutMemory)
{
    CTestImage canvas(10, 10, 32);
    canvas.Fill(kWhite);
    canvas.Context().SetOrigin({ 2, 3 });
    canvas.Context().SetClipRect({ 0, 0, 4, 4 });
    const std::unique_ptr<IGUISmoothPen> pen(canvas.Context().CreateSmoothPen({ 9, 8, 7 }));
    for (const CGUIPointF point :
        { CGUIPointF { 3.9f, 0.2f }, CGUIPointF { 4.0f, 0.0f }, CGUIPointF { -1.0f, 0.0f } }) {
        pen->DrawPoint(point);
    }
    EXPECT_EQ((std::vector { canvas.At(5, 3), canvas.At(6, 3), canvas.At(1, 3) }),
        (std::vector<CGUIColor> { { 9, 8, 7 }, kWhite, kWhite }));

    // The bitmap stays selected (and alive) in the context, but the image no
    // longer has it.
    const HBITMAP bitmap = canvas.Image().GetHandle();
    auto* bits = static_cast<uint32_t*>(canvas.Image().GetBits());
    const std::vector<uint32_t> before(bits, bits + 100);
    canvas.Image().SetHandle(nullptr);
    canvas.Context().SetClipRect({ -2, -3, 10, 10 });
    pen->DrawLine({ 0.0f, 0.0f }, { 7.0f, 6.0f });
    const CGUIPointF points[] = { { 0.0f, 4.0f }, { 7.0f, 4.0f }, { 7.0f, 0.0f } };
    pen->DrawPolyline(points, 3);
    pen->DrawPoint({ 1.0f, 1.0f });
    EXPECT_EQ(std::vector<uint32_t>(bits, bits + 100), before);
    DeleteObject(bitmap);
}

// What the line core leaves in plain memory of the depth, 80 x 80 pixels.
template <class TFormat>
std::vector<CGUIColor> DrawReference(
    const std::vector<std::pair<CGUIPointF, CGUIPointF>>& segments, CGUIColor background, CGUIColor ink)
{
    std::vector<uint32_t> bits(80 * 80);
    TGUIPixelSurface<TFormat> surface(bits.data(), 80, 80, TFormat::RowLength(80));
    for (int32_t i = 0; i < 80 * 80; ++i) {
        surface.SetColor(i % 80, i / 80, background);
    }
    // The context's origin (3, -2) and clip (2, 4) - (72, 64), in device pixels.
    for (const auto& [from, to] : segments) {
        surface.DrawSmoothLine({ from.x + 3, from.y - 2 }, { to.x + 3, to.y - 2 }, ink, { 5, 74, 2, 61 });
    }
    std::vector<CGUIColor> colors;
    for (int32_t i = 0; i < 80 * 80; ++i) {
        colors.push_back(surface.GetColor(i % 80, i / 80));
    }
    return colors;
}

// The anti-aliased back ends (the platform's GetPixel/SetPixel and runs, and
// the memory pens of each depth) through a context with an origin and a clip
// must leave exactly what the line core leaves in plain memory of that depth.
TEST(CGUIPen, SmoothBackEndsLeaveWhatTheLineCoreLeaves)
{
    // Random segments; every fourth is whole-pixel horizontal or vertical and
    // takes the run path. The last two are drawn as one polyline.
    std::mt19937 random(20240601);
    std::uniform_real_distribution<float> coordinate(-20.0f, 100.0f);
    std::uniform_int_distribution<int> whole(-5, 85);
    std::vector<std::pair<CGUIPointF, CGUIPointF>> segments;
    for (int i = 0; i < 120; ++i) {
        const auto a = static_cast<float>(whole(random)), b = static_cast<float>(whole(random)),
                   c = static_cast<float>(whole(random));
        segments.push_back(i % 8 == 0 ? std::pair { CGUIPointF { a, c }, CGUIPointF { b, c } }
                : i % 4 == 0          ? std::pair { CGUIPointF { c, a }, CGUIPointF { c, b } }
                                      : std::pair { CGUIPointF { coordinate(random), coordinate(random) },
                                 CGUIPointF { coordinate(random), coordinate(random) } });
    }
    const CGUIPointF polyline[] = { { 10.5f, 10.0f }, { 50.0f, 20.25f }, { 30.0f, 60.0f } };
    segments.push_back({ polyline[0], polyline[1] });
    segments.push_back({ polyline[1], polyline[2] });
    const CGUIColor background { 240, 230, 200 }, ink { 20, 90, 160 };
    const std::vector<CGUIColor> expected16 = DrawReference<CGUIPixelFormat16>(segments, background, ink),
                                 expected = DrawReference<CGUIPixelFormat32>(segments, background, ink);
    ASSERT_GT(
        std::count_if(expected.begin(), expected.end(), [&](CGUIColor pixel) { return pixel != background; }), 500);

    for (const auto& [platform, depth] : { std::pair { true, 32 }, { false, 32 }, { false, 24 }, { false, 16 } }) {
        SCOPED_TRACE(testing::Message() << (platform ? "platform, " : "memory, ") << depth << " bits");
        CTestImage canvas(80, 80, depth);
        canvas.Fill(background);
        canvas.Context().SetOrigin({ 3, -2 });
        canvas.Context().SetClipRect({ 2, 4, 70, 60 });
        const std::unique_ptr<IGUISmoothPen> pen(
            platform ? new CGUIPen(canvas.DC(), ink, 0, { 1, 1 }) : canvas.Context().CreateSmoothPen(ink));
        ASSERT_EQ(typeid(*pen) == typeid(CGUIPen), platform);
        for (size_t i = 0; i + 2 < segments.size(); ++i) {
            pen->DrawLine(segments[i].first, segments[i].second);
        }
        pen->DrawPolyline(polyline, 3);
        for (int32_t i = 0; i < 80 * 80; ++i) {
            ASSERT_EQ(canvas.At(i % 80, i / 80), (depth == 16 ? expected16 : expected)[static_cast<size_t>(i)])
                << i % 80 << "," << i / 80;
        }
    }
}

} // namespace
