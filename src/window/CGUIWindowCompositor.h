#pragma once

#include "graphics/CGUIDIBSection.h"
#include "graphics/CGUIRegion.h"
#include "graphics/TGUIGdiObject.h"

#include <windows.h>

#include <memory>

class CGUICustomWindow;
class CGUIWindow;
class IGUIDrawContext;
class IGUIPainter;

// The painting side of a framework window: WM_PAINT and WM_PRINTCLIENT through
// the window's painter, optionally into a back buffer of which only what was
// invalidated since is repainted (the painted region), and the composition of
// a translucent child window over its parent and the siblings below it.
class CGUIWindowCompositor {
public:
    explicit CGUIWindowCompositor(CGUICustomWindow& window)
        : m_window(window)
    {
    }
    CGUIWindowCompositor(const CGUIWindowCompositor&) = delete;
    CGUIWindowCompositor& operator=(const CGUIWindowCompositor&) = delete;

    // WM_PAINT or WM_PRINTCLIENT (wParam: the device context to print into).
    LRESULT OnPaint(UINT message, WPARAM wParam);
    // Paints the window into context as it appears on the screen: over a
    // translucent child its parent and the siblings below it first. clip is in
    // client coordinates.
    void Compose(IGUIDrawContext& context, const CGUIRegion& clip);

    // The painted region lives from WM_CREATE (empty) to WM_DESTROY.
    void StartPaintedRegion() { m_paintedRegion.Reset(CreateRectRgn(0, 0, 0, 0)); }
    void EndPaintedRegion() { m_paintedRegion.Reset(); }
    // The rectangle (none: everything) must be painted into the back buffer
    // again.
    void Invalidate(const CGUIRect* rect);

    void SetBackBuffered(bool backBuffered);
    [[nodiscard]] bool IsBackBuffered() const { return m_backBuffered; }
    // The back buffer, or none before the first back-buffered paint.
    const IGUIImage* GetBackBuffer() const { return m_backBuffer.get(); }

private:
    // Paints window and its children; clip in window's client coordinates.
    static void PaintTree(CGUIWindow& window, IGUIDrawContext& context, const CGUIRegion& clip);
    // Paints child as a tree where its parent is being painted with parentClip.
    static void PaintChild(CGUIWindow& child, IGUIDrawContext& context, const CGUIRegion& parentClip);
    static void PaintClipped(IGUIPainter& painter, IGUIDrawContext& context, const CGUIRegion& clip);
    void PaintBackBuffered(IGUIDrawContext& target, HRGN update, const CGUIRect& paintRect);

    CGUICustomWindow& m_window;
    bool m_backBuffered = false;
    std::unique_ptr<CGUIDIBSection> m_backBuffer;
    TGUIGdiObject<HRGN> m_paintedRegion;
};
