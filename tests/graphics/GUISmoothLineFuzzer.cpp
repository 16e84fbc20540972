// Draws random segments into random images of every depth and checks that no
// byte outside the clip box inside the image changes: not in the guard bands
// around the image memory, not in row padding, not in pixels outside the clip.
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
    const int32_t width = 1 + input.Byte() % 70;
    const int32_t height = 1 + input.Byte() % 70;
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
        const CGUIPointF from { Coordinate(input), Coordinate(input) };
        surface.DrawSmoothLine(from, { Coordinate(input), Coordinate(input) }, color, clip);
    }

    for (size_t i = 0; i < memory.size(); ++i) {
        if (memory[i] == before[i]) {
            continue;
        }
        if (i < kGuard || i >= kGuard + imageBytes) {
            std::abort(); // guard band written
        }
        const size_t offset = i - kGuard;
        const auto column = static_cast<int32_t>((offset % rowBytes) / TFormat::kBytesPerPixel);
        const int32_t y = height - 1 - static_cast<int32_t>(offset / rowBytes);
        if (column >= width || column < clip.xmin || column > clip.xmax || y < clip.ymin || y > clip.ymax) {
            std::abort(); // padding or a pixel outside the clip box written
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput input(data, size);
    const uint8_t depth = input.Byte() % 3;
    if (depth == 0) {
        Run<CGUIPixelFormat32>(input);
    } else if (depth == 1) {
        Run<CGUIPixelFormat24>(input);
    } else {
        Run<CGUIPixelFormat16>(input);
    }
    return 0;
}
