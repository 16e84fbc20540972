#pragma once

#include "graphics/CGUIColor.h"

#include <cstdint>
#include <cstring>

// Pixel formats of bottom-up DIB sections with 32, 24 and 16 (5-5-5) bits per
// pixel. Each format packs a colour into a 32-bit value, loads and stores it
// at a byte address and blends a colour into a pixel with a coverage byte.
//
// Row length units follow the image memory: pixels for 32 and 16 bits per
// pixel, bytes for 24.

// One channel field: dest + floor((source - dest) * coverage / 256). The right
// shift of a negative product rounds toward minus infinity, so full coverage
// reaches 0 from 255 but only 254 from 0.
constexpr uint32_t GUIBlendChannel(uint32_t source, uint32_t dest, int32_t coverage, int shift, uint32_t mask)
{
    const int32_t s = static_cast<int32_t>((source >> shift) & mask);
    const int32_t d = static_cast<int32_t>((dest >> shift) & mask);
    return static_cast<uint32_t>(d + (((s - d) * coverage) >> 8)) << shift;
}

// Blends three fields of equal width at the given shifts; bits outside them
// keep the destination's value.
constexpr uint32_t GUIBlendFields(
    uint32_t source, uint32_t dest, int32_t coverage, int shift0, int shift1, int shift2, uint32_t mask)
{
    const uint32_t fields = (mask << shift0) | (mask << shift1) | (mask << shift2);
    return (dest & ~fields) | GUIBlendChannel(source, dest, coverage, shift0, mask)
        | GUIBlendChannel(source, dest, coverage, shift1, mask) | GUIBlendChannel(source, dest, coverage, shift2, mask);
}

struct CGUIPixelFormat32 {
    static constexpr int32_t kBitsPerPixel = 32;
    static constexpr int32_t kBytesPerPixel = 4;

    static constexpr int32_t RowLength(int32_t width) { return width; }
    static constexpr int64_t RowBytes(int32_t rowLength) { return static_cast<int64_t>(rowLength) * 4; }

    static constexpr uint32_t FromColor(CGUIColor c)
    {
        return static_cast<uint32_t>(c.red) << 16 | static_cast<uint32_t>(c.green) << 8 | c.blue;
    }
    static constexpr CGUIColor ToColor(uint32_t p)
    {
        return { static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p) };
    }
    static constexpr uint32_t Blend(uint32_t source, uint32_t dest, int32_t coverage)
    {
        return GUIBlendFields(source, dest, coverage, 16, 8, 0, 0xFF);
    }
    static uint32_t Load(const uint8_t* p)
    {
        uint32_t v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    static void Store(uint8_t* p, uint32_t v) { std::memcpy(p, &v, sizeof v); }
};

// Same packing as 32 bits per pixel, stored as the bytes blue, green, red.
struct CGUIPixelFormat24 {
    static constexpr int32_t kBitsPerPixel = 24;
    static constexpr int32_t kBytesPerPixel = 3;

    static constexpr int32_t RowLength(int32_t width) { return ((width * 24 + 31) >> 3) & ~3; }
    static constexpr int64_t RowBytes(int32_t rowLength) { return rowLength; }

    static constexpr uint32_t FromColor(CGUIColor c) { return CGUIPixelFormat32::FromColor(c); }
    static constexpr CGUIColor ToColor(uint32_t p) { return CGUIPixelFormat32::ToColor(p); }
    static constexpr uint32_t Blend(uint32_t source, uint32_t dest, int32_t coverage)
    {
        return CGUIPixelFormat32::Blend(source, dest, coverage);
    }
    static uint32_t Load(const uint8_t* p)
    {
        return static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[0];
    }
    static void Store(uint8_t* p, uint32_t v)
    {
        p[0] = static_cast<uint8_t>(v);
        p[1] = static_cast<uint8_t>(v >> 8);
        p[2] = static_cast<uint8_t>(v >> 16);
    }
};

// 5-5-5 with the top bit 0; components lose their low 3 bits when stored and
// are widened by a shift of 3 when read back.
struct CGUIPixelFormat16 {
    static constexpr int32_t kBitsPerPixel = 16;
    static constexpr int32_t kBytesPerPixel = 2;

    static constexpr int32_t RowLength(int32_t width) { return width + (width & 1); }
    static constexpr int64_t RowBytes(int32_t rowLength) { return static_cast<int64_t>(rowLength) * 2; }

    static constexpr uint32_t FromColor(CGUIColor c)
    {
        return static_cast<uint32_t>(c.red >> 3) << 10 | static_cast<uint32_t>(c.green >> 3) << 5
            | static_cast<uint32_t>(c.blue >> 3);
    }
    static constexpr CGUIColor ToColor(uint32_t p)
    {
        return { static_cast<uint8_t>(((p >> 10) & 0x1F) << 3), static_cast<uint8_t>(((p >> 5) & 0x1F) << 3),
            static_cast<uint8_t>((p & 0x1F) << 3) };
    }
    static constexpr uint32_t Blend(uint32_t source, uint32_t dest, int32_t coverage)
    {
        return GUIBlendFields(source, dest, coverage, 10, 5, 0, 0x1F);
    }
    static uint32_t Load(const uint8_t* p)
    {
        uint16_t v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    static void Store(uint8_t* p, uint32_t v)
    {
        const auto narrow = static_cast<uint16_t>(v);
        std::memcpy(p, &narrow, sizeof narrow);
    }
};
