#include "graphics/GUIPixelFormat.h"
#include "graphics/TGUIPixelSurface.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(GUIPixelFormat, FullCoverageBlendRoundsTowardMinusInfinity)
{
    // Black over white reaches 0; white over black stops at 254.
    EXPECT_EQ(CGUIPixelFormat32::Blend(0x000000, 0xFFFFFF, 255), 0x000000u);
    EXPECT_EQ(CGUIPixelFormat32::Blend(0xFFFFFF, 0x000000, 255), 0xFEFEFEu);
}

TEST(GUIPixelFormat, BlendKeepsChannelsApartAndBitsOutsideThem)
{
    // Red up, green down, blue unchanged; the top byte survives.
    const uint32_t dest = 0xAB00FF40;
    const uint32_t source = 0x00FF0040;
    const uint32_t result = CGUIPixelFormat32::Blend(source, dest, 128);
    EXPECT_EQ(result >> 24, 0xABu);
    EXPECT_EQ((result >> 16) & 0xFF, 0x7Fu); // 0 + (255 * 128 >> 8)
    EXPECT_EQ((result >> 8) & 0xFF, 0x7Fu); // 255 + (-255 * 128 >> 8) = 255 - 128
    EXPECT_EQ(result & 0xFF, 0x40u);
}

TEST(GUIPixelFormat, SixteenBitFieldsBlendInPlace)
{
    const uint32_t white = CGUIPixelFormat16::FromColor({ 255, 255, 255 });
    EXPECT_EQ(white, 0x7FFFu);
    EXPECT_EQ(CGUIPixelFormat16::Blend(0, white, 255), 0u);
    EXPECT_EQ(CGUIPixelFormat16::Blend(white, 0, 255), (30u << 10) | (30u << 5) | 30u);
    EXPECT_EQ(CGUIPixelFormat16::ToColor(white), (CGUIColor { 248, 248, 248 }));
}

TEST(GUIPixelFormat, RowLengths)
{
    EXPECT_EQ(CGUIPixelFormat24::RowLength(3), 12);
    EXPECT_EQ(CGUIPixelFormat24::RowLength(4), 12);
    EXPECT_EQ(CGUIPixelFormat24::RowLength(5), 16);
    EXPECT_EQ(CGUIPixelFormat16::RowLength(3), 4);
    EXPECT_EQ(CGUIPixelFormat16::RowLength(4), 4);
    EXPECT_EQ(CGUIPixelFormat32::RowLength(3), 3);
}

TEST(GUIPixelSurface, AddressesRowsBottomUp)
{
    // 3 x 2 pixels of 24 bits: rows of 12 bytes, the bottom row first.
    std::vector<uint8_t> bits(24, 0);
    CGUIPixelSurface24 surface(bits.data(), 3, 2, CGUIPixelFormat24::RowLength(3));
    surface.SetColor(0, 1, { 1, 2, 3 });
    surface.SetColor(2, 0, { 4, 5, 6 });
    EXPECT_EQ(bits[0], 3);
    EXPECT_EQ(bits[1], 2);
    EXPECT_EQ(bits[2], 1);
    EXPECT_EQ(bits[12 + 6], 6);
    EXPECT_EQ(bits[12 + 8], 4);
    EXPECT_EQ(surface.GetColor(2, 0), (CGUIColor { 4, 5, 6 }));
}

TEST(GUIPixelSurface, IgnoresPointsOutsideAndMissingMemory)
{
    std::vector<uint32_t> bits(4, 0x11111111);
    CGUIPixelSurface32 surface(bits.data(), 2, 2, 2);
    for (const CGUIPoint p : { CGUIPoint { -1, 0 }, CGUIPoint { 2, 0 }, CGUIPoint { 0, -1 }, CGUIPoint { 0, 2 } }) {
        surface.SetColor(p.x, p.y, { 255, 255, 255 });
        EXPECT_EQ(surface.GetColor(p.x, p.y), (CGUIColor {}));
    }
    EXPECT_EQ(bits, std::vector<uint32_t>(4, 0x11111111));

    CGUIPixelSurface32 empty(nullptr, 2, 2, 2);
    empty.SetColor(0, 0, { 255, 0, 0 });
    empty.DrawSmoothLine({ 0, 0 }, { 1, 1 }, { 255, 0, 0 }, { 0, 1, 0, 1 });
    EXPECT_FALSE(empty.HasPixels());
}

} // namespace
