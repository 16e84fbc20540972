// Random segments into random images of every depth change no byte outside the
// clip box: not in guard bands around the image, row padding, or pixels outside.
#include "FuzzInput.h"
#include "graphics/TGUIPixelSurface.h"

#include <cstdlib>
#include <vector>

namespace {

// Mostly ordinary coordinates, sometimes the troublesome ones.
float Coordinate(CFuzzInput& input)
{
    const uint8_t kind = input.Byte();
    switch (kind % 8) {
    case 0:
        return input.Scalar<float>();
    case 1:
        return (kind & 8) ? 1e30f : -1e30f;
    case 2:
        return static_cast<float>(input.Scalar<int16_t>()) / 64.0f;
    default:
        return static_cast<float>(input.Scalar<uint16_t>() % 1200) / 16.0f - 10.0f;
    }
}

template <class TFormat> void Run(CFuzzInput& input)
{
    constexpr size_t kGuard = 64;
    const int32_t width = 1 + input.Byte() % 70, height = 1 + input.Byte() % 70;
    const int32_t rowLength = TFormat::RowLength(width);
    const auto rowBytes = static_cast<size_t>(TFormat::RowBytes(rowLength));
    const size_t imageBytes = rowBytes * height;
    std::vector<uint8_t> memory(imageBytes + 2 * kGuard, 0xA5);
    for (size_t i = 0; i < imageBytes; ++i) {
        memory[kGuard + i] = static_cast<uint8_t>(i * 7);
    }
    const std::vector<uint8_t> before = memory;

    CGUIClipBox clip {};
    for (float* bound : { &clip.xmin, &clip.xmax, &clip.ymin, &clip.ymax }) {
        *bound = input.Scalar<int8_t>();
    }
    TGUIPixelSurface<TFormat> surface(memory.data() + kGuard, width, height, rowLength);
    const CGUIColor color { input.Byte(), input.Byte(), input.Byte() };
    for (int segment = 0; segment < 8 && !input.AtEnd(); ++segment) {
        const CGUIPointF from { Coordinate(input), Coordinate(input) }, to { Coordinate(input), Coordinate(input) };
        surface.DrawSmoothLine(from, to, color, clip);
    }

    for (size_t i = 0; i < memory.size(); ++i) {
        const size_t offset = i - kGuard; // wraps around in the guard band before the image
        const auto column = static_cast<int32_t>((offset % rowBytes) / TFormat::kBytesPerPixel);
        const int32_t y = height - 1 - static_cast<int32_t>(offset / rowBytes);
        const bool inClip = offset < imageBytes && column < width && column >= clip.xmin && column <= clip.xmax
            && y >= clip.ymin && y <= clip.ymax;
        if (memory[i] != before[i] && !inClip) {
            std::abort(); // a guard band, row padding or a pixel outside the clip box written
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput input(data, size);
    constexpr void (*kRuns[])(CFuzzInput&) = { Run<CGUIPixelFormat32>, Run<CGUIPixelFormat24>, Run<CGUIPixelFormat16> };
    kRuns[input.Byte() % 3](input);
    return 0;
}
