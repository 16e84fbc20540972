#include "controls/CGUIControlTreePainter.h"

#include "controls/IGUIControl.h"
#include "graphics/CGUIRegion.h"
#include "graphics/IGUIDrawContext.h"

#include <windows.h>

#include <algorithm>

CGUIControlTreePainter::CGUIControlTreePainter(IGUIControl& control)
    : m_control(control)
{
}

void CGUIControlTreePainter::Paint(IGUIDrawContext& dc, const IGUIRegion* clip)
{
    if (!m_control.IsVisible()) {
        return;
    }
    const CGUISize size = GetSize();
    std::unique_ptr<IGUIRegion> region(
        clip != nullptr ? clip->Clone() : new CGUIRegion(CGUIRect { 0, 0, size.width, size.height }));
    if (region == nullptr) {
        return;
    }
    int32_t token = 0;
    dc.SaveState(token);
    CGUIRect bounds;
    region->GetBounds(bounds);
    dc.IntersectClip(bounds);
    // Opacity is kept within 0..1, so this is the rounded 0..255 alpha.
    const auto alpha = static_cast<int32_t>(m_control.GetOpacity() * 255.0f + 0.5f);
    if (alpha >= 255) {
        m_control.GetContentPainter()->Paint(dc, region.get());
    } else if (alpha > 0) {
        PaintTranslucent(dc, *region, static_cast<uint8_t>(alpha));
    }
    PaintChildren(dc, *region);
    dc.RestoreState(token);
}

void CGUIControlTreePainter::PaintTranslucent(IGUIDrawContext& dc, const IGUIRegion& clip, uint8_t alpha)
{
    const CGUISize size = GetSize();
    if (size.width <= 0 || size.height <= 0) {
        return;
    }
    CGUISize imageSize;
    if (m_image != nullptr) {
        m_image->GetSize(imageSize);
    }
    if (m_image == nullptr || imageSize != size) {
        m_image = std::make_unique<CGUIDIBSection>(size, 32);
    }
    auto* bits = static_cast<uint32_t*>(m_image->GetBits());
    std::unique_ptr<IGUIDrawContext> imageDc(m_image->CreateDrawContext(&dc));
    if (bits == nullptr || imageDc == nullptr) {
        return;
    }
    // The blend needs premultiplied per-pixel alpha, which GDI drawing never
    // writes. Painting the content over black and over white tells how much of
    // each pixel it covers: a covered pixel comes out the same on both, an
    // untouched one keeps the backdrop. Over black the colour is already
    // premultiplied by that coverage.
    const CGUIRect whole { 0, 0, size.width, size.height };
    IGUIPainter* content = m_control.GetContentPainter();
    imageDc->FillRectangle(whole, CGUIColor { 0, 0, 0 });
    content->Paint(*imageDc, &clip);
    GdiFlush();
    const size_t count = static_cast<size_t>(size.width) * static_cast<size_t>(size.height);
    m_onBlack.assign(bits, bits + count);
    imageDc->FillRectangle(whole, CGUIColor { 255, 255, 255 });
    content->Paint(*imageDc, &clip);
    GdiFlush();
    for (size_t i = 0; i < count; ++i) {
        const uint32_t black = m_onBlack[i];
        const uint32_t white = bits[i];
        uint32_t uncovered = 255;
        for (int shift = 0; shift < 24; shift += 8) {
            const uint32_t lit = (white >> shift) & 0xFF;
            const uint32_t dark = (black >> shift) & 0xFF;
            uncovered = std::min(uncovered, lit > dark ? lit - dark : 0);
        }
        bits[i] = (255 - uncovered) << 24 | (black & 0x00FFFFFF);
    }
    dc.BlitAlpha(*imageDc, CGUIPoint {}, CGUIPoint {}, size, alpha);
}

void CGUIControlTreePainter::PaintChildren(IGUIDrawContext& dc, const IGUIRegion& clip)
{
    std::unique_ptr<IGUIControlIterator> children(m_control.CreateChildIterator());
    if (children == nullptr) {
        return;
    }
    while (IGUIControl* child = children->Next()) {
        if (!child->IsVisible()) {
            continue;
        }
        std::unique_ptr<IGUIRegion> region(clip.Clone());
        if (region == nullptr) {
            continue;
        }
        const CGUIPoint position = child->GetPosition();
        IGUIPainter* painter = child->GetTreePainter();
        const CGUISize size = painter->GetSize();
        region->Offset(CGUIPoint { -position.x, -position.y });
        region->IntersectRect(CGUIRect { 0, 0, size.width, size.height });
        if (region->IsEmpty()) {
            continue;
        }
        dc.OffsetOrigin(position);
        painter->Paint(dc, region.get());
        dc.OffsetOrigin(CGUIPoint { -position.x, -position.y });
    }
}

void CGUIControlTreePainter::SetSize(CGUISize size)
{
    m_control.GetContentPainter()->SetSize(size);
}

CGUISize CGUIControlTreePainter::GetSize() const
{
    return m_control.GetContentPainter()->GetSize();
}

CGUINotifier& CGUIControlTreePainter::GetSizeNotifier()
{
    return m_control.GetContentPainter()->GetSizeNotifier();
}
