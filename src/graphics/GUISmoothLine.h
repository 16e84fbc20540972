#pragma once

#include "graphics/CGUIClipBox.h"
#include "graphics/CGUIPoint.h"
#include "graphics/CGUIPointF.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

// Anti-aliased 1-pixel segments with fractional end points (Wu's algorithm),
// independent of where the pixels go. A plotter supplies the pixels:
//
//   void Plot(int32_t x, int32_t y, int32_t coverage);  // coverage 1..255
//   void DrawRun(CGUIPoint from, CGUIPoint to);         // solid horizontal or
//       vertical run in the pen colour, from included, to excluded
//
// Every pixel handed to the plotter lies inside the clip box, whatever the end
// points are: segments with a NaN or infinite coordinate draw nothing, and
// huge finite coordinates are clipped in double precision before any
// conversion to integers.

// Cohen-Sutherland clipping to the inclusive box. Returns false when nothing
// is left to draw, when a coordinate or bound is not finite, or when the box
// is empty; on true the end points lie inside the box.
[[nodiscard]] bool GUIClipSegment(double& x0, double& y0, double& x1, double& y1, const CGUIClipBox& box);

// The whole-pixel bounds of a clip box, kept within +-2^30 so that pixel
// coordinates and their neighbours fit in 32 bits. False when the box is
// empty or not finite.
struct CGUIPixelBounds {
    int32_t xmin;
    int32_t xmax;
    int32_t ymin;
    int32_t ymax;
};
[[nodiscard]] bool GUIGetPixelBounds(const CGUIClipBox& box, CGUIPixelBounds& bounds);

namespace GUISmoothLineDetail {

constexpr double kOpacity = 255.0;
// Below this a change of the minor coordinate is invisible at 8-bit coverage.
constexpr double kMinStep = 1.0 / 255.0;

// Whole and fractional parts round toward minus infinity, so fractions stay in
// [0, 1) on both sides of zero (logical coordinates may be negative).
inline double IPart(double v)
{
    return std::floor(v);
}
inline double FPart(double v)
{
    return v - std::floor(v);
}
inline double Nearest(double v)
{
    return std::floor(v + 0.5);
}

template <class TPlotter> class TSegmentPlotter {
public:
    TSegmentPlotter(TPlotter& plotter, bool steep, const CGUIPixelBounds& b)
        : m_plotter(plotter)
        , m_steep(steep)
        , m_majorMin(steep ? b.ymin : b.xmin)
        , m_majorMax(steep ? b.ymax : b.xmax)
        , m_minorMin(steep ? b.xmin : b.ymin)
        , m_minorMax(steep ? b.xmax : b.ymax)
    {
    }

    void Plot(double major, double minor, double fraction)
    {
        PlotCoverage(major, minor, static_cast<int32_t>(kOpacity * fraction));
    }

    // The pixel at minor + 1 gets the fraction, the one at minor the rest.
    void PlotPair(double major, double minor, double fraction)
    {
        const int32_t a = std::clamp(static_cast<int32_t>(kOpacity * fraction), 0, 255);
        PlotCoverage(major, minor + 1.0, a);
        PlotCoverage(major, minor, 255 - a);
    }

    void Run(double majorFrom, double majorTo, double minor)
    {
        const double first = std::max(majorFrom, static_cast<double>(m_majorMin));
        const double end = std::min(majorTo, static_cast<double>(m_majorMax) + 1.0);
        if (first >= end || minor < m_minorMin || minor > m_minorMax) {
            return;
        }
        const auto a = static_cast<int32_t>(first);
        const auto b = static_cast<int32_t>(end);
        const auto m = static_cast<int32_t>(minor);
        if (m_steep) {
            m_plotter.DrawRun({ m, a }, { m, b });
        } else {
            m_plotter.DrawRun({ a, m }, { b, m });
        }
    }

private:
    // The bounds test keeps rounding in the running intersection from ever
    // reaching a pixel outside the clip box.
    void PlotCoverage(double major, double minor, int32_t coverage)
    {
        if (coverage <= 0 || major < m_majorMin || major > m_majorMax || minor < m_minorMin || minor > m_minorMax) {
            return;
        }
        const auto j = static_cast<int32_t>(major);
        const auto n = static_cast<int32_t>(minor);
        const int32_t c = std::min(coverage, 255);
        if (m_steep) {
            m_plotter.Plot(n, j, c);
        } else {
            m_plotter.Plot(j, n, c);
        }
    }

    TPlotter& m_plotter;
    bool m_steep;
    int32_t m_majorMin;
    int32_t m_majorMax;
    int32_t m_minorMin;
    int32_t m_minorMax;
};

} // namespace GUISmoothLineDetail

// Draws the segment from..to clipped to box through the plotter.
template <class TPlotter>
void GUIDrawSmoothSegment(TPlotter& plotter, CGUIPointF from, CGUIPointF to, const CGUIClipBox& box)
{
    using namespace GUISmoothLineDetail;

    CGUIPixelBounds bounds {};
    double x0 = from.x;
    double y0 = from.y;
    double x1 = to.x;
    double y1 = to.y;
    if (!GUIGetPixelBounds(box, bounds) || !GUIClipSegment(x0, y0, x1, y1, box)) {
        return;
    }

    double dx = x1 - x0;
    double dy = y1 - y0;
    const bool steep = std::abs(dx) < std::abs(dy);
    if (steep) {
        std::swap(x0, y0);
        std::swap(x1, y1);
        std::swap(dx, dy);
    }
    if (x1 < x0) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    const double gradient = dx == 0.0 ? 0.0 : dy / dx;
    TSegmentPlotter<TPlotter> out(plotter, steep, bounds);

    const double xend = Nearest(x0);
    const double yend = y0 + gradient * (xend - x0);
    const double xgap = 1.0 - FPart(x0 + 0.5);
    out.Plot(xend, IPart(yend), (1.0 - FPart(yend)) * xgap);
    out.Plot(xend, IPart(yend) + 1.0, FPart(yend) * xgap);
    double intery = yend + gradient;

    const double xend2 = Nearest(x1);
    const double yend2 = y1 + gradient * (xend2 - x1);
    const double xgap2 = FPart(x1 + 0.5);
    out.Plot(xend2, IPart(yend2), (1.0 - FPart(yend2)) * xgap2);
    out.Plot(xend2, IPart(yend2) + 1.0, FPart(yend2) * xgap2);

    if (std::abs(dy) >= kMinStep) {
        for (double x = xend + 1.0; x < xend2; x += 1.0) {
            out.PlotPair(x, IPart(intery), FPart(intery));
            intery += gradient;
        }
    } else if (std::abs(y0 - Nearest(y0)) < kMinStep) {
        // The whole inner run lies on one row at full coverage.
        out.Run(xend + 1.0, xend2, Nearest(y0));
    } else {
        for (double x = xend + 1.0; x < xend2; x += 1.0) {
            out.PlotPair(x, IPart(y0), FPart(y0));
        }
    }
}
