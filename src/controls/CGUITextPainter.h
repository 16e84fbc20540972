#pragma once

#include "foundation/CGUINotifier.h"
#include "foundation/TMemberListener.h"
#include "graphics/CGUIColor.h"
#include "graphics/CGUIFont.h"
#include "graphics/CGUITextFormat.h"
#include "window/IGUIPainter.h"

#include <memory>

class CGUITextModel;

// Paints the text of a text model with a font, colours and a format, and owns
// the size of the text control it belongs to. The size can follow the text
// (FitToText): a new painter fits itself to the model's text at once and again
// after every text change, and after a change of font or format.
//
// Defaults: a copy of the default GUI font, single line centred both ways,
// black text on the COLOR_WINDOW colour, opaque background, auto width and
// auto height on.
class CGUITextPainter : public IGUIPainter {
public:
    // model must outlive the painter.
    explicit CGUITextPainter(CGUITextModel& model);
    CGUITextPainter(const CGUITextPainter&) = delete;
    CGUITextPainter& operator=(const CGUITextPainter&) = delete;
    ~CGUITextPainter() override;

    // Fills the rectangle with the background colour unless the background is
    // transparent, then draws the text in it with the format.
    void Paint(IGUIDrawContext& dc, const IGUIRegion* clip) override;
    void SetSize(CGUISize size) override;
    CGUISize GetSize() const override { return m_size; }
    CGUINotifier& GetSizeNotifier() override { return m_sizeNotifier; }

    // Keeps a copy of font and refits.
    void SetFont(const CGUIFont& font);
    const CGUIFont& GetFont() const { return *m_font; }
    // Refits.
    void SetFormat(const CGUITextFormat& format);
    const CGUITextFormat& GetFormat() const { return m_format; }
    void SetTextColor(CGUIColor color);
    CGUIColor GetTextColor() const { return m_textColor; }
    void SetBackgroundColor(CGUIColor color);
    CGUIColor GetBackgroundColor() const { return m_backgroundColor; }
    void SetTransparentBackground(bool transparent);
    bool IsTransparentBackground() const { return m_transparentBackground; }
    // The switches take effect at the next FitToText.
    void SetAutoWidth(bool autoWidth) { m_autoWidth = autoWidth; }
    bool IsAutoWidth() const { return m_autoWidth; }
    void SetAutoHeight(bool autoHeight) { m_autoHeight = autoHeight; }
    bool IsAutoHeight() const { return m_autoHeight; }

    // Sets the size to the text as measured with the font and format on the
    // screen: a dimension whose auto switch is off keeps its current value; with
    // auto width off the text wraps within the current width. Nothing happens
    // with both switches off.
    void FitToText();

    // Fires when anything the painter shows changes: the text, the font, the
    // format, the colours or the background mode.
    CGUINotifier& GetChangeNotifier() { return m_changeNotifier; }

private:
    void OnTextChanged();

    CGUITextModel& m_model;
    CGUISize m_size;
    std::unique_ptr<CGUIFont> m_font;
    CGUITextFormat m_format;
    CGUIColor m_textColor;
    CGUIColor m_backgroundColor;
    bool m_transparentBackground = false;
    bool m_autoWidth = true;
    bool m_autoHeight = true;
    CGUINotifier m_sizeNotifier;
    CGUINotifier m_changeNotifier;
    TMemberListener<CGUITextPainter> m_textListener { *this, &CGUITextPainter::OnTextChanged };
};
