#include "graphics/CGUISharedBitmap.h"

#include <new>
#include <utility>

CGUISharedBitmap* CGUISharedBitmap::Create(HANDLE handle, bool owns)
{
    return new (std::nothrow) CGUISharedBitmap(handle, owns);
}

CGUISharedBitmap::CGUISharedBitmap(HANDLE handle, bool owns)
    : m_handle(handle)
    , m_owns(owns)
{
}

CGUISharedBitmap::~CGUISharedBitmap()
{
    if (m_owns && m_handle) {
        DeleteObject(static_cast<HGDIOBJ>(m_handle));
    }
}

void CGUISharedBitmap::Release(CGUISharedBitmap*& record)
{
    CGUISharedBitmap* released = std::exchange(record, nullptr);
    if (!released) {
        return;
    }
    --released->m_shareCount;
    const bool last = released->m_shareCount <= 0;
    released->Notify();
    if (last) {
        delete released;
    }
}

void CGUISharedBitmap::AddShare()
{
    ++m_shareCount;
    Notify();
}

HANDLE CGUISharedBitmap::Detach()
{
    return std::exchange(m_handle, nullptr);
}
