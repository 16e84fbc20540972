// Draws the application icon and writes it as a Windows .ico file with twelve
// 32-bit images, from 16 to 256 pixels:
//   DXiIconGenerator <output.ico>
// The picture is a piano keyboard on a blue tile with a green check badge:
// instruments, switched on. Shapes are measured in units of the icon's side
// and rendered with 8x8 supersampling, so every size is drawn, not scaled.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

namespace {
struct Color {
    double r, g, b, a;
};

Color Over(Color top, Color bottom)
{
    const double a = top.a + bottom.a * (1 - top.a);
    if (a <= 0) {
        return { 0, 0, 0, 0 };
    }
    const auto mix = [&](double t, double b) { return (t * top.a + b * bottom.a * (1 - top.a)) / a; };
    return { mix(top.r, bottom.r), mix(top.g, bottom.g), mix(top.b, bottom.b), a };
}

bool InRoundedRect(double x, double y, double left, double top, double right, double bottom, double radius)
{
    const double cx = std::clamp(x, left + radius, right - radius);
    const double cy = std::clamp(y, top + radius, bottom - radius);
    return x >= left && x <= right && y >= top && y <= bottom
        && (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
}

double DistanceToSegment(double x, double y, double x0, double y0, double x1, double y1)
{
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double t = std::clamp(((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(x - x0 - t * dx, y - y0 - t * dy);
}

// The icon's colour at a point of the unit square.
Color Sample(double x, double y, double pixel)
{
    Color color { 0, 0, 0, 0 };
    // Tile: a rounded square with a vertical gradient and a darker rim.
    if (InRoundedRect(x, y, 0.02, 0.02, 0.98, 0.98, 0.2)) {
        color = { 0.09, 0.15, 0.25, 1 };
        if (InRoundedRect(x, y, 0.02 + pixel, 0.02 + pixel, 0.98 - pixel, 0.98 - pixel, 0.2 - pixel)) {
            const double t = y;
            color = { 0.20 - 0.10 * t, 0.36 - 0.18 * t, 0.62 - 0.30 * t, 1 };
        }
    }
    // Keyboard: four white keys with dark gaps, three black keys between them.
    const double left = 0.12, right = 0.88, top = 0.44, bottom = 0.88;
    if (x >= left && x <= right && y >= top && y <= bottom) {
        const double keyWidth = (right - left) / 4;
        const double inKey = std::fmod(x - left, keyWidth);
        const double gap = std::max(pixel, 0.012);
        const bool white = inKey > gap / 2 && inKey < keyWidth - gap / 2 && y < bottom - gap / 2;
        color = white ? Color { 0.97, 0.97, 0.95, 1 } : Color { 0.05, 0.07, 0.12, 1 };
        for (int k = 1; k <= 3; ++k) {
            const double center = left + k * keyWidth;
            if (std::fabs(x - center) < keyWidth * 0.3 && y < top + (bottom - top) * 0.6) {
                color = { 0.08, 0.08, 0.10, 1 };
            }
        }
    }
    // Badge: a green disc with a white check mark, over the tile's corner.
    const double bx = 0.72, by = 0.28, radius = 0.21;
    const double d = std::hypot(x - bx, y - by);
    if (d <= radius) {
        color = d > radius - std::max(pixel, 0.03) ? Color { 0.06, 0.32, 0.12, 1 } : Color { 0.22, 0.74, 0.33, 1 };
        const double stroke = std::max(pixel * 0.9, 0.045);
        if (DistanceToSegment(x, y, bx - 0.10, by + 0.00, bx - 0.03, by + 0.08) < stroke
            || DistanceToSegment(x, y, bx - 0.03, by + 0.08, bx + 0.11, by - 0.08) < stroke) {
            color = { 1, 1, 1, 1 };
        }
    }
    return color;
}

// Bottom-up BGRA rows for a size x size image.
std::vector<uint8_t> Render(int size)
{
    constexpr int kSamples = 8;
    std::vector<uint8_t> pixels(static_cast<size_t>(size) * size * 4);
    const double pixel = 1.0 / size;
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const Color c = Over(
                        Sample((column + (sx + 0.5) / kSamples) * pixel, (row + (sy + 0.5) / kSamples) * pixel, pixel),
                        { 0, 0, 0, 0 });
                    r += c.r * c.a;
                    g += c.g * c.a;
                    b += c.b * c.a;
                    a += c.a;
                }
            }
            const double n = kSamples * kSamples;
            uint8_t* out = &pixels[(static_cast<size_t>(size - 1 - row) * size + column) * 4];
            const auto channel = [&](double premultiplied) {
                return static_cast<uint8_t>(std::lround(a > 0 ? 255 * premultiplied / a : 0));
            };
            out[0] = channel(b);
            out[1] = channel(g);
            out[2] = channel(r);
            out[3] = static_cast<uint8_t>(std::lround(255 * a / n));
        }
    }
    return pixels;
}

void Put16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// One icon image: BITMAPINFOHEADER (double height), the colour rows, the AND mask.
std::vector<uint8_t> IconImage(int size)
{
    const std::vector<uint8_t> pixels = Render(size);
    const int maskStride = ((size + 31) / 32) * 4;
    std::vector<uint8_t> image;
    Put32(image, 40);
    Put32(image, size);
    Put32(image, size * 2);
    Put16(image, 1);
    Put16(image, 32);
    Put32(image, 0);
    Put32(image, static_cast<uint32_t>(pixels.size() + maskStride * size));
    Put32(image, 0);
    Put32(image, 0);
    Put32(image, 0);
    Put32(image, 0);
    image.insert(image.end(), pixels.begin(), pixels.end());
    for (int row = 0; row < size; ++row) {
        std::vector<uint8_t> mask(maskStride, 0);
        for (int column = 0; column < size; ++column) {
            if (pixels[(static_cast<size_t>(row) * size + column) * 4 + 3] == 0) {
                mask[column / 8] |= static_cast<uint8_t>(0x80 >> (column % 8));
            }
        }
        image.insert(image.end(), mask.begin(), mask.end());
    }
    return image;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s output.ico\n", argv[0]);
        return 2;
    }
    const int sizes[] = { 16, 20, 24, 28, 32, 40, 48, 56, 64, 96, 128, 256 };
    constexpr int kCount = sizeof(sizes) / sizeof(sizes[0]);
    std::vector<std::vector<uint8_t>> images;
    for (int size : sizes) {
        images.push_back(IconImage(size));
    }
    std::vector<uint8_t> file;
    Put16(file, 0);
    Put16(file, 1);
    Put16(file, kCount);
    uint32_t offset = 6 + 16 * kCount;
    for (int i = 0; i < kCount; ++i) {
        file.push_back(static_cast<uint8_t>(sizes[i] % 256)); // 0 stands for 256
        file.push_back(static_cast<uint8_t>(sizes[i] % 256));
        file.push_back(0);
        file.push_back(0);
        Put16(file, 1);
        Put16(file, 32);
        Put32(file, static_cast<uint32_t>(images[i].size()));
        Put32(file, offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const auto& image : images) {
        file.insert(file.end(), image.begin(), image.end());
    }
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
