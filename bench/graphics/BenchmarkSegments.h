#pragma once

#include "graphics/CGUIClipBox.h"
#include "graphics/CGUIPointF.h"
#include "graphics/GUISmoothLine.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <vector>

// The benchmark scene: 1-pixel segments of 2 to 500 pixels in random
// directions from random points of a 1024 x 768 image (fixed seed).
constexpr int32_t kBenchWidth = 1024;
constexpr int32_t kBenchHeight = 768;
constexpr CGUIClipBox kBenchClip { 0.0f, kBenchWidth - 1.0f, 0.0f, kBenchHeight - 1.0f };

struct CBenchSegment {
    CGUIPointF from;
    CGUIPointF to;
};

inline std::vector<CBenchSegment> MakeBenchSegments(int count)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> x(0.0f, kBenchWidth - 1.0f);
    std::uniform_real_distribution<float> y(0.0f, kBenchHeight - 1.0f);
    std::uniform_real_distribution<float> length(2.0f, 500.0f);
    std::uniform_real_distribution<float> angle(0.0f, 2.0f * std::numbers::pi_v<float>);
    std::vector<CBenchSegment> segments;
    segments.reserve(count);
    for (int i = 0; i < count; ++i) {
        const CGUIPointF from { x(random), y(random) };
        const float l = length(random);
        const float a = angle(random);
        segments.push_back({ from, { from.x + l * std::cos(a), from.y + l * std::sin(a) } });
    }
    return segments;
}

// How many pixels the renderer touches for the scene (runs count pixel by pixel).
inline int64_t CountBenchPixels(const std::vector<CBenchSegment>& segments)
{
    struct {
        int64_t pixels = 0;
        void Plot(int32_t, int32_t, int32_t) { ++pixels; }
        void DrawRun(CGUIPoint from, CGUIPoint to) { pixels += (to.x - from.x) + (to.y - from.y); }
    } counter;
    for (const CBenchSegment& s : segments) {
        GUIDrawSmoothSegment(counter, s.from, s.to, kBenchClip);
    }
    return counter.pixels;
}

// Best of several runs, in seconds.
template <class TDraw> double TimeBest(int runs, TDraw draw)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        draw();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        best = std::min(best, elapsed.count());
    }
    return best;
}
