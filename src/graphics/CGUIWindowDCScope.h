#pragma once

#include <windows.h>

// The device context of a window (null: of the screen) from GetDC, released
// with ReleaseDC when the scope ends. Draw into it through a borrowing drawing
// context.
class CGUIWindowDCScope {
public:
    explicit CGUIWindowDCScope(HWND hwnd)
        : m_hwnd(hwnd)
        , m_dc(::GetDC(hwnd))
    {
    }
    CGUIWindowDCScope(const CGUIWindowDCScope&) = delete;
    CGUIWindowDCScope& operator=(const CGUIWindowDCScope&) = delete;
    ~CGUIWindowDCScope()
    {
        if (m_dc) {
            ReleaseDC(m_hwnd, m_dc);
        }
    }

    // Null when GetDC failed.
    HDC GetDC() const { return m_dc; }

private:
    HWND m_hwnd;
    HDC m_dc;
};
