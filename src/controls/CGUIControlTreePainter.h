#pragma once

#include "graphics/CGUIDIBSection.h"
#include "window/IGUIPainter.h"

#include <cstdint>
#include <memory>
#include <vector>

class IGUIControl;

// Paints a control and, over it, its visible children in their painting
// order. Its size is the control's size: that of the content painter. A
// control whose opacity is below 1 has its content painted into an off-screen
// image first, which is then blended over the destination.
class CGUIControlTreePainter : public IGUIPainter {
public:
    // control must outlive the painter.
    explicit CGUIControlTreePainter(IGUIControl& control);

    void Paint(IGUIDrawContext& dc, const IGUIRegion* clip) override;
    void SetSize(CGUISize size) override;
    CGUISize GetSize() const override;
    // The content painter's size notifier.
    CGUINotifier& GetSizeNotifier() override;

private:
    void PaintTranslucent(IGUIDrawContext& dc, const IGUIRegion& clip, uint8_t alpha);
    void PaintChildren(IGUIDrawContext& dc, const IGUIRegion& clip);

    IGUIControl& m_control;
    // Kept between paints; remade when the control's size changes.
    std::unique_ptr<CGUIDIBSection> m_image;
    std::vector<uint32_t> m_onBlack;
};
