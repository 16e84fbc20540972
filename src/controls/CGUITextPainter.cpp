#include "controls/CGUITextPainter.h"

#include "controls/CGUITextModel.h"
#include "graphics/CGUIDrawContext.h"

#include <windows.h>

namespace {

CGUIColor FromNative(COLORREF color)
{
    return { GetRValue(color), GetGValue(color), GetBValue(color) };
}

std::unique_ptr<CGUIFont> CopyDefaultFont()
{
    auto font = std::make_unique<CGUIFont>();
    font->CopyFrom(GetDefaultFont());
    return font;
}

// Each thread measures its texts in one memory context, kept until the thread
// ends: making a context is a round trip to the window server (three under
// Wine), and measuring leaves the context's state as it found it. A context
// that could not be made is tried again the next time.
CGUIDrawContext* MeasuringContext()
{
    static thread_local std::unique_ptr<CGUIDrawContext> context;
    if (!context || !context->GetHDC()) {
        context = std::make_unique<CGUIDrawContext>(CreateCompatibleDC(nullptr), nullptr);
    }
    return context->GetHDC() ? context.get() : nullptr;
}

} // namespace

CGUITextPainter::CGUITextPainter(CGUITextModel& model)
    : m_model(model)
    , m_font(CopyDefaultFont())
    , m_format { CGUITextFormat::kSingleLine, CGUITextFormat::kAlignCenter, CGUITextFormat::kAlignCenter }
    , m_backgroundColor(FromNative(GetSysColor(COLOR_WINDOW)))
{
    m_model.GetNotifier().AddListener(&m_textListener);
    FitToText();
}

CGUITextPainter::~CGUITextPainter()
{
    m_model.GetNotifier().RemoveListener(&m_textListener);
}

void CGUITextPainter::OnTextChanged()
{
    m_changeNotifier.Notify();
    FitToText();
}

void CGUITextPainter::Paint(IGUIDrawContext& dc, const IGUIRegion*)
{
    int32_t token = 0;
    dc.SaveState(token);
    dc.SetTextColor(m_textColor);
    dc.SetTransparentBackground(m_transparentBackground);
    dc.SetBackgroundColor(m_backgroundColor);
    dc.Select(*m_font);
    const CGUIRect rect { 0, 0, m_size.width, m_size.height };
    if (!m_transparentBackground) {
        dc.FillRectangle(rect, m_backgroundColor);
    }
    dc.DrawString(m_model.GetText(), rect, m_format);
    dc.RestoreState(token);
}

void CGUITextPainter::SetSize(CGUISize size)
{
    if (size == m_size) {
        return;
    }
    m_size = size;
    m_sizeNotifier.Notify();
}

void CGUITextPainter::SetFont(const CGUIFont& font)
{
    m_font = std::make_unique<CGUIFont>(font);
    m_changeNotifier.Notify();
    FitToText();
}

void CGUITextPainter::SetFormat(const CGUITextFormat& format)
{
    if (format == m_format) {
        return;
    }
    m_format = format;
    m_changeNotifier.Notify();
    FitToText();
}

void CGUITextPainter::SetTextColor(CGUIColor color)
{
    if (color == m_textColor) {
        return;
    }
    m_textColor = color;
    m_changeNotifier.Notify();
}

void CGUITextPainter::SetBackgroundColor(CGUIColor color)
{
    if (color == m_backgroundColor) {
        return;
    }
    m_backgroundColor = color;
    m_changeNotifier.Notify();
}

void CGUITextPainter::SetTransparentBackground(bool transparent)
{
    if (transparent == m_transparentBackground) {
        return;
    }
    m_transparentBackground = transparent;
    m_changeNotifier.Notify();
}

void CGUITextPainter::FitToText()
{
    if (!m_autoWidth && !m_autoHeight) {
        return;
    }
    const int32_t maxWidth = m_autoWidth ? 0 : m_size.width;
    CGUISize measured;
    {
        // A memory context measures as the screen does (same resolution and
        // fonts) without taking the screen's, a round trip to the window server.
        CGUIDrawContext* dc = MeasuringContext();
        if (!dc) {
            return;
        }
        int32_t token = 0;
        dc->SaveState(token);
        dc->Select(*m_font);
        dc->GetTextBoxSize(measured, m_model.GetText(), m_format, maxWidth);
        dc->RestoreState(token);
    }
    if (!m_autoHeight) {
        measured.height = m_size.height;
    }
    if (!m_autoWidth) {
        measured.width = m_size.width;
    }
    SetSize(measured);
}
