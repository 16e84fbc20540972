#pragma once

#include "graphics/CGUIClipBox.h"
#include "graphics/CGUIColor.h"
#include "graphics/CGUIPointF.h"
#include "graphics/GUIPixelFormat.h"
#include "graphics/GUISmoothLine.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

// The pixel memory of a bottom-up image in one of the formats of
// GUIPixelFormat.h: pixel (x, y) is element x of row height - 1 - y, and a row
// starts rowLength units (TFormat's row units) after the next lower one. The
// surface neither owns nor copies the memory. Every access is bounds-checked:
// points outside the image read as black and are never written.
template <class TFormat> class TGUIPixelSurface {
public:
    TGUIPixelSurface() = default;
    TGUIPixelSurface(void* bits, int32_t width, int32_t height, int32_t rowLength)
        : m_bits(static_cast<uint8_t*>(bits))
        , m_width(width)
        , m_height(height)
        , m_rowBytes(TFormat::RowBytes(rowLength))
    {
    }

    bool HasPixels() const
    {
        return m_bits && m_width > 0 && m_height > 0 && m_rowBytes >= int64_t { m_width } * TFormat::kBytesPerPixel;
    }
    bool Contains(int32_t x, int32_t y) const { return HasPixels() && x >= 0 && y >= 0 && x < m_width && y < m_height; }

    CGUIColor GetColor(int32_t x, int32_t y) const
    {
        return Contains(x, y) ? TFormat::ToColor(TFormat::Load(Address(x, y))) : CGUIColor {};
    }
    void SetColor(int32_t x, int32_t y, CGUIColor color)
    {
        if (Contains(x, y)) {
            TFormat::Store(Address(x, y), TFormat::FromColor(color));
        }
    }

    // The anti-aliased segment in device coordinates, clipped to the clip box
    // and to the image.
    void DrawSmoothLine(CGUIPointF from, CGUIPointF to, CGUIColor color, const CGUIClipBox& clip)
    {
        if (!HasPixels()) {
            return;
        }
        Plotter plotter { *this, TFormat::FromColor(color) };
        GUIDrawSmoothSegment(plotter, from, to, Intersect(clip));
    }

    // The clip box cut to the image's own pixels.
    CGUIClipBox Intersect(const CGUIClipBox& clip) const
    {
        return { std::max(clip.xmin, 0.0f), std::min(clip.xmax, static_cast<float>(m_width - 1)),
            std::max(clip.ymin, 0.0f), std::min(clip.ymax, static_cast<float>(m_height - 1)) };
    }

private:
    // Only reached with pixels inside the image (the renderer stays inside the
    // clip box, which Intersect keeps inside the image).
    struct Plotter {
        TGUIPixelSurface& surface;
        uint32_t color;

        void Plot(int32_t x, int32_t y, int32_t coverage)
        {
            uint8_t* p = surface.Address(x, y);
            TFormat::Store(p, TFormat::Blend(color, TFormat::Load(p), coverage));
        }
        void DrawRun(CGUIPoint from, CGUIPoint to)
        {
            if (from.y == to.y) {
                uint8_t* p = surface.Address(from.x, from.y);
                for (int32_t x = from.x; x < to.x; ++x, p += TFormat::kBytesPerPixel) {
                    TFormat::Store(p, color);
                }
            } else {
                for (int32_t y = from.y; y < to.y; ++y) {
                    TFormat::Store(surface.Address(from.x, y), color);
                }
            }
        }
    };

    uint8_t* Address(int32_t x, int32_t y) const
    {
        return m_bits
            + static_cast<ptrdiff_t>((m_height - 1 - y) * m_rowBytes + int64_t { x } * TFormat::kBytesPerPixel);
    }

    uint8_t* m_bits = nullptr;
    int32_t m_width = 0;
    int32_t m_height = 0;
    int64_t m_rowBytes = 0;
};

using CGUIPixelSurface32 = TGUIPixelSurface<CGUIPixelFormat32>;
using CGUIPixelSurface24 = TGUIPixelSurface<CGUIPixelFormat24>;
using CGUIPixelSurface16 = TGUIPixelSurface<CGUIPixelFormat16>;
