#include "graphics/GUIPixelFormat.h"
#include "graphics/TGUIPixelSurface.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Full coverage rounds toward minus infinity: black over white reaches 0,
// white over black stops at 254. Channels blend apart; other bits survive.
TEST(GUIPixelFormat, Blends)
{
    const uint32_t white16 = CGUIPixelFormat16::FromColor({ 255, 255, 255 });
    const struct {
        const char* name;
        uint32_t (*blend)(uint32_t, uint32_t, int32_t);
        uint32_t source, dest;
        int32_t coverage;
        uint32_t expected;
    } cases[] = {
        { "black over white", &CGUIPixelFormat32::Blend, 0x000000, 0xFFFFFF, 255, 0x000000 },
        { "white over black", &CGUIPixelFormat32::Blend, 0xFFFFFF, 0x000000, 255, 0xFEFEFE },
        // Red 0 + (255 * 128 >> 8), green 255 + (-255 * 128 >> 8), blue as is.
        { "half, top byte kept", &CGUIPixelFormat32::Blend, 0x00FF0040, 0xAB00FF40, 128, 0xAB7F7F40 },
        { "16 bits black over white", &CGUIPixelFormat16::Blend, 0, white16, 255, 0 },
        { "16 bits white over black", &CGUIPixelFormat16::Blend, white16, 0, 255, (30u << 10) | (30u << 5) | 30u },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.blend(c.source, c.dest, c.coverage), c.expected) << c.name;
    }
    EXPECT_EQ(white16, 0x7FFFu);
    EXPECT_EQ(CGUIPixelFormat16::ToColor(white16), (CGUIColor { 248, 248, 248 }));
    for (const auto& [length, expected] :
        { std::pair { CGUIPixelFormat24::RowLength(3), 12 }, { CGUIPixelFormat24::RowLength(4), 12 },
            { CGUIPixelFormat24::RowLength(5), 16 }, { CGUIPixelFormat16::RowLength(3), 4 },
            { CGUIPixelFormat16::RowLength(4), 4 }, { CGUIPixelFormat32::RowLength(3), 3 } }) {
        EXPECT_EQ(length, expected);
    }
}

TEST(GUIPixelSurface, AddressesRowsBottomUpAndIgnoresPointsOutside)
{
    // 3 x 2 pixels of 24 bits: rows of 12 bytes, the bottom row first.
    std::vector<uint8_t> bits(24, 0);
    CGUIPixelSurface24 surface(bits.data(), 3, 2, CGUIPixelFormat24::RowLength(3));
    surface.SetColor(0, 1, { 1, 2, 3 });
    surface.SetColor(2, 0, { 4, 5, 6 });
    const std::vector<uint8_t> expected { 3, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 6, 5, 4, 0, 0, 0 };
    EXPECT_EQ(bits, expected);
    EXPECT_EQ(surface.GetColor(2, 0), (CGUIColor { 4, 5, 6 }));
    for (const CGUIPoint p : { CGUIPoint { -1, 0 }, CGUIPoint { 3, 0 }, CGUIPoint { 0, -1 }, CGUIPoint { 0, 2 } }) {
        surface.SetColor(p.x, p.y, { 255, 255, 255 });
        EXPECT_EQ(surface.GetColor(p.x, p.y), (CGUIColor {}));
    }
    EXPECT_EQ(bits, expected);

    CGUIPixelSurface32 empty(nullptr, 2, 2, 2);
    empty.SetColor(0, 0, { 255, 0, 0 });
    empty.DrawSmoothLine({ 0, 0 }, { 1, 1 }, { 255, 0, 0 }, { 0, 1, 0, 1 });
    EXPECT_FALSE(empty.HasPixels());
}

} // namespace
