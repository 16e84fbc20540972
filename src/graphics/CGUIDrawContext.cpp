#include "graphics/CGUIDrawContext.h"

#include "graphics/CGUIAttachedBitmap.h"
#include "graphics/CGUIDIBPen.h"
#include "graphics/CGUIPen.h"
#include "graphics/GUINative.h"
#include "graphics/TGUIGdiObject.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <numbers>

namespace {

UINT ToDrawTextFlags(const CGUITextFormat& format)
{
    UINT flags = DT_LEFT | DT_TOP;
    if (format.flags & CGUITextFormat::kSingleLine) {
        flags |= DT_SINGLELINE;
    }
    if (format.flags & CGUITextFormat::kWordBreak) {
        flags |= DT_WORDBREAK;
    }
    if (format.horizontal == CGUITextFormat::kAlignCenter) {
        flags |= DT_CENTER;
    } else if (format.horizontal == CGUITextFormat::kAlignEnd) {
        flags |= DT_RIGHT;
    }
    if (format.vertical == CGUITextFormat::kAlignCenter) {
        flags |= DT_VCENTER;
    } else if (format.vertical == CGUITextFormat::kAlignEnd) {
        flags |= DT_BOTTOM;
    }
    return flags;
}

double ToRadians(float degrees)
{
    return degrees * (1.0 / 180.0) * std::numbers::pi;
}

int32_t Round(double value)
{
    return static_cast<int32_t>(value + 0.5);
}

int TextLength(const char* text)
{
    return static_cast<int>(std::strlen(text));
}

} // namespace

CGUIDrawContext::CGUIDrawContext(HDC dc, HWND owner)
    : m_dc(dc)
    , m_gdiPixels(dc)
    , m_owner(owner)
{
}

CGUIDrawContext::CGUIDrawContext(CBorrow, HDC dc)
    : CGUIDrawContext(dc, nullptr)
{
    m_borrowed = true;
}

CGUIDrawContext::~CGUIDrawContext()
{
    if (m_dc && !m_borrowed) {
        if (m_owner) {
            ReleaseDC(m_owner, m_dc);
        } else {
            DeleteDC(m_dc);
        }
    }
    if (m_image) {
        (void)m_image->Detach();
    }
}

const IGUIFontDescription& CGUIDrawContext::GetCurrentFont()
{
    LOGFONTA description {};
    const HGDIOBJ font = m_dc ? GetCurrentObject(m_dc, OBJ_FONT) : nullptr;
    if (font && GetObjectA(font, sizeof description, &description) == sizeof description) {
        m_font.LoadDescription(description);
    } else {
        m_font.ResetDescription();
    }
    return m_font;
}

void CGUIDrawContext::GetPlainTextExtent(CGUISize& size, const char* text)
{
    SIZE extent {};
    if (!text || !GetTextExtentPoint32A(m_dc, text, TextLength(text), &extent)) {
        size = {};
        return;
    }
    size = { extent.cx, extent.cy };
}

HDC CGUIDrawContext::GetHDC() const
{
    return m_dc;
}

void CGUIDrawContext::FillRectangle(const CGUIRect& rect, CGUIColor color)
{
    const LOGBRUSH description { BS_SOLID, GUIToColorRef(color), 0 };
    const TGUIGdiObject<HBRUSH> brush(CreateBrushIndirect(&description));
    if (brush) {
        const RECT r = GUIToRect(rect);
        FillRect(m_dc, &r, brush.Get());
    }
}

CGUIPen* CGUIDrawContext::NewPen(CGUIColor color, int32_t style, CGUISize width)
{
    IGUIImage* image = GetImage();
    if (image && image->GetBits()) {
        switch (image->GetBitsPerPixel()) {
        case 32:
            return new (std::nothrow) CGUIDIBPen32(m_dc, *image, color);
        case 24:
            return new (std::nothrow) CGUIDIBPen24(m_dc, *image, color);
        case 16:
            return new (std::nothrow) CGUIDIBPen16(m_dc, *image, color);
        default:
            break;
        }
    }
    return new (std::nothrow) CGUIPen(m_dc, color, style, width);
}

IGUIPen* CGUIDrawContext::CreatePen(CGUIColor color, int32_t style, CGUISize width)
{
    return NewPen(color, style, width);
}

IGUISmoothPen* CGUIDrawContext::CreateSmoothPen(CGUIColor color)
{
    return NewPen(color, 0, { 1, 1 });
}

IGUIPixelAccess* CGUIDrawContext::FindPixels(const IGUIImage* image) const
{
    void* bits = image ? const_cast<void*>(image->GetBits()) : nullptr;
    if (bits) {
        // Pending platform drawing must reach the memory before it is read.
        GdiFlush();
        CGUISize size;
        image->GetSize(size);
        CGUIPoint origin;
        GetOrigin(origin);
        switch (image->GetBitsPerPixel()) {
        case 32:
            m_pixels32.Reset(image, bits, size, origin);
            return &m_pixels32;
        case 24:
            m_pixels24.Reset(image, bits, size, origin);
            return &m_pixels24;
        case 16:
            m_pixels16.Reset(image, bits, size, origin);
            return &m_pixels16;
        default:
            break;
        }
    }
    return &m_gdiPixels;
}

const IGUIPixelAccess* CGUIDrawContext::GetPixels() const
{
    return FindPixels(GetImage());
}

IGUIPixelAccess* CGUIDrawContext::GetPixels()
{
    return FindPixels(GetImage());
}

void CGUIDrawContext::Blit(const IGUIDrawContext& source, CGUIPoint sourcePos, CGUIPoint destPos, CGUISize size)
{
    if (m_dc) {
        BitBlt(m_dc, destPos.x, destPos.y, size.width, size.height, source.GetHDC(), sourcePos.x, sourcePos.y, SRCCOPY);
    }
}

void CGUIDrawContext::BlitTransparent(
    const IGUIDrawContext& source, CGUIPoint sourcePos, CGUIPoint destPos, CGUISize size, CGUIColor key)
{
    if (m_dc) {
        TransparentBlt(m_dc, destPos.x, destPos.y, size.width, size.height, source.GetHDC(), sourcePos.x, sourcePos.y,
            size.width, size.height, GUIToColorRef(key));
    }
}

void CGUIDrawContext::BlitAlpha(
    const IGUIDrawContext& source, CGUIPoint sourcePos, CGUIPoint destPos, CGUISize size, uint8_t constantAlpha)
{
    if (m_dc) {
        const BLENDFUNCTION blend { AC_SRC_OVER, 0, constantAlpha, AC_SRC_ALPHA };
        AlphaBlend(m_dc, destPos.x, destPos.y, size.width, size.height, source.GetHDC(), sourcePos.x, sourcePos.y,
            size.width, size.height, blend);
    }
}

void CGUIDrawContext::StretchBlit(const IGUIDrawContext& source, const CGUIRect& sourceRect, const CGUIRect& destRect)
{
    if (m_dc) {
        SetStretchBltMode(m_dc, HALFTONE);
        StretchBlt(m_dc, destRect.x, destRect.y, destRect.width, destRect.height, source.GetHDC(), sourceRect.x,
            sourceRect.y, sourceRect.width, sourceRect.height, SRCCOPY);
    }
}

void CGUIDrawContext::DrawString(const char* text, CGUIPoint point)
{
    if (text) {
        TextOutA(m_dc, point.x, point.y, text, TextLength(text));
    }
}

void CGUIDrawContext::DrawString(const char* text, const CGUIRect& rect, const CGUITextFormat& format)
{
    if (!text) {
        return;
    }
    const float angle = GetCurrentFont().GetAngle();
    if (angle == 0.0f) {
        RECT r = GUIToRect(rect);
        DrawTextA(m_dc, text, -1, &r, ToDrawTextFlags(format));
        return;
    }
    // The text's reference point is its unrotated top-left corner; it is moved
    // so that the rotated text's bounding box starts at the rectangle's corner.
    // The corners lie at w * (c, -s) and h * (s, c) from the reference point.
    CGUISize extent;
    GetPlainTextExtent(extent, text);
    const double theta = ToRadians(angle);
    const double s = std::sin(theta);
    const double c = std::cos(theta);
    const double w = extent.width;
    const double h = extent.height;
    const double dx = std::max(0.0, -w * c) + std::max(0.0, -h * s);
    const double dy = std::max(0.0, w * s) + std::max(0.0, -h * c);
    TextOutA(m_dc, rect.x + Round(dx), rect.y + Round(dy), text, TextLength(text));
}

void CGUIDrawContext::Select(IGUIGraphicsObject& object)
{
    SelectObject(m_dc, object.GetHandle());
}

void CGUIDrawContext::SetTextColor(CGUIColor color)
{
    ::SetTextColor(m_dc, GUIToColorRef(color));
}

void CGUIDrawContext::SetBackgroundColor(CGUIColor color)
{
    SetBkColor(m_dc, GUIToColorRef(color));
}

void CGUIDrawContext::SetTransparentBackground(bool transparent)
{
    SetBkMode(m_dc, transparent ? TRANSPARENT : OPAQUE);
}

void CGUIDrawContext::GetTextExtent(CGUISize& size, const char* text)
{
    if (!text) {
        size = {};
        return;
    }
    GetPlainTextExtent(size, text);
    const float angle = GetCurrentFont().GetAngle();
    if (angle != 0.0f) {
        const double theta = ToRadians(angle);
        const double s = std::abs(std::sin(theta));
        const double c = std::abs(std::cos(theta));
        const double w = size.width;
        const double h = size.height;
        size = { Round(w * c + h * s), Round(h * c + w * s) };
    }
}

void CGUIDrawContext::GetTextBoxSize(CGUISize& size, const char* text, const CGUITextFormat& format, int32_t maxWidth)
{
    if ((format.flags & CGUITextFormat::kSingleLine) || GetCurrentFont().GetAngle() != 0.0f) {
        GetTextExtent(size, text);
        return;
    }
    RECT r { 0, 0, maxWidth, 0 };
    if (!text || !DrawTextA(m_dc, text, -1, &r, ToDrawTextFlags(format) | DT_CALCRECT)) {
        size = {};
        return;
    }
    size = { r.right, r.bottom };
}

void CGUIDrawContext::SetOrigin(CGUIPoint origin)
{
    SetViewportOrgEx(m_dc, origin.x, origin.y, nullptr);
}

void CGUIDrawContext::OffsetOrigin(CGUIPoint offset)
{
    OffsetViewportOrgEx(m_dc, offset.x, offset.y, nullptr);
}

void CGUIDrawContext::GetOrigin(CGUIPoint& origin) const
{
    POINT p {};
    GetViewportOrgEx(m_dc, &p);
    origin = { p.x, p.y };
}

void CGUIDrawContext::ResetOrigin()
{
    SetViewportOrgEx(m_dc, 0, 0, nullptr);
}

void CGUIDrawContext::SetClipRect(const CGUIRect& rect)
{
    // Clip regions are in device coordinates.
    CGUIPoint origin;
    GetOrigin(origin);
    const RECT r = GUIToRect(rect);
    const TGUIGdiObject<HRGN> region(
        CreateRectRgn(r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y));
    if (region) {
        SelectClipRgn(m_dc, region.Get());
    }
}

void CGUIDrawContext::GetClipRect(CGUIRect& rect) const
{
    // GetClipBox already answers in logical coordinates, those of SetClipRect.
    RECT box {};
    if (GetClipBox(m_dc, &box) == ERROR) {
        rect = {};
        return;
    }
    rect = GUIFromRect(box);
}

void CGUIDrawContext::IntersectClip(const CGUIRect& rect)
{
    const RECT r = GUIToRect(rect);
    IntersectClipRect(m_dc, r.left, r.top, r.right, r.bottom);
}

void CGUIDrawContext::SaveState(int32_t& token)
{
    token = SaveDC(m_dc);
}

void CGUIDrawContext::RestoreState(int32_t token)
{
    RestoreDC(m_dc, token);
}

const IGUIImage* CGUIDrawContext::GetImage() const
{
    const auto bitmap = m_dc ? static_cast<HBITMAP>(GetCurrentObject(m_dc, OBJ_BITMAP)) : nullptr;
    if (!bitmap) {
        return nullptr;
    }
    if (!m_image) {
        m_image.reset(new (std::nothrow) CGUIAttachedBitmap(bitmap));
    } else if (m_image->GetHandle() != bitmap) {
        (void)m_image->Detach();
        m_image->SetHandle(bitmap);
    }
    return m_image.get();
}

IGUIImage* CGUIDrawContext::GetImage()
{
    return const_cast<IGUIImage*>(static_cast<const CGUIDrawContext*>(this)->GetImage());
}
