#pragma once

#include <windows.h>

#include <utility>

// Sole owner of one GDI object (pen, brush, font, region, bitmap); deletes it
// with DeleteObject.
template <class THandle> class TGUIGdiObject {
public:
    TGUIGdiObject() = default;
    explicit TGUIGdiObject(THandle handle)
        : m_handle(handle)
    {
    }
    TGUIGdiObject(TGUIGdiObject&& other) noexcept
        : m_handle(std::exchange(other.m_handle, nullptr))
    {
    }
    TGUIGdiObject& operator=(TGUIGdiObject&& other) noexcept
    {
        Reset(std::exchange(other.m_handle, nullptr));
        return *this;
    }
    TGUIGdiObject(const TGUIGdiObject&) = delete;
    TGUIGdiObject& operator=(const TGUIGdiObject&) = delete;
    ~TGUIGdiObject() { Reset(); }

    THandle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

    // Deletes the held object and keeps handle instead.
    void Reset(THandle handle = nullptr)
    {
        if (m_handle && m_handle != handle) {
            DeleteObject(m_handle);
        }
        m_handle = handle;
    }
    // Gives up ownership without deleting.
    [[nodiscard]] THandle Release() { return std::exchange(m_handle, nullptr); }

private:
    THandle m_handle = nullptr;
};
