#include "graphics/CGUIRegion.h"

#include "graphics/GUINative.h"
#include "graphics/TGUIGdiObject.h"

#include <new>

namespace {

HRGN CreateRegion(const CGUIRect& rect)
{
    const RECT r = GUIToRect(rect);
    return CreateRectRgn(r.left, r.top, r.right, r.bottom);
}

} // namespace

CGUIRegion::CGUIRegion(const CGUIRect& rect)
    : CGUIRegion(CreateRegion(rect), true)
{
}

CGUIRegion::CGUIRegion(HRGN handle, bool owns)
    : m_handle(handle)
    , m_owns(owns)
{
}

CGUIRegion::~CGUIRegion()
{
    if (m_owns && m_handle) {
        DeleteObject(m_handle);
    }
}

void CGUIRegion::GetRegionBounds(HRGN region, CGUIRect& bounds)
{
    RECT box {};
    if (!region || GetRgnBox(region, &box) == 0) {
        bounds = {};
        return;
    }
    bounds = GUIFromRect(box);
}

void CGUIRegion::GetBounds(CGUIRect& bounds) const
{
    GetRegionBounds(m_handle, bounds);
}

bool CGUIRegion::IsEmpty() const
{
    CGUIRect bounds;
    GetBounds(bounds);
    return bounds.width == 0 || bounds.height == 0;
}

CGUIRegion* CGUIRegion::Clone() const
{
    TGUIGdiObject<HRGN> copy(CreateRectRgn(0, 0, 0, 0));
    if (!copy || CombineRgn(copy.Get(), m_handle, nullptr, RGN_COPY) == ERROR) {
        return nullptr;
    }
    auto* region = new (std::nothrow) CGUIRegion(copy.Get(), true);
    if (region) {
        (void)copy.Release();
    }
    return region;
}

void CGUIRegion::IntersectRect(const CGUIRect& rect)
{
    const TGUIGdiObject<HRGN> r(CreateRegion(rect));
    if (r) {
        CombineRgn(m_handle, r.Get(), m_handle, RGN_AND);
    }
}

void CGUIRegion::Offset(CGUIPoint offset)
{
    OffsetRgn(m_handle, offset.x, offset.y);
}

void CGUIRegion::GetIntersectionBounds(CGUIRect& bounds, const CGUIRect& rect) const
{
    const TGUIGdiObject<HRGN> r(CreateRegion(rect));
    if (!r || CombineRgn(r.Get(), r.Get(), m_handle, RGN_AND) == ERROR) {
        bounds = {};
        return;
    }
    GetRegionBounds(r.Get(), bounds);
}
