#pragma once

#include <windows.h>

// Selects an object into a device context for the lifetime of the guard and
// selects the previous one back on destruction. A failed selection (or a
// null object) restores nothing.
class CGUISelection {
public:
    CGUISelection(HDC dc, HGDIOBJ object)
        : m_dc(dc)
        , m_previous(dc && object ? SelectObject(dc, object) : nullptr)
    {
    }
    CGUISelection(const CGUISelection&) = delete;
    CGUISelection& operator=(const CGUISelection&) = delete;
    ~CGUISelection()
    {
        if (m_previous && m_previous != HGDI_ERROR) {
            SelectObject(m_dc, m_previous);
        }
    }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};
