#pragma once

#include "graphics/CGUIPen.h"
#include "graphics/GUIPixelFormat.h"
#include "graphics/IGUIImage.h"
#include "graphics/TGUIPixelSurface.h"

// A pen over a DIB section of TFormat's depth: anti-aliased lines and points
// go straight into the image memory, whole-pixel lines through the platform
// with a solid 1-pixel native pen. The image's memory, size and row length are
// read once at construction; before each drawing operation the pen checks
// that the image still has that memory (it draws nothing otherwise) and reads
// the context's origin and clip anew. The pen must not outlive the image.
template <class TFormat> class TGUIDIBPen : public CGUIPen {
public:
    TGUIDIBPen(HDC dc, IGUIImage& image, CGUIColor color);

    using CGUIPen::DrawLine;
    using CGUIPen::DrawPoint;
    using CGUIPen::DrawPolyline;

    void DrawLine(CGUIPointF from, CGUIPointF to) override;
    void DrawPolyline(const CGUIPointF* points, int32_t count) override;
    // Writes the pen colour unblended into the pixel at the point (truncated
    // toward zero) when it lies inside the clip.
    void DrawPoint(CGUIPointF point) override;

    int32_t GetRowLength() const { return m_rowLength; }

private:
    // False when the image lost its memory; otherwise origin and clip are current.
    bool Refresh();
    CGUIPointF ToDevice(CGUIPointF point) const { return { point.x + m_originF.x, point.y + m_originF.y }; }

    IGUIImage& m_image;
    void* m_bits;
    int32_t m_width = 0;
    int32_t m_height = 0;
    int32_t m_rowLength = 0;
    CGUIPoint m_origin;
    CGUIPointF m_originF;
    CGUIClipBox m_clip;
    TGUIPixelSurface<TFormat> m_surface;
};

using CGUIDIBPen32 = TGUIDIBPen<CGUIPixelFormat32>;
using CGUIDIBPen24 = TGUIDIBPen<CGUIPixelFormat24>;
using CGUIDIBPen16 = TGUIDIBPen<CGUIPixelFormat16>;

extern template class TGUIDIBPen<CGUIPixelFormat32>;
extern template class TGUIDIBPen<CGUIPixelFormat24>;
extern template class TGUIDIBPen<CGUIPixelFormat16>;
