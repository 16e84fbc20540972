// Pixels per second of the 32-bit memory back end, and its speed relative to
// cairo drawing the same 1-pixel anti-aliased strokes into an ARGB32 surface,
// in its default and its fast antialiasing mode.
#include "BenchmarkSegments.h"
#include "graphics/TGUIPixelSurface.h"

#include <cairo.h>

#include <cstdio>
#include <vector>

namespace {
constexpr int kRuns = 5;

// Best time of cairo stroking the segments with antialias mode.
double TimeCairo(const std::vector<CBenchSegment>& segments, cairo_antialias_t antialias)
{
    cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kBenchWidth, kBenchHeight);
    cairo_t* cr = cairo_create(target);
    cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 20 / 255.0, 90 / 255.0, 160 / 255.0);
    cairo_set_line_width(cr, 1.0);
    cairo_set_antialias(cr, antialias);
    const double best = TimeBest(kRuns, [&] {
        for (const CBenchSegment& s : segments) {
            cairo_move_to(cr, s.from.x, s.from.y);
            cairo_line_to(cr, s.to.x, s.to.y);
            cairo_stroke(cr);
        }
        cairo_surface_flush(target);
    });
    cairo_destroy(cr);
    cairo_surface_destroy(target);
    return best;
}
} // namespace

int main()
{
    const std::vector<CBenchSegment> segments = MakeBenchSegments(20000);
    const int64_t pixels = CountBenchPixels(segments);

    std::vector<uint32_t> memory(static_cast<size_t>(kBenchWidth) * kBenchHeight, 0xFFFFFF);
    CGUIPixelSurface32 surface(memory.data(), kBenchWidth, kBenchHeight, kBenchWidth);
    const double ours = TimeBest(kRuns, [&] {
        for (const CBenchSegment& s : segments) {
            surface.DrawSmoothLine(s.from, s.to, { 20, 90, 160 }, kBenchClip);
        }
    });

    const double theirs = TimeCairo(segments, CAIRO_ANTIALIAS_DEFAULT);
    const double theirsFast = TimeCairo(segments, CAIRO_ANTIALIAS_FAST);

    std::printf("segments: %zu, pixels touched per pass: %lld\n", segments.size(), static_cast<long long>(pixels));
    std::printf("memory back end (32 bpp): %.3f ms per pass, %.1f Mpixels/s\n", ours * 1e3, pixels / ours / 1e6);
    std::printf("cairo (ARGB32, 1-px strokes, CAIRO_ANTIALIAS_DEFAULT): %.3f ms per pass\n", theirs * 1e3);
    std::printf("cairo (ARGB32, 1-px strokes, CAIRO_ANTIALIAS_FAST): %.3f ms per pass\n", theirsFast * 1e3);
    std::printf("speed ratio memory back end / cairo: %.2f (default), %.2f (fast)\n", theirs / ours, theirsFast / ours);
    std::printf("Best of %d passes each. The memory back end uses Wu's algorithm: two pixels per step, weighted by "
                "their distance to the line, an approximation of coverage; cairo's default mode computes the area of "
                "each pixel the stroke covers (on a fine sub-pixel grid), its fast mode samples a coarse 4x4 grid.\n",
        kRuns);
    return 0;
}
