// Draws random segments into random images of every depth and checks that no
// byte outside the clip box inside the image changes: not in the guard bands
// around the image memory, not in row padding, not in pixels outside the clip.
#include "graphics/TGUIPixelSurface.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

class CInput {
public:
    CInput(const uint8_t* data, size_t size)
        : m_data(data)
        , m_size(size)
    {
    }

    template <class T> T Take()
    {
        T value {};
        const size_t n = m_size < sizeof value ? m_size : sizeof value;
        std::memcpy(&value, m_data, n);
        m_data += n;
        m_size -= n;
        return value;
    }
    bool Empty() const { return m_size == 0; }

    // Mostly ordinary coordinates, sometimes the troublesome ones.
    float Coordinate()
    {
        const auto kind = Take<uint8_t>();
        switch (kind % 8) {
        case 0:
            return Take<float>();
        case 1:
            return (kind & 8) ? 1e30f : -1e30f;
        case 2:
            return static_cast<float>(Take<int16_t>()) / 64.0f;
        default:
            return static_cast<float>(Take<uint16_t>() % 1200) / 16.0f - 10.0f;
        }
    }

private:
    const uint8_t* m_data;
    size_t m_size;
};

constexpr size_t kGuard = 64;
constexpr uint8_t kGuardByte = 0xA5;

template <class TFormat> void Run(CInput& input)
{
    const int32_t width = 1 + input.Take<uint8_t>() % 70;
    const int32_t height = 1 + input.Take<uint8_t>() % 70;
    const int32_t rowLength = TFormat::RowLength(width);
    const size_t rowBytes = static_cast<size_t>(TFormat::RowBytes(rowLength));
    const size_t imageBytes = rowBytes * height;
    std::vector<uint8_t> memory(imageBytes + 2 * kGuard, kGuardByte);
    for (size_t i = 0; i < imageBytes; ++i) {
        memory[kGuard + i] = static_cast<uint8_t>(i * 7);
    }
    const std::vector<uint8_t> before = memory;

    const CGUIClipBox clip { static_cast<float>(input.Take<int8_t>()), static_cast<float>(input.Take<int8_t>()),
        static_cast<float>(input.Take<int8_t>()), static_cast<float>(input.Take<int8_t>()) };
    TGUIPixelSurface<TFormat> surface(memory.data() + kGuard, width, height, rowLength);
    const CGUIColor color { input.Take<uint8_t>(), input.Take<uint8_t>(), input.Take<uint8_t>() };
    for (int segment = 0; segment < 8 && !input.Empty(); ++segment) {
        const CGUIPointF from { input.Coordinate(), input.Coordinate() };
        const CGUIPointF to { input.Coordinate(), input.Coordinate() };
        surface.DrawSmoothLine(from, to, color, clip);
    }

    for (size_t i = 0; i < memory.size(); ++i) {
        if (memory[i] == before[i]) {
            continue;
        }
        if (i < kGuard || i >= kGuard + imageBytes) {
            std::abort(); // guard band written
        }
        const size_t offset = i - kGuard;
        const auto row = static_cast<int32_t>(offset / rowBytes);
        const auto column = static_cast<int32_t>((offset % rowBytes) / TFormat::kBytesPerPixel);
        const int32_t y = height - 1 - row;
        if (column >= width || column < clip.xmin || column > clip.xmax || y < clip.ymin || y > clip.ymax) {
            std::abort(); // padding or a pixel outside the clip box written
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CInput input(data, size);
    switch (input.Take<uint8_t>() % 3) {
    case 0:
        Run<CGUIPixelFormat32>(input);
        break;
    case 1:
        Run<CGUIPixelFormat24>(input);
        break;
    default:
        Run<CGUIPixelFormat16>(input);
        break;
    }
    return 0;
}
