#include "window/CGUIWindowCompositor.h"

#include "foundation/CGUILifetimeGuard.h"
#include "graphics/CGUIDrawContext.h"
#include "graphics/CGUIPaintScope.h"
#include "graphics/GUINative.h"
#include "window/CGUICustomWindow.h"
#include "window/IGUIPainter.h"

namespace {
// The client origin of window in its parent's client coordinates.
CGUIPoint ClientOffsetInParent(CGUIWindow& window)
{
    const CGUIPoint position = window.GetPositionInParent();
    const CGUIRect client = window.GetClientArea();
    return CGUIPoint { position.x + client.x, position.y + client.y };
}

CGUIPoint Negate(CGUIPoint point)
{
    return CGUIPoint { -point.x, -point.y };
}

// Shown within its parent; the parent itself may be hidden (printing).
bool HasVisibleStyle(const CGUIWindow& window)
{
    return (GetWindowLongPtrA(window.GetHandle(), GWL_STYLE) & WS_VISIBLE) != 0;
}
} // namespace

LRESULT CGUIWindowCompositor::OnPaint(UINT message, WPARAM wParam)
{
    const HWND hwnd = m_window.GetHandle();
    const bool translucentChild = m_window.IsChildWindow() && m_window.IsLayered();
    if (!m_window.GetPainter() && !translucentChild) {
        return m_window.DefaultProc(message, wParam, 0);
    }
    if (message == WM_PRINTCLIENT) {
        const CGUISize size = m_window.GetClientSize();
        CGUIDrawContext context(CGUIDrawContext::kBorrow, reinterpret_cast<HDC>(wParam));
        Compose(context, CGUIRegion(CGUIRect { 0, 0, size.width, size.height }));
        return 0;
    }
    const TGUIGdiObject<HRGN> update(CreateRectRgn(0, 0, 0, 0));
    GetUpdateRgn(hwnd, update.Get(), FALSE);
    const CGUIPaintScope paint(hwnd);
    if (!paint.GetDC()) {
        return 0;
    }
    const CGUIRect paintRect = paint.GetPaintRect();
    CGUIDrawContext context(CGUIDrawContext::kBorrow, paint.GetDC());
    if (!m_backBuffered) {
        if (paintRect.width > 0 && paintRect.height > 0) {
            Compose(context, CGUIRegion(paintRect));
        }
    } else {
        PaintBackBuffered(context, update.Get(), paintRect);
    }
    return 0;
}

void CGUIWindowCompositor::PaintBackBuffered(IGUIDrawContext& target, HRGN update, const CGUIRect& paintRect)
{
    const CGUISize clientSize = m_window.GetClientSize();
    if (clientSize.width <= 0 || clientSize.height <= 0) {
        return;
    }
    CGUISize bufferSize;
    if (m_backBuffer) {
        m_backBuffer->GetSize(bufferSize);
    }
    if (!m_backBuffer || !(bufferSize == clientSize) || !m_paintedRegion) {
        m_backBuffer = std::make_unique<CGUIDIBSection>(clientSize, 32);
        m_paintedRegion.Reset(CreateRectRgn(0, 0, 0, 0));
    }
    const std::unique_ptr<IGUIDrawContext> buffer(m_backBuffer->CreateDrawContext(&target));
    if (!buffer || !m_paintedRegion) {
        return;
    }
    const CGUILifetimeGuard guard(m_window.GetLifetime());
    const TGUIGdiObject<HRGN> invalid(CreateRectRgn(0, 0, 0, 0));
    const int kind = CombineRgn(invalid.Get(), update, m_paintedRegion.Get(), RGN_DIFF);
    if (kind != NULLREGION && kind != ERROR) {
        Compose(*buffer, CGUIRegion(invalid.Get(), false));
        if (guard.IsGone()) {
            return;
        }
    }
    CombineRgn(m_paintedRegion.Get(), m_paintedRegion.Get(), update, RGN_OR);
    target.Blit(*buffer, CGUIPoint { paintRect.x, paintRect.y }, CGUIPoint { paintRect.x, paintRect.y },
        CGUISize { paintRect.width, paintRect.height });
}

void CGUIWindowCompositor::Compose(IGUIDrawContext& context, const CGUIRegion& clip)
{
    const HWND hwnd = m_window.GetHandle();
    auto* parent = hwnd && m_window.IsChildWindow() && m_window.IsLayered()
        ? dynamic_cast<CGUICustomWindow*>(CGUIWindow::FromHandle(GetParent(hwnd)))
        : nullptr;
    if (parent) {
        const CGUIPoint offset = ClientOffsetInParent(m_window);
        context.OffsetOrigin(Negate(offset));
        const std::unique_ptr<CGUIRegion> parentClip(clip.Clone());
        if (parentClip) {
            parentClip->Offset(offset);
            parent->Compose(context, *parentClip);
            // The siblings under this window, from the bottom of the z-order up.
            for (HWND sibling = GetWindow(hwnd, GW_HWNDLAST); sibling && sibling != hwnd;
                 sibling = GetWindow(sibling, GW_HWNDPREV)) {
                CGUIWindow* window = CGUIWindow::FromHandle(sibling);
                if (window && HasVisibleStyle(*window)) {
                    PaintChild(*window, context, *parentClip);
                }
            }
        }
        context.OffsetOrigin(offset);
    }
    if (IGUIPainter* painter = m_window.GetPainter()) {
        PaintClipped(*painter, context, clip);
    }
}

void CGUIWindowCompositor::PaintChild(CGUIWindow& child, IGUIDrawContext& context, const CGUIRegion& parentClip)
{
    const CGUIPoint offset = ClientOffsetInParent(child);
    const CGUISize size = child.GetClientSize();
    const std::unique_ptr<CGUIRegion> clip(parentClip.Clone());
    if (!clip) {
        return;
    }
    clip->Offset(Negate(offset));
    clip->IntersectRect(CGUIRect { 0, 0, size.width, size.height });
    if (clip->IsEmpty()) {
        return;
    }
    context.OffsetOrigin(offset);
    PaintTree(child, context, *clip);
    context.OffsetOrigin(Negate(offset));
}

void CGUIWindowCompositor::PaintTree(CGUIWindow& window, IGUIDrawContext& context, const CGUIRegion& clip)
{
    auto* custom = dynamic_cast<CGUICustomWindow*>(&window);
    if (IGUIPainter* painter = custom ? custom->GetPainter() : nullptr) {
        PaintClipped(*painter, context, clip);
    }
    const HWND top = GetWindow(window.GetHandle(), GW_CHILD);
    for (HWND child = top ? GetWindow(top, GW_HWNDLAST) : nullptr; child; child = GetWindow(child, GW_HWNDPREV)) {
        CGUIWindow* childWindow = CGUIWindow::FromHandle(child);
        if (childWindow && HasVisibleStyle(*childWindow)) {
            PaintChild(*childWindow, context, clip);
        }
    }
}

void CGUIWindowCompositor::PaintClipped(IGUIPainter& painter, IGUIDrawContext& context, const CGUIRegion& clip)
{
    int32_t state = 0;
    context.SaveState(state);
    // Clip regions are in device coordinates, the painter's clip in logical.
    const std::unique_ptr<CGUIRegion> deviceClip(clip.Clone());
    if (deviceClip) {
        CGUIPoint origin;
        context.GetOrigin(origin);
        deviceClip->Offset(origin);
        ExtSelectClipRgn(context.GetHDC(), deviceClip->GetHandle(), RGN_AND);
    }
    painter.Paint(context, &clip);
    context.RestoreState(state);
}

void CGUIWindowCompositor::Invalidate(const CGUIRect* rect)
{
    if (!m_paintedRegion) {
        return;
    }
    if (!rect) {
        SetRectRgn(m_paintedRegion.Get(), 0, 0, 0, 0);
        return;
    }
    if (rect->width > 0 && rect->height > 0) {
        const RECT native = GUIToRect(*rect);
        const TGUIGdiObject<HRGN> area(CreateRectRgnIndirect(&native));
        CombineRgn(m_paintedRegion.Get(), m_paintedRegion.Get(), area.Get(), RGN_DIFF);
    }
}

void CGUIWindowCompositor::SetBackBuffered(bool backBuffered)
{
    if (backBuffered == m_backBuffered) {
        return;
    }
    m_backBuffered = backBuffered;
    if (!backBuffered) {
        m_backBuffer.reset();
    }
    m_window.Invalidate(nullptr, false);
}
