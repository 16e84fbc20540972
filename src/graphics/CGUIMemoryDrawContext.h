#pragma once

#include "graphics/CGUIDrawContext.h"

// A drawing context over a new memory device context with an image selected
// into it. The image is not owned and must outlive the context; destroying the
// context selects the previous bitmap back, so the image can be selected
// elsewhere afterwards.
class CGUIMemoryDrawContext : public CGUIDrawContext {
public:
    // reference (may be null) gives the device the memory context is
    // compatible with.
    CGUIMemoryDrawContext(IGUIDrawContext* reference, IGUIImage& image);
    ~CGUIMemoryDrawContext() override;

    const IGUIImage* GetImage() const override;
    IGUIImage* GetImage() override;

private:
    HGDIOBJ m_previous;
    IGUIImage& m_image;
};
