#pragma once

#include "controls/CGUIControl.h"
#include "controls/CGUITextModel.h"
#include "controls/CGUITextPainter.h"

// A windowless label: one text drawn by its text painter, which owns the
// control's size and by default sizes it to the text. Font, format, colours
// and the auto-size switches are set on the painter (GetTextPainter).
class CGUITextControl : public CGUIControl {
public:
    CGUITextControl() { WatchContent(&m_painter.GetChangeNotifier()); }

    // Copies text (null empties it), repaints and refits, also when the text
    // is unchanged.
    void SetText(const char* text) { m_model.SetText(text); }
    // Never null.
    const char* GetText() const { return m_model.GetText(); }
    CGUITextModel& GetTextModel() { return m_model; }
    CGUITextPainter& GetTextPainter() { return m_painter; }

    // The size of the control, as SetSize of the painter.
    void SetSize(CGUISize size) { m_painter.SetSize(size); }
    CGUISize GetSize() const { return m_painter.GetSize(); }

    IGUIPainter* GetContentPainter() override { return &m_painter; }

private:
    CGUITextModel m_model;
    CGUITextPainter m_painter { m_model };
};
