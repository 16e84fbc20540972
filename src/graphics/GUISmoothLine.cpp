#include "graphics/GUISmoothLine.h"

namespace {

enum : unsigned { kAbove = 1, kBelow = 2, kRight = 4, kLeft = 8 };

// Beyond this a pixel index and its neighbour no longer fit in 32 bits.
constexpr double kCoordinateLimit = 1073741824.0;

unsigned OutCode(double x, double y, const CGUIClipBox& box)
{
    unsigned code = 0;
    if (y > box.ymax) {
        code |= kAbove;
    } else if (y < box.ymin) {
        code |= kBelow;
    }
    if (x > box.xmax) {
        code |= kRight;
    } else if (x < box.xmin) {
        code |= kLeft;
    }
    return code;
}

bool IsFinite(double v)
{
    return std::isfinite(v);
}

} // namespace

bool GUIGetPixelBounds(const CGUIClipBox& box, CGUIPixelBounds& bounds)
{
    if (!IsFinite(box.xmin) || !IsFinite(box.xmax) || !IsFinite(box.ymin) || !IsFinite(box.ymax)) {
        return false;
    }
    const double xmin = std::max(std::ceil(static_cast<double>(box.xmin)), -kCoordinateLimit);
    const double xmax = std::min(std::floor(static_cast<double>(box.xmax)), kCoordinateLimit);
    const double ymin = std::max(std::ceil(static_cast<double>(box.ymin)), -kCoordinateLimit);
    const double ymax = std::min(std::floor(static_cast<double>(box.ymax)), kCoordinateLimit);
    if (xmin > xmax || ymin > ymax) {
        return false;
    }
    bounds = { static_cast<int32_t>(xmin), static_cast<int32_t>(xmax), static_cast<int32_t>(ymin),
        static_cast<int32_t>(ymax) };
    return true;
}

bool GUIClipSegment(double& x0, double& y0, double& x1, double& y1, const CGUIClipBox& box)
{
    // Every comparison with NaN is false, so a NaN end point would pass as
    // inside; infinities would turn the intersections into NaN.
    if (!IsFinite(x0) || !IsFinite(y0) || !IsFinite(x1) || !IsFinite(y1) || !IsFinite(box.xmin) || !IsFinite(box.xmax)
        || !IsFinite(box.ymin) || !IsFinite(box.ymax) || box.xmin > box.xmax || box.ymin > box.ymax) {
        return false;
    }
    unsigned code0 = OutCode(x0, y0, box);
    unsigned code1 = OutCode(x1, y1, box);
    // Each pass settles one bound of one end point; rounding may need a pass
    // more, never many, so the bound only stops a pathological oscillation.
    for (int pass = 0; pass < 16; ++pass) {
        if ((code0 | code1) == 0) {
            x0 = std::clamp(x0, static_cast<double>(box.xmin), static_cast<double>(box.xmax));
            x1 = std::clamp(x1, static_cast<double>(box.xmin), static_cast<double>(box.xmax));
            y0 = std::clamp(y0, static_cast<double>(box.ymin), static_cast<double>(box.ymax));
            y1 = std::clamp(y1, static_cast<double>(box.ymin), static_cast<double>(box.ymax));
            return true;
        }
        if ((code0 & code1) != 0) {
            return false;
        }
        const bool first = code0 != 0;
        const unsigned code = first ? code0 : code1;
        double x = 0.0;
        double y = 0.0;
        if (code & (kAbove | kBelow)) {
            y = (code & kAbove) ? box.ymax : box.ymin;
            x = (y - y0) * (x1 - x0) / (y1 - y0) + x0;
        } else {
            x = (code & kRight) ? box.xmax : box.xmin;
            y = (y1 - y0) * (x - x0) / (x1 - x0) + y0;
        }
        if (first) {
            x0 = x;
            y0 = y;
            code0 = OutCode(x0, y0, box);
        } else {
            x1 = x;
            y1 = y;
            code1 = OutCode(x1, y1, box);
        }
    }
    return false;
}
