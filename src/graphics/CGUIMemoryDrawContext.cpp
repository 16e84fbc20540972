#include "graphics/CGUIMemoryDrawContext.h"

#include "graphics/IGUIImage.h"

CGUIMemoryDrawContext::CGUIMemoryDrawContext(IGUIDrawContext* reference, IGUIImage& image)
    : CGUIDrawContext(CreateCompatibleDC(reference ? reference->GetHDC() : nullptr), nullptr)
    , m_previous(nullptr)
    , m_image(image)
{
    const HDC dc = GetHDC();
    const HBITMAP bitmap = image.GetHandle();
    if (dc && bitmap) {
        m_previous = SelectObject(dc, bitmap);
        if (m_previous == HGDI_ERROR) {
            m_previous = nullptr;
        }
    }
}

CGUIMemoryDrawContext::~CGUIMemoryDrawContext()
{
    if (m_previous) {
        SelectObject(GetHDC(), m_previous);
    }
}

const IGUIImage* CGUIMemoryDrawContext::GetImage() const
{
    return &m_image;
}

IGUIImage* CGUIMemoryDrawContext::GetImage()
{
    return &m_image;
}
