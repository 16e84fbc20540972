// Under Wine: the 32-bit memory back end (DIB pen) against the platform's
// per-pixel back end (GetPixel/SetPixel) drawing the same segments into the
// same DIB section.
#include "BenchmarkSegments.h"
#include "graphics/CGUIDIBSection.h"
#include "graphics/CGUIPen.h"
#include "graphics/IGUIDrawContext.h"

#include <cstdio>
#include <memory>

namespace {
// Both back ends take the best of as many runs.
constexpr int kRuns = 5;
} // namespace

int main()
{
    const std::vector<CBenchSegment> segments = MakeBenchSegments(2000);
    const int64_t pixels = CountBenchPixels(segments);

    CGUIDIBSection image({ kBenchWidth, kBenchHeight }, 32);
    const std::unique_ptr<IGUIDrawContext> context(image.CreateDrawContext(nullptr));
    context->FillRectangle({ 0, 0, kBenchWidth, kBenchHeight }, { 255, 255, 255 });
    const CGUIColor ink { 20, 90, 160 };

    const std::unique_ptr<IGUISmoothPen> memoryPen(context->CreateSmoothPen(ink));
    const double memory = TimeBest(kRuns, [&] {
        for (const CBenchSegment& s : segments) {
            memoryPen->DrawLine(s.from, s.to);
        }
    });

    CGUIPen platformPen(context->GetHDC(), ink, 0, { 1, 1 });
    const double platform = TimeBest(kRuns, [&] {
        for (const CBenchSegment& s : segments) {
            static_cast<IGUISmoothPen&>(platformPen).DrawLine(s.from, s.to);
        }
        GdiFlush();
    });

    std::printf("segments: %zu, pixels touched per pass: %lld, best of %d passes each\n", segments.size(),
        static_cast<long long>(pixels), kRuns);
    std::printf(
        "memory back end (DIB pen, 32 bpp): %.3f ms per pass, %.1f Mpixels/s\n", memory * 1e3, pixels / memory / 1e6);
    std::printf("platform back end (GetPixel/SetPixel): %.3f ms per pass, %.3f Mpixels/s\n", platform * 1e3,
        pixels / platform / 1e6);
    std::printf("speed ratio memory / platform back end: %.1f\n", platform / memory);
    return 0;
}
