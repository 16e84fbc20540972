// Draws the application icon and writes it as a Windows .ico file with twelve
// 32-bit images, from 16 to 256 pixels:
//   DXiIconGenerator <output.ico>
// Images from 48 pixels on are stored as PNG, which Windows reads from Vista
// on: as bitmaps they would be most of the executable's size.
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

void Put32BigEndian(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

// Deflate's bit order: values from their lowest bit, Huffman codes from their highest.
struct BitWriter {
    std::vector<uint8_t> bytes;
    uint32_t pending = 0;
    int pendingBits = 0;

    void Put(uint32_t value, int bits)
    {
        pending |= value << pendingBits;
        pendingBits += bits;
        for (; pendingBits >= 8; pendingBits -= 8, pending >>= 8) {
            bytes.push_back(static_cast<uint8_t>(pending));
        }
    }
    void PutCode(uint32_t code, int bits)
    {
        uint32_t reversed = 0;
        for (int i = 0; i < bits; ++i) {
            reversed |= ((code >> i) & 1) << (bits - 1 - i);
        }
        Put(reversed, bits);
    }
    void PutSymbol(int symbol) // literal, end of block or length, in the fixed code
    {
        if (symbol < 144) {
            PutCode(0x30 + symbol, 8);
        } else if (symbol < 256) {
            PutCode(0x190 + symbol - 144, 9);
        } else if (symbol < 280) {
            PutCode(symbol - 256, 7);
        } else {
            PutCode(0xC0 + symbol - 280, 8);
        }
    }
};

constexpr uint16_t kLengthBase[] = { 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27, 31, 35, 43, 51, 59, 67, 83,
    99, 115, 131, 163, 195, 227, 258 };
constexpr uint8_t kLengthExtraBits[]
    = { 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0 };
constexpr uint16_t kDistanceBase[] = { 1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129, 193, 257, 385, 513, 769,
    1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577 };
constexpr uint8_t kDistanceExtraBits[]
    = { 0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13 };

template <size_t N> int CodeIndex(const uint16_t (&base)[N], size_t value)
{
    int index = N - 1;
    while (base[index] > value) {
        --index;
    }
    return index;
}

// A zlib stream of one block in deflate's fixed code, with greedy matching
// against the latest earlier position of each three-byte sequence: little code,
// and the icon's flat areas shrink to a few percent.
std::vector<uint8_t> Compress(const std::vector<uint8_t>& data)
{
    constexpr size_t kWindow = 32768;
    constexpr size_t kMaxLength = 258;
    BitWriter out;
    out.Put(0x78, 8);
    out.Put(0x01, 8);
    out.Put(1, 1); // last block
    out.Put(1, 2); // fixed code
    std::vector<size_t> latest(1 << 15, SIZE_MAX);
    const auto hash = [&](size_t at) { return (data[at] << 10 ^ data[at + 1] << 5 ^ data[at + 2]) & 0x7FFF; };
    const auto remember = [&](size_t at) {
        const size_t previous = at + 3 <= data.size() ? latest[hash(at)] : SIZE_MAX;
        if (at + 3 <= data.size()) {
            latest[hash(at)] = at;
        }
        return previous;
    };
    for (size_t at = 0; at < data.size();) {
        const size_t candidate = remember(at);
        size_t length = 0;
        if (candidate != SIZE_MAX && at - candidate <= kWindow) {
            while (length < kMaxLength && at + length < data.size() && data[candidate + length] == data[at + length]) {
                ++length;
            }
        }
        if (length < 3) {
            out.PutSymbol(data[at++]);
            continue;
        }
        const int lengthCode = CodeIndex(kLengthBase, length);
        out.PutSymbol(257 + lengthCode);
        out.Put(static_cast<uint32_t>(length - kLengthBase[lengthCode]), kLengthExtraBits[lengthCode]);
        const int distanceCode = CodeIndex(kDistanceBase, at - candidate);
        out.PutCode(distanceCode, 5);
        out.Put(static_cast<uint32_t>(at - candidate - kDistanceBase[distanceCode]), kDistanceExtraBits[distanceCode]);
        for (const size_t end = at + length; ++at < end;) {
            remember(at);
        }
    }
    out.PutSymbol(256);
    out.Put(0, 7); // to the byte boundary
    uint32_t a = 1, b = 0;
    for (uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    Put32BigEndian(out.bytes, b << 16 | a);
    return out.bytes;
}

void PutPngChunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data)
{
    Put32BigEndian(png, static_cast<uint32_t>(data.size()));
    const size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = start; i < png.size(); ++i) {
        crc ^= png[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = crc >> 1 ^ (crc & 1 ? 0xEDB88320 : 0);
        }
    }
    Put32BigEndian(png, ~crc);
}

// One icon image as a PNG file: 8-bit RGBA rows from the top, unfiltered.
std::vector<uint8_t> PngImage(int size)
{
    const std::vector<uint8_t> pixels = Render(size);
    std::vector<uint8_t> rows;
    for (int row = size - 1; row >= 0; --row) {
        rows.push_back(0);
        for (int column = 0; column < size; ++column) {
            const uint8_t* bgra = &pixels[(static_cast<size_t>(row) * size + column) * 4];
            rows.insert(rows.end(), { bgra[2], bgra[1], bgra[0], bgra[3] });
        }
    }
    std::vector<uint8_t> header;
    Put32BigEndian(header, size);
    Put32BigEndian(header, size);
    header.insert(header.end(), { 8, 6, 0, 0, 0 }); // 8 bits per channel, RGBA
    std::vector<uint8_t> png = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    PutPngChunk(png, "IHDR", header);
    PutPngChunk(png, "IDAT", Compress(rows));
    PutPngChunk(png, "IEND", {});
    return png;
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
    constexpr int kPngFrom = 48;
    for (int size : sizes) {
        images.push_back(size >= kPngFrom ? PngImage(size) : IconImage(size));
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
