#pragma once

#include "graphics/IGUIRegion.h"

#include <windows.h>

// A native region (HRGN). A region made here owns its handle and deletes it;
// one wrapped with owns false is only borrowed.
class CGUIRegion : public IGUIRegion {
public:
    explicit CGUIRegion(const CGUIRect& rect);
    CGUIRegion(HRGN handle, bool owns);
    CGUIRegion(const CGUIRegion&) = delete;
    CGUIRegion& operator=(const CGUIRegion&) = delete;
    ~CGUIRegion() override;

    void GetBounds(CGUIRect& bounds) const override;
    bool IsEmpty() const override;
    CGUIRegion* Clone() const override;
    void IntersectRect(const CGUIRect& rect) override;
    void Offset(CGUIPoint offset) override;
    void GetIntersectionBounds(CGUIRect& bounds, const CGUIRect& rect) const override;

    HRGN GetHandle() const { return m_handle; }

private:
    static void GetRegionBounds(HRGN region, CGUIRect& bounds);

    HRGN m_handle;
    bool m_owns;
};
