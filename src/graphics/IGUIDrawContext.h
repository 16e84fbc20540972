#pragma once

#include "graphics/CGUIColor.h"
#include "graphics/CGUIPoint.h"
#include "graphics/CGUIRect.h"
#include "graphics/CGUISize.h"
#include "graphics/CGUITextFormat.h"

#include <windows.h>

#include <cstdint>

class IGUIGraphicsObject;
class IGUIImage;
class IGUIPen;
class IGUIPixelAccess;
class IGUISmoothPen;

// The one drawing interface of windows, controls and images, over a native
// device context. Coordinates are pixels in the context's logical system:
// device pixels shifted by the origin. Native state changes (selected
// objects, colours, background mode, origin, clip) stay in the device context
// until changed back; bracket temporary ones with SaveState/RestoreState.
// Platform failures are not reported.
class IGUIDrawContext {
public:
    virtual HDC GetHDC() const = 0;
    virtual void FillRectangle(const CGUIRect& rect, CGUIColor color) = 0;
    // Pens draw into this context and must not outlive it; the caller deletes
    // them. style: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, other
    // values solid. Null when out of memory.
    virtual IGUIPen* CreatePen(CGUIColor color, int32_t style, CGUISize width) = 0;
    virtual IGUISmoothPen* CreateSmoothPen(CGUIColor color) = 0;
    // Pixel access owned by the context; obtain it anew for each use (it
    // follows the selected image and the origin as they are now).
    virtual const IGUIPixelAccess* GetPixels() const = 0;
    virtual IGUIPixelAccess* GetPixels() = 0;
    // Copies size pixels from source at sourcePos to destPos.
    virtual void Blit(const IGUIDrawContext& source, CGUIPoint sourcePos, CGUIPoint destPos, CGUISize size) = 0;
    // The same, leaving out source pixels of colour key.
    virtual void BlitTransparent(
        const IGUIDrawContext& source, CGUIPoint sourcePos, CGUIPoint destPos, CGUISize size, CGUIColor key)
        = 0;
    // Blends a source with premultiplied per-pixel alpha over this context,
    // scaled by constantAlpha.
    virtual void BlitAlpha(
        const IGUIDrawContext& source, CGUIPoint sourcePos, CGUIPoint destPos, CGUISize size, uint8_t constantAlpha)
        = 0;
    // Scales sourceRect of source into destRect with halftone filtering.
    virtual void StretchBlit(const IGUIDrawContext& source, const CGUIRect& sourceRect, const CGUIRect& destRect) = 0;
    // text is NUL-terminated; null draws nothing.
    virtual void DrawString(const char* text, CGUIPoint point) = 0;
    // With a rotated font the format is ignored and the text's rotated
    // bounding box starts at the rectangle's top-left corner.
    virtual void DrawString(const char* text, const CGUIRect& rect, const CGUITextFormat& format) = 0;
    // Selects the object's native object; the previous one is not kept.
    virtual void Select(IGUIGraphicsObject& object) = 0;
    virtual void SetTextColor(CGUIColor color) = 0;
    virtual void SetBackgroundColor(CGUIColor color) = 0;
    virtual void SetTransparentBackground(bool transparent) = 0;
    // The bounding box of the text as drawn with the selected (possibly
    // rotated) font; {0, 0} for null.
    virtual void GetTextExtent(CGUISize& size, const char* text) = 0;
    // The size text takes in a box maxWidth wide when wrapped by format;
    // single-line formats and rotated fonts measure as GetTextExtent.
    virtual void GetTextBoxSize(CGUISize& size, const char* text, const CGUITextFormat& format, int32_t maxWidth) = 0;
    virtual void SetOrigin(CGUIPoint origin) = 0;
    virtual void OffsetOrigin(CGUIPoint offset) = 0;
    virtual void GetOrigin(CGUIPoint& origin) const = 0;
    virtual void ResetOrigin() = 0;
    // Replaces the clip with rect (logical coordinates).
    virtual void SetClipRect(const CGUIRect& rect) = 0;
    virtual void GetClipRect(CGUIRect& rect) const = 0;
    virtual void IntersectClip(const CGUIRect& rect) = 0;
    // token identifies the saved state for RestoreState (0 on failure).
    virtual void SaveState(int32_t& token) = 0;
    virtual void RestoreState(int32_t token) = 0;
    // The image the context draws into, or null; owned by the context.
    virtual const IGUIImage* GetImage() const = 0;
    virtual IGUIImage* GetImage() = 0;
    virtual ~IGUIDrawContext() = default;
};
