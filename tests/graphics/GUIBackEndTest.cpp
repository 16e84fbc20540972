// Random segments through all four back ends: the platform back end (GetPixel/
// SetPixel and platform runs) and the memory back ends must leave the same
// pixels.
#include "GUITestImage.h"
#include "graphics/CGUIDIBPen.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

namespace {

struct CSegment {
    CGUIPointF from;
    CGUIPointF to;
};

std::vector<CSegment> MakeSegments()
{
    std::mt19937 random(20240601);
    std::uniform_real_distribution<float> coordinate(-20.0f, 100.0f);
    std::uniform_int_distribution<int> whole(-5, 85);
    std::vector<CSegment> segments;
    for (int i = 0; i < 120; ++i) {
        if (i % 4 == 0) {
            // Whole-pixel horizontal and vertical runs take the run path.
            const auto a = static_cast<float>(whole(random));
            const auto b = static_cast<float>(whole(random));
            const auto c = static_cast<float>(whole(random));
            segments.push_back(i % 8 == 0 ? CSegment { { a, c }, { b, c } } : CSegment { { c, a }, { c, b } });
        } else {
            segments.push_back(
                { { coordinate(random), coordinate(random) }, { coordinate(random), coordinate(random) } });
        }
    }
    return segments;
}

void DrawAll(CTestImage& canvas, IGUISmoothPen& pen, const std::vector<CSegment>& segments, CGUIColor background)
{
    canvas.Fill(background);
    canvas.Context().SetOrigin({ 3, -2 });
    canvas.Context().SetClipRect({ 2, 4, 70, 60 });
    for (const CSegment& s : segments) {
        pen.DrawLine(s.from, s.to);
    }
}

TEST(GUIBackEnds, SameGeometryGivesTheSamePixels)
{
    const std::vector<CSegment> segments = MakeSegments();
    const CGUIColor background { 240, 230, 200 };
    const CGUIColor ink { 20, 90, 160 };

    CTestImage platform(80, 80, 32);
    CGUIPen platformPen(platform.DC(), ink, 0, { 1, 1 });
    DrawAll(platform, static_cast<IGUISmoothPen&>(platformPen), segments, background);

    for (const int32_t depth : { 32, 24, 16 }) {
        SCOPED_TRACE(depth);
        CTestImage memory(80, 80, depth);
        const std::unique_ptr<IGUISmoothPen> pen(memory.Context().CreateSmoothPen(ink));
        ASSERT_NE(typeid(*pen), typeid(CGUIPen)) << "a memory back end was expected";
        DrawAll(memory, *pen, segments, background);
        int32_t touched = 0;
        for (int32_t y = 0; y < 80; ++y) {
            for (int32_t x = 0; x < 80; ++x) {
                const CGUIColor expected = platform.At(x, y);
                const CGUIColor actual = memory.At(x, y);
                touched += expected == background ? 0 : 1;
                if (depth == 16) {
                    // 5-bit blending rounds differently from 8-bit blending,
                    // and crossing segments add up the difference.
                    constexpr int kLevels = 4 * 8;
                    ASSERT_LE(std::abs(expected.red - actual.red), kLevels) << x << "," << y;
                    ASSERT_LE(std::abs(expected.green - actual.green), kLevels) << x << "," << y;
                    ASSERT_LE(std::abs(expected.blue - actual.blue), kLevels) << x << "," << y;
                } else {
                    ASSERT_EQ(expected, actual) << x << "," << y;
                }
            }
        }
        EXPECT_GT(touched, 500);
    }
}

} // namespace
