#include "graphics/GUISmoothLine.h"
#include "graphics/GUIPixelFormat.h"
#include "graphics/TGUIPixelSurface.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <vector>

namespace {

constexpr float g_nan = std::numeric_limits<float>::quiet_NaN();
constexpr float g_inf = std::numeric_limits<float>::infinity();
constexpr CGUIClipBox kWide { 0.0f, 99.0f, 0.0f, 99.0f };

// Collects what the renderer hands to a back end.
struct CRecordingPlotter {
    std::map<std::pair<int32_t, int32_t>, int32_t> plots;
    std::vector<std::pair<CGUIPoint, CGUIPoint>> runs;

    void Plot(int32_t x, int32_t y, int32_t coverage)
    {
        EXPECT_TRUE(plots.emplace(std::make_pair(x, y), coverage).second) << "pixel plotted twice: " << x << "," << y;
    }
    void DrawRun(CGUIPoint from, CGUIPoint to) { runs.emplace_back(from, to); }
};

struct SegmentCase {
    const char* name;
    CGUIPointF from, to;
    CGUIClipBox clip = kWide;
    int plotCount = 0; // -1: some
    std::vector<std::pair<CGUIPoint, int32_t>> coverages = {}; // 0: not plotted or 0
    std::vector<std::pair<CGUIPoint, CGUIPoint>> runs = {};
};

const SegmentCase kSegmentCases[]
    = { { "HorizontalOnAWholeRowIsOneRunWithHalfCoveredEnds", { 10, 20 }, { 30, 20 }, kWide, 2,
            { { { 10, 20 }, 127 }, { { 30, 20 }, 127 } }, { { { 11, 20 }, { 30, 20 } } } },
          { "SteepRunIsSwapped", { 20, 30 }, { 20, 10 }, kWide, 2, { { { 20, 10 }, 127 }, { { 20, 30 }, 127 } },
              { { { 20, 11 }, { 20, 30 } } } },
          { "HalfRowSplitsCoverageBetweenTwoRows", { 10, 20.5f }, { 30, 20.5f }, kWide, 42,
              { { { 11, 21 }, 127 }, { { 11, 20 }, 128 }, { { 29, 21 }, 127 }, { { 29, 20 }, 128 }, { { 10, 20 }, 63 },
                  { { 10, 21 }, 63 } },
              {} },
          { "FortyFiveDegreesCoversOnePixelPerColumn", { 10, 10 }, { 20, 20 }, kWide, 11,
              { { { 11, 11 }, 255 }, { { 15, 15 }, 255 }, { { 19, 19 }, 255 }, { { 15, 16 }, 0 } }, {} },
          // The first end lies on the last row; its overshoot would cover row 10.
          { "EndNeighbourBeyondTheMinorBoundIsLeftOut", { 10.3f, 9 }, { 30, 2 }, { 0, 99, 0, 9 }, -1,
              { { { 10, 9 }, 45 } }, {} },
          { "OutsideTheBox", { 120, 5 }, { 150, 60 } }, { "NaNStart", { g_nan, 10 }, { 20, 20 } },
          { "NaNEnd", { 10, 10 }, { 20, g_nan } }, { "AllNaN", { g_nan, g_nan }, { g_nan, g_nan } },
          { "InfiniteEnds", { -g_inf, 50 }, { g_inf, 50 } }, { "InfiniteEnd", { 10, 10 }, { 20, -g_inf } },
          { "HugeHorizontal", { -1e30f, 20.5f }, { 1e30f, 20.5f }, { 5, 60, 7, 40 }, -1 },
          { "HugeDiagonal", { -1e30f, -1e30f }, { 1e30f, 1e30f }, { 5, 60, 7, 40 }, -1 },
          { "HugeSteep", { 30, -3e38f }, { 31, 3e38f }, { 5, 60, 7, 40 }, -1 },
          { "HugeAntiDiagonal", { -3.4e38f, 3.4e38f }, { 3.4e38f, -3.4e38f }, { 5, 60, 7, 40 }, -1 } };

TEST(GUISmoothLine, SegmentsPlotAndRunInsideTheClip)
{
    for (const SegmentCase& c : kSegmentCases) {
        SCOPED_TRACE(c.name);
        CRecordingPlotter p;
        GUIDrawSmoothSegment(p, c.from, c.to, c.clip);
        if (c.plotCount >= 0) {
            EXPECT_EQ(std::pair(p.plots.size(), p.runs), std::pair(static_cast<size_t>(c.plotCount), c.runs));
        } else {
            EXPECT_FALSE(p.plots.empty() && p.runs.empty());
        }
        for (const auto& [pixel, coverage] : c.coverages) {
            const auto it = p.plots.find({ pixel.x, pixel.y });
            EXPECT_EQ(it == p.plots.end() ? 0 : it->second, coverage) << pixel.x << "," << pixel.y;
        }
        for (const auto& [pixel, coverage] : p.plots) {
            EXPECT_TRUE(pixel.first >= c.clip.xmin && pixel.first <= c.clip.xmax && pixel.second >= c.clip.ymin
                && pixel.second <= c.clip.ymax && coverage >= 1 && coverage <= 255)
                << pixel.first << "," << pixel.second << ": " << coverage;
        }
    }
}

TEST(GUIClipSegment, MovesEndPointsOntoTheViolatedBoundsAndRejectsEmptyBoxes)
{
    double x0 = -10.0, y0 = 0.0, x1 = 30.0, y1 = 40.0;
    ASSERT_TRUE(GUIClipSegment(x0, y0, x1, y1, { 0.0f, 20.0f, 0.0f, 100.0f }));
    EXPECT_EQ((std::vector { x0, y0, x1, y1 }), (std::vector { 0.0, 10.0, 20.0, 30.0 }));
    for (const CGUIClipBox& box : { CGUIClipBox { 10.0f, 5.0f, 0.0f, 10.0f }, CGUIClipBox { 0.0f, 10.0f, 3.0f, 2.0f },
             CGUIClipBox { g_nan, 10.0f, 0.0f, 10.0f } }) {
        double a = 1.0, b = 1.0, c = 2.0, d = 2.0;
        EXPECT_FALSE(GUIClipSegment(a, b, c, d, box));
    }
}

// What the recording plotter says is what lands in memory, bottom-up, and
// only inside the image.
TEST(GUIPixelSurface, SmoothLineBlendsIntoMemoryInsideTheImage)
{
    std::vector<uint32_t> bits(40 * 30, 0xFFFFFF);
    CGUIPixelSurface32 surface(bits.data(), 40, 30, 40);
    surface.DrawSmoothLine({ 10.0f, 20.0f }, { 30.0f, 20.0f }, { 0, 0, 0 }, { 0.0f, 39.0f, 0.0f, 29.0f });
    // The half-covered end: 255 + (-255 * 127 >> 8).
    EXPECT_EQ((std::vector { surface.GetColor(11, 20), surface.GetColor(29, 20), surface.GetColor(10, 20),
                  surface.GetColor(9, 20), surface.GetColor(20, 19) }),
        (std::vector<CGUIColor> { {}, {}, { 128, 128, 128 }, { 255, 255, 255 }, { 255, 255, 255 } }));
    EXPECT_EQ(bits[(29 - 20) * 40 + 15], 0u);

    std::vector<uint16_t> narrow(4 * 4, 0);
    CGUIPixelSurface16 cut(narrow.data(), 3, 4, 4);
    cut.DrawSmoothLine({ -5.0f, 1.0f }, { 50.0f, 1.0f }, { 255, 255, 255 }, { -100.0f, 100.0f, -100.0f, 100.0f });
    EXPECT_EQ((std::vector { narrow[3], narrow[7], narrow[11], narrow[15] }), std::vector<uint16_t>(4)) << "padding";
    EXPECT_EQ(cut.GetColor(1, 1), (CGUIColor { 248, 248, 248 }));
}

// Full coverage rounds toward minus infinity: black over white reaches 0,
// white over black stops at 254. Channels blend apart; other bits survive.
TEST(GUIPixelFormat, Blends)
{
    const uint32_t white16 = CGUIPixelFormat16::FromColor({ 255, 255, 255 });
    // Half red over green keeps the top byte: red 0 + (255 * 128 >> 8), green
    // 255 + (-255 * 128 >> 8), blue as is.
    EXPECT_EQ(
        (std::vector { CGUIPixelFormat32::Blend(0x000000, 0xFFFFFF, 255),
            CGUIPixelFormat32::Blend(0xFFFFFF, 0x000000, 255), CGUIPixelFormat32::Blend(0x00FF0040, 0xAB00FF40, 128),
            CGUIPixelFormat16::Blend(0, white16, 255), CGUIPixelFormat16::Blend(white16, 0, 255) }),
        (std::vector { 0x000000u, 0xFEFEFEu, 0xAB7F7F40u, 0u, (30u << 10) | (30u << 5) | 30u }));
    EXPECT_EQ(std::pair(white16, CGUIPixelFormat16::ToColor(white16)), std::pair(0x7FFFu, CGUIColor { 248, 248, 248 }));
    EXPECT_EQ((std::vector { CGUIPixelFormat24::RowLength(3), CGUIPixelFormat24::RowLength(4),
                  CGUIPixelFormat24::RowLength(5), CGUIPixelFormat16::RowLength(3), CGUIPixelFormat16::RowLength(4),
                  CGUIPixelFormat32::RowLength(3) }),
        (std::vector { 12, 12, 16, 4, 4, 3 }));
}

TEST(GUIPixelSurface, AddressesRowsBottomUpAndIgnoresPointsOutside)
{
    // 3 x 2 pixels of 24 bits: rows of 12 bytes, the bottom row first.
    std::vector<uint8_t> bits(24, 0);
    CGUIPixelSurface24 surface(bits.data(), 3, 2, CGUIPixelFormat24::RowLength(3));
    surface.SetColor(0, 1, { 1, 2, 3 });
    surface.SetColor(2, 0, { 4, 5, 6 });
    EXPECT_EQ(surface.GetColor(2, 0), (CGUIColor { 4, 5, 6 }));
    for (const CGUIPoint p : { CGUIPoint { -1, 0 }, CGUIPoint { 3, 0 }, CGUIPoint { 0, -1 }, CGUIPoint { 0, 2 } }) {
        surface.SetColor(p.x, p.y, { 255, 255, 255 });
        EXPECT_EQ(surface.GetColor(p.x, p.y), (CGUIColor {}));
    }
    EXPECT_EQ(bits, (std::vector<uint8_t> { 3, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 6, 5, 4, 0, 0, 0 }));

    CGUIPixelSurface32 empty(nullptr, 2, 2, 2);
    empty.SetColor(0, 0, { 255, 0, 0 });
    empty.DrawSmoothLine({ 0, 0 }, { 1, 1 }, { 255, 0, 0 }, { 0, 1, 0, 1 });
    EXPECT_FALSE(empty.HasPixels());
}

} // namespace
