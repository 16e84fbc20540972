#include "graphics/CGUICursor.h"

#include <new>

CGUICursor::CGUICursor(HCURSOR cursor)
    : m_record(CGUISharedBitmap::Create(cursor, false))
{
}

CGUICursor::CGUICursor(CShare, CGUISharedBitmap* record)
    : m_record(record)
{
    if (m_record) {
        m_record->AddShare();
    } else {
        m_record = CGUISharedBitmap::Create(nullptr, false);
    }
}

CGUICursor::~CGUICursor()
{
    ReleaseRecord();
}

HCURSOR CGUICursor::GetHandle() const
{
    return m_record ? static_cast<HCURSOR>(m_record->GetHandle()) : nullptr;
}

HCURSOR CGUICursor::GetHandle()
{
    return static_cast<const CGUICursor*>(this)->GetHandle();
}

CGUICursor* CGUICursor::Clone() const
{
    return new (std::nothrow) CGUICursor(CShare {}, m_record);
}

CGUICursor* CGUICursor::Clone()
{
    return static_cast<const CGUICursor*>(this)->Clone();
}

void CGUICursor::SetHandle(HCURSOR cursor)
{
    ReleaseRecord();
    m_record = CGUISharedBitmap::Create(cursor, false);
}

int32_t CGUICursor::GetShareCount() const
{
    return m_record ? m_record->GetShareCount() : 0;
}

HCURSOR CGUIAttachedCursor::Detach()
{
    CGUISharedBitmap* record = GetRecord();
    if (!record) {
        return nullptr;
    }
    const auto cursor = static_cast<HCURSOR>(record->Detach());
    ReleaseRecord();
    return cursor;
}

CGUICursor* LoadSystemCursor(const char* id)
{
    CGUIAttachedCursor temporary(LoadCursorA(nullptr, id));
    return temporary.Clone();
}
