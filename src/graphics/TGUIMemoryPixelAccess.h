#pragma once

#include "graphics/IGUIImage.h"
#include "graphics/IGUIPixelAccess.h"
#include "graphics/TGUIPixelSurface.h"

// Pixel access straight into the memory of a DIB section of TFormat's depth,
// at logical coordinates (the context's origin is added). It is filled anew
// for each use and stays valid while the image and the origin stay as they
// were. Every access first checks that the image still has the same pixel
// memory, so an image whose bitmap was replaced or released is neither read
// (black) nor written; points outside the image are ignored the same way.
template <class TFormat> class TGUIMemoryPixelAccess : public IGUIPixelAccess {
public:
    void Reset(const IGUIImage* image, void* bits, CGUISize size, CGUIPoint origin)
    {
        m_image = image;
        m_surface = TGUIPixelSurface<TFormat>(bits, size.width, size.height, TFormat::RowLength(size.width));
        m_bits = bits;
        m_origin = origin;
    }

    void GetPixel(CGUIColor& color, CGUIPoint point) const override
    {
        CGUIPoint device;
        color = IsLive() && ToDevice(point, device) ? m_surface.GetColor(device.x, device.y) : CGUIColor {};
    }
    void SetPixel(CGUIPoint point, CGUIColor color) override
    {
        CGUIPoint device;
        if (IsLive() && ToDevice(point, device)) {
            m_surface.SetColor(device.x, device.y, color);
        }
    }

private:
    bool ToDevice(CGUIPoint point, CGUIPoint& device) const
    {
        return !__builtin_add_overflow(point.x, m_origin.x, &device.x)
            && !__builtin_add_overflow(point.y, m_origin.y, &device.y);
    }
    bool IsLive() const { return m_image && m_bits && m_image->GetBits() == m_bits; }

    const IGUIImage* m_image = nullptr;
    const void* m_bits = nullptr;
    TGUIPixelSurface<TFormat> m_surface;
    CGUIPoint m_origin;
};
