#pragma once

#include "graphics/CGUIFont.h"
#include "graphics/CGUIGdiPixelAccess.h"
#include "graphics/GUIPixelFormat.h"
#include "graphics/IGUIDrawContext.h"
#include "graphics/TGUIMemoryPixelAccess.h"

#include <memory>

class CGUIAttachedBitmap;
class CGUIPen;

// A drawing context over a native device context, which it owns: on
// destruction it is released to its owner window (ReleaseDC) when one is set,
// else deleted (DeleteDC). A device context that someone else frees (a paint
// or window-DC scope, one handed in by a message) is only borrowed (the kBorrow
// constructor). An empty context frees nothing and its blits do nothing.
class CGUIDrawContext : public virtual IGUIDrawContext {
public:
    struct CBorrow { };
    static constexpr CBorrow kBorrow {};

    // owner: the window for a GetDC device context; null for memory device
    // contexts.
    CGUIDrawContext(HDC dc, HWND owner);
    // Draws into dc and leaves it to its owner on destruction.
    CGUIDrawContext(CBorrow, HDC dc);
    CGUIDrawContext(const CGUIDrawContext&) = delete;
    CGUIDrawContext& operator=(const CGUIDrawContext&) = delete;
    ~CGUIDrawContext() override;

    // The description of the font selected into the device context, owned by
    // the context; GetAngle gives its rotation in degrees.
    virtual const IGUIFontDescription& GetCurrentFont();
    // The text's extent without regard to rotation; {0, 0} for null.
    virtual void GetPlainTextExtent(CGUISize& size, const char* text);

    HDC GetHDC() const override;
    void FillRectangle(const CGUIRect& rect, CGUIColor color) override;
    IGUIPen* CreatePen(CGUIColor color, int32_t style, CGUISize width) override;
    IGUISmoothPen* CreateSmoothPen(CGUIColor color) override;
    const IGUIPixelAccess* GetPixels() const override;
    IGUIPixelAccess* GetPixels() override;
    void Blit(const IGUIDrawContext& source, CGUIPoint sourcePos, CGUIPoint destPos, CGUISize size) override;
    void BlitTransparent(
        const IGUIDrawContext& source, CGUIPoint sourcePos, CGUIPoint destPos, CGUISize size, CGUIColor key) override;
    void BlitAlpha(const IGUIDrawContext& source, CGUIPoint sourcePos, CGUIPoint destPos, CGUISize size,
        uint8_t constantAlpha) override;
    void StretchBlit(const IGUIDrawContext& source, const CGUIRect& sourceRect, const CGUIRect& destRect) override;
    void DrawString(const char* text, CGUIPoint point) override;
    void DrawString(const char* text, const CGUIRect& rect, const CGUITextFormat& format) override;
    void Select(IGUIGraphicsObject& object) override;
    void SetTextColor(CGUIColor color) override;
    void SetBackgroundColor(CGUIColor color) override;
    void SetTransparentBackground(bool transparent) override;
    void GetTextExtent(CGUISize& size, const char* text) override;
    void GetTextBoxSize(CGUISize& size, const char* text, const CGUITextFormat& format, int32_t maxWidth) override;
    void SetOrigin(CGUIPoint origin) override;
    void OffsetOrigin(CGUIPoint offset) override;
    void GetOrigin(CGUIPoint& origin) const override;
    void ResetOrigin() override;
    void SetClipRect(const CGUIRect& rect) override;
    void GetClipRect(CGUIRect& rect) const override;
    void IntersectClip(const CGUIRect& rect) override;
    void SaveState(int32_t& token) override;
    void RestoreState(int32_t token) override;
    const IGUIImage* GetImage() const override;
    IGUIImage* GetImage() override;

private:
    IGUIPixelAccess* FindPixels(const IGUIImage* image) const;
    CGUIPen* NewPen(CGUIColor color, int32_t style, CGUISize width);

    HDC m_dc;
    bool m_borrowed = false;
    mutable CGUIGdiPixelAccess m_gdiPixels;
    CGUIFont m_font;
    HWND m_owner;
    // The wrapper of the bitmap selected into the device context, made on
    // first use and moved to whatever bitmap is selected now.
    mutable std::unique_ptr<CGUIAttachedBitmap> m_image;
    mutable TGUIMemoryPixelAccess<CGUIPixelFormat32> m_pixels32;
    mutable TGUIMemoryPixelAccess<CGUIPixelFormat24> m_pixels24;
    mutable TGUIMemoryPixelAccess<CGUIPixelFormat16> m_pixels16;
};
