#include "graphics/GUISmoothLine.h"
#include "graphics/TGUIPixelSurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <utility>
#include <vector>

namespace {

struct CRun {
    CGUIPoint from;
    CGUIPoint to;
};

// Collects what the renderer hands to a back end.
struct CRecordingPlotter {
    std::map<std::pair<int32_t, int32_t>, int32_t> plots;
    std::vector<CRun> runs;

    void Plot(int32_t x, int32_t y, int32_t coverage)
    {
        EXPECT_TRUE(plots.emplace(std::make_pair(x, y), coverage).second) << "pixel plotted twice: " << x << "," << y;
    }
    void DrawRun(CGUIPoint from, CGUIPoint to) { runs.push_back({ from, to }); }

    int32_t At(int32_t x, int32_t y) const
    {
        const auto it = plots.find({ x, y });
        return it == plots.end() ? 0 : it->second;
    }
};

constexpr CGUIClipBox kWide { 0.0f, 99.0f, 0.0f, 99.0f };

CRecordingPlotter Draw(CGUIPointF from, CGUIPointF to, const CGUIClipBox& clip = kWide)
{
    CRecordingPlotter plotter;
    GUIDrawSmoothSegment(plotter, from, to, clip);
    return plotter;
}

TEST(GUISmoothLine, HorizontalOnWholeRowIsOneRunWithHalfCoveredEnds)
{
    const CRecordingPlotter p = Draw({ 10.0f, 20.0f }, { 30.0f, 20.0f });
    EXPECT_EQ(p.plots.size(), 2u);
    EXPECT_EQ(p.At(10, 20), 127);
    EXPECT_EQ(p.At(30, 20), 127);
    ASSERT_EQ(p.runs.size(), 1u);
    EXPECT_EQ(p.runs[0].from, (CGUIPoint { 11, 20 }));
    EXPECT_EQ(p.runs[0].to, (CGUIPoint { 30, 20 }));
}

TEST(GUISmoothLine, VerticalRunIsSwappedForSteepLines)
{
    const CRecordingPlotter p = Draw({ 20.0f, 30.0f }, { 20.0f, 10.0f });
    ASSERT_EQ(p.runs.size(), 1u);
    EXPECT_EQ(p.runs[0].from, (CGUIPoint { 20, 11 }));
    EXPECT_EQ(p.runs[0].to, (CGUIPoint { 20, 30 }));
    EXPECT_EQ(p.At(20, 10), 127);
    EXPECT_EQ(p.At(20, 30), 127);
}

TEST(GUISmoothLine, HalfRowSplitsCoverageBetweenTwoRows)
{
    const CRecordingPlotter p = Draw({ 10.0f, 20.5f }, { 30.0f, 20.5f });
    EXPECT_TRUE(p.runs.empty());
    for (int32_t x = 11; x <= 29; ++x) {
        SCOPED_TRACE(x);
        EXPECT_EQ(p.At(x, 21), 127);
        EXPECT_EQ(p.At(x, 20), 128);
    }
    EXPECT_EQ(p.At(10, 20), 63);
    EXPECT_EQ(p.At(10, 21), 63);
}

TEST(GUISmoothLine, FortyFiveDegreesCoversOnePixelPerColumn)
{
    const CRecordingPlotter p = Draw({ 10.0f, 10.0f }, { 20.0f, 20.0f });
    for (int32_t x = 11; x <= 19; ++x) {
        SCOPED_TRACE(x);
        EXPECT_EQ(p.At(x, x), 255);
        EXPECT_EQ(p.At(x, x + 1), 0);
    }
    EXPECT_EQ(p.plots.size(), 9u + 2u);
}

TEST(GUISmoothLine, EndNeighbourBeyondMinorBoundIsLeftOut)
{
    const CGUIClipBox clip { 0.0f, 99.0f, 0.0f, 9.0f };
    // The first end lies on the last row; the line's overshoot there would
    // cover row 10 a little.
    const CRecordingPlotter p = Draw({ 10.3f, 9.0f }, { 30.0f, 2.0f }, clip);
    EXPECT_EQ(p.At(10, 9), 45);
    for (const auto& [pixel, coverage] : p.plots) {
        EXPECT_LE(pixel.second, 9);
    }
}

TEST(GUISmoothLine, SegmentOutsideTheBoxDrawsNothing)
{
    const CRecordingPlotter p = Draw({ 120.0f, 5.0f }, { 150.0f, 60.0f });
    EXPECT_TRUE(p.plots.empty());
    EXPECT_TRUE(p.runs.empty());
}

TEST(GUISmoothLine, NonFiniteEndPointsDrawNothing)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const CGUIPointF cases[][2] = {
        { { nan, 10.0f }, { 20.0f, 20.0f } },
        { { 10.0f, 10.0f }, { 20.0f, nan } },
        { { nan, nan }, { nan, nan } },
        { { -inf, 50.0f }, { inf, 50.0f } },
        { { 10.0f, 10.0f }, { 20.0f, -inf } },
    };
    for (const auto& segment : cases) {
        SCOPED_TRACE(
            testing::Message() << segment[0].x << "," << segment[0].y << " " << segment[1].x << "," << segment[1].y);
        const CRecordingPlotter p = Draw(segment[0], segment[1]);
        EXPECT_TRUE(p.plots.empty());
        EXPECT_TRUE(p.runs.empty());
    }
}

TEST(GUISmoothLine, HugeFiniteEndPointsAreClippedIntoTheBox)
{
    const CGUIClipBox clip { 5.0f, 60.0f, 7.0f, 40.0f };
    const CGUIPointF cases[][2] = {
        { { -1e30f, 20.5f }, { 1e30f, 20.5f } },
        { { -1e30f, -1e30f }, { 1e30f, 1e30f } },
        { { 30.0f, -3e38f }, { 31.0f, 3e38f } },
        { { -3.4e38f, 3.4e38f }, { 3.4e38f, -3.4e38f } },
    };
    for (const auto& segment : cases) {
        SCOPED_TRACE(testing::Message() << segment[0].x << "," << segment[0].y);
        const CRecordingPlotter p = Draw(segment[0], segment[1], clip);
        EXPECT_FALSE(p.plots.empty() && p.runs.empty());
        for (const auto& [pixel, coverage] : p.plots) {
            EXPECT_TRUE(pixel.first >= 5 && pixel.first <= 60 && pixel.second >= 7 && pixel.second <= 40)
                << pixel.first << "," << pixel.second;
            EXPECT_TRUE(coverage >= 1 && coverage <= 255);
        }
    }
}

TEST(GUIClipSegment, MovesEndPointsOntoTheViolatedBounds)
{
    double x0 = -10.0, y0 = 0.0, x1 = 30.0, y1 = 40.0;
    ASSERT_TRUE(GUIClipSegment(x0, y0, x1, y1, { 0.0f, 20.0f, 0.0f, 100.0f }));
    EXPECT_DOUBLE_EQ(x0, 0.0);
    EXPECT_DOUBLE_EQ(y0, 10.0);
    EXPECT_DOUBLE_EQ(x1, 20.0);
    EXPECT_DOUBLE_EQ(y1, 30.0);
}

TEST(GUIClipSegment, RejectsEmptyAndNonFiniteBoxes)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const CGUIClipBox& box : { CGUIClipBox { 10.0f, 5.0f, 0.0f, 10.0f }, CGUIClipBox { 0.0f, 10.0f, 3.0f, 2.0f },
             CGUIClipBox { nan, 10.0f, 0.0f, 10.0f } }) {
        double x0 = 1.0, y0 = 1.0, x1 = 2.0, y1 = 2.0;
        EXPECT_FALSE(GUIClipSegment(x0, y0, x1, y1, box));
    }
}

// The memory back ends over the same geometry: what the recording plotter
// says is what lands in memory.
TEST(GUIPixelSurface, SmoothLineBlendsIntoMemory)
{
    std::vector<uint32_t> bits(40 * 30, 0xFFFFFF);
    CGUIPixelSurface32 surface(bits.data(), 40, 30, 40);
    surface.DrawSmoothLine({ 10.0f, 20.0f }, { 30.0f, 20.0f }, { 0, 0, 0 }, { 0.0f, 39.0f, 0.0f, 29.0f });
    for (int32_t x = 11; x <= 29; ++x) {
        EXPECT_EQ(surface.GetColor(x, 20), (CGUIColor {})) << x;
    }
    // 255 + (-255 * 127 >> 8) = 128.
    EXPECT_EQ(surface.GetColor(10, 20), (CGUIColor { 128, 128, 128 }));
    EXPECT_EQ(surface.GetColor(9, 20), (CGUIColor { 255, 255, 255 }));
    EXPECT_EQ(surface.GetColor(20, 19), (CGUIColor { 255, 255, 255 }));
    EXPECT_EQ(bits[(29 - 20) * 40 + 15], 0u);
}

TEST(GUIPixelSurface, ClipBoxIsCutToTheImage)
{
    std::vector<uint16_t> bits(4 * 4, 0);
    CGUIPixelSurface16 surface(bits.data(), 3, 4, 4);
    surface.DrawSmoothLine({ -5.0f, 1.0f }, { 50.0f, 1.0f }, { 255, 255, 255 }, { -100.0f, 100.0f, -100.0f, 100.0f });
    for (int32_t row = 0; row < 4; ++row) {
        EXPECT_EQ(bits[row * 4 + 3], 0) << "padding of row " << row;
    }
    EXPECT_EQ(surface.GetColor(1, 1), (CGUIColor { 248, 248, 248 }));
}

} // namespace
